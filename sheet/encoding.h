// The encodings of the spreadsheet's CSV and text files: UTF-8 (its "CSV
// UTF-8" export, with a byte-order mark), the Windows code page 1252 of its
// plain CSV export on a Spanish- or English-language Windows, and UTF-16
// with a byte-order mark (its "Unicode text" export: little-endian, tabs).
// The program works in UTF-8; a Windows-1252 file is decoded where its text
// is read (header names, text cells) and encoded where text is written back;
// a UTF-16 file is converted as it is read and as it is written.
#pragma once

#include <string>
#include <string_view>

namespace torven {

enum class Encoding { kUtf8, kWindows1252, kUtf16LE, kUtf16BE };

inline bool IsUtf16(Encoding e) { return e == Encoding::kUtf16LE || e == Encoding::kUtf16BE; }

// Checks UTF-8 validity of a byte stream fed in pieces (a sequence may
// straddle two pieces): shortest forms only, no surrogates, at most U+10FFFF.
class Utf8Check {
 public:
  void Feed(std::string_view bytes);
  bool Valid() const { return valid_ && pending_ == 0; }
  // Valid but perhaps for a sequence cut at the end of what was fed.
  bool ValidSoFar() const { return valid_; }

 private:
  bool valid_ = true;
  int pending_ = 0;        // continuation bytes still expected
  unsigned char low_ = 0x80, high_ = 0xBF;  // range of the next continuation byte
};

// The length of the valid UTF-8 sequence `bytes` begins with, 0 when it
// begins with none (or is empty).
std::size_t Utf8SequenceLength(std::string_view bytes);

// Windows-1252 text as UTF-8 (its five unassigned bytes as the C1 controls
// of the same number, as Windows converts them).
std::string Windows1252ToUtf8(std::string_view bytes);
// UTF-8 text as Windows-1252; false (with `out` undefined) when a character
// has no Windows-1252 byte.
bool Utf8ToWindows1252(std::string_view text, std::string& out);

const char* EncodingName(Encoding encoding);

// UTF-8 <-> UTF-16 (a truncated or out-of-range UTF-8 sequence becomes
// U+FFFD; an unpaired surrogate is written as it is).
std::u16string FromUtf8(std::string_view text);
std::string ToUtf8(std::u16string_view text);
// One character as UTF-8 at `out` (one to four bytes); returns the end.
char* PutUtf8(char32_t c, char* out);
// UTF-8 text as the bytes of UTF-16, little- or big-endian, appended to `out`.
void AppendUtf16(std::string& out, std::string_view text, bool bigEndian);

}  // namespace torven
