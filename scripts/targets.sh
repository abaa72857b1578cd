# Sourced by the scripts: the three targets and what each one's programs are.
# windows_bits TARGET: 64 or 32 for a Windows target, nothing for native.
windows_bits() {
  case "$1" in x86_64) echo 64 ;; i686) echo 32 ;; esac
}
