# Writes NOTICE beside the deliverables: the licence notices of all code from
# elsewhere that the build links in, taken from the sources and Debian's
# copyright files at configure time (never retyped here).
set(TORVEN_NOTICE ${CMAKE_BINARY_DIR}/bin/NOTICE)
set(notice "TORVEN ${PROJECT_VERSION}: notices of the code from elsewhere that it contains\n")

# The notice in a source file: from its copyright line to the end of that comment.
function(torven_notice_in file out)
  file(READ ${file} text)
  string(FIND "${text}" "Copyright" start)
  string(SUBSTRING "${text}" ${start} -1 text)
  string(FIND "${text}" "*/" end)
  string(SUBSTRING "${text}" 0 ${end} text)
  set(${out} "   ${text}" PARENT_SCOPE)
endfunction()

torven_notice_in(${TORVEN_LIBM_DIR}/math/e_acos.c sun)
torven_notice_in(${TORVEN_LIBM_DIR}/common/exp.c arm)
string(APPEND notice "
================================================================================
Mathematics library (sin, cos, tan, acos, exp, log, pow; in every build), from
newlib's libm.  sin, cos, tan, acos and their helpers (fdlibm):
${sun}
exp, log and pow and their tables:
${arm}
")

foreach(part
    "CLI11 (the command-line host torven)|/usr/share/doc/libcli11-dev/copyright"
    "mingw-w64 runtime, including winpthreads (Windows builds)|/usr/share/doc/mingw-w64-common/copyright"
    "GCC runtime libraries libgcc and libstdc++ (Windows builds)|/usr/share/doc/gcc-mingw-w64-base/copyright")
  string(REPLACE "|" ";" part "${part}")
  list(GET part 0 what)
  list(GET part 1 path)
  if(path MATCHES "mingw" AND NOT WIN32)
    continue()
  endif()
  if(NOT EXISTS ${path})
    message(FATAL_ERROR "licence notice missing: ${path} (scripts/setup installs it)")
  endif()
  file(READ ${path} text)
  string(APPEND notice "
================================================================================
${what}, as Debian's ${path} gives it:

${text}")
endforeach()
file(CONFIGURE OUTPUT ${TORVEN_NOTICE} CONTENT "${notice}" @ONLY)
