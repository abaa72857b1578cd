#include "sheet/text_scan.h"

namespace torven {
namespace {

bool Unassigned1252(unsigned char b) { return b == 0x81 || b == 0x8D || b == 0x8F || b == 0x90 || b == 0x9D; }

std::string Hex(int b) {
  const char* digits = "0123456789ABCDEF";
  return {digits[(b >> 4) & 15], digits[b & 15]};
}

}  // namespace

// UTF-16 without a byte-order mark, as some exports write it, told by its
// zero bytes: text that is mostly ASCII has a zero in the high byte of most
// of its units, and almost never in the low one.  Else bytes.
TextScan::Mode TextScan::ModeOfZeros(std::string_view first) {
  const std::size_t units = first.size() / 2;
  std::size_t zeroEven = 0, zeroOdd = 0;
  for (std::size_t i = 0; i + 1 < first.size(); i += 2) {
    zeroEven += first[i] == '\0';
    zeroOdd += first[i + 1] == '\0';
  }
  auto mostly = [&](std::size_t zeros, std::size_t others) { return units >= 2 && 5 * zeros >= 2 * units && 20 * others <= zeros; };
  if (mostly(zeroOdd, zeroEven)) return Mode::kUtf16LE;
  if (mostly(zeroEven, zeroOdd)) return Mode::kUtf16BE;
  return Mode::kBytes;
}

void TextScan::Feed(std::string_view bytes) {
  if (mode_ == Mode::kUnknown) {
    const auto b0 = bytes.size() >= 2 ? static_cast<unsigned char>(bytes[0]) : 0;
    const auto b1 = bytes.size() >= 2 ? static_cast<unsigned char>(bytes[1]) : 0;
    mode_ = !marks_ ? Mode::kBytes
            : b0 == 0xFF && b1 == 0xFE ? Mode::kUtf16LE
            : b0 == 0xFE && b1 == 0xFF ? Mode::kUtf16BE
                                       : ModeOfZeros(bytes);
  }
  if (mode_ == Mode::kBytes) FeedBytes(bytes);
  else FeedUtf16(bytes);
  offset_ += bytes.size();
}

void TextScan::FeedBytes(std::string_view bytes) {
  utf8_.Feed(bytes);
  if (nulAt_ != 0 && unassignedAt_ != 0) return;
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    const auto b = static_cast<unsigned char>(bytes[i]);
    if (b == 0 && nulAt_ == 0) nulAt_ = offset_ + i + 1;
    if (Unassigned1252(b) && unassignedAt_ == 0) unassignedAt_ = offset_ + i + 1, unassigned_ = b;
  }
}

void TextScan::FeedUtf16(std::string_view bytes) {
  const bool big = mode_ == Mode::kUtf16BE;
  for (std::size_t i = 0; i < bytes.size() && bad_ == nullptr; ++i) {
    const auto b = static_cast<unsigned char>(bytes[i]);
    if (oddByte_ < 0) {
      oddByte_ = b;
      continue;
    }
    const auto odd = static_cast<unsigned>(oddByte_);
    const unsigned unit = big ? (odd << 8 | b) : (static_cast<unsigned>(b) << 8 | odd);
    oddByte_ = -1;
    const unsigned long long at = offset_ + i;  // 1-based position of the unit's first byte
    const bool low = unit >= 0xDC00 && unit < 0xE000;
    if (highPending_ != low) bad_ = "an unpaired surrogate", badAt_ = at, badFlaw_ = TextVerdict::Flaw::kUnpairedSurrogate;
    else if (unit == 0) bad_ = "a NUL character", badAt_ = at, badFlaw_ = TextVerdict::Flaw::kNulCharacter;
    highPending_ = unit >= 0xD800 && unit < 0xDC00;
  }
}

TextVerdict TextScan::Verdict(bool cut) const {
  TextVerdict v;
  auto refuse = [&](TextVerdict::Flaw flaw, unsigned long long at, const std::string& why) {
    v.text = false;
    v.flaw = flaw;
    v.at = at;
    v.problem = "not a text file: " + why;
    return v;
  };
  using Flaw = TextVerdict::Flaw;
  if (mode_ == Mode::kUtf16LE || mode_ == Mode::kUtf16BE) {
    v.encoding = mode_ == Mode::kUtf16LE ? Encoding::kUtf16LE : Encoding::kUtf16BE;
    const std::string name = EncodingName(v.encoding);
    if (bad_ != nullptr)
      return refuse(badFlaw_, badAt_,
                    "its " + name + " text holds " + bad_ + " at byte " + std::to_string(badAt_));
    if (!cut && oddByte_ >= 0) return refuse(Flaw::kHalfCharacter, 0, "its " + name + " text ends in half a character");
    if (!cut && highPending_)
      return refuse(Flaw::kUnpairedSurrogate, 0, "its " + name + " text ends in an unpaired surrogate");
    return v;
  }
  v.nulByte = nulAt_ != 0;
  if (nulAt_ != 0)
    return refuse(Flaw::kNulByte, nulAt_, "a NUL byte at byte " + std::to_string(nulAt_) +
                  (nulAt_ <= 2 ? " (UTF-16 is read by its byte-order mark, or without one when most of its "
                                 "characters are ASCII)" : ""));
  const bool utf8 = cut ? utf8_.ValidSoFar() : utf8_.Valid();
  v.encoding = utf8 ? Encoding::kUtf8 : Encoding::kWindows1252;
  v.byte = unassigned_;
  if (!utf8 && unassignedAt_ != 0)
    return refuse(Flaw::kUnassignedByte, unassignedAt_, "byte " + std::to_string(unassignedAt_) + " (0x" +
                  Hex(unassigned_) + ") is valid neither in UTF-8 nor in Windows-1252");
  return v;
}

bool ScanSeekableFile(std::FILE* file, TextScan& scan) {
  const long start = std::ftell(file);
  if (start < 0) return false;
  char buffer[1 << 16];
  std::size_t n;
  while ((n = std::fread(buffer, 1, sizeof buffer, file)) > 0) scan.Feed({buffer, n});
  return std::fseek(file, start, SEEK_SET) == 0;
}

}  // namespace torven
