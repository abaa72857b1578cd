// The two encodings of the spreadsheet's CSV files: UTF-8 (its "CSV UTF-8"
// export, with a byte-order mark) and the Windows code page 1252 of its
// plain CSV export on a Spanish- or English-language Windows.  The program
// works in UTF-8; a Windows-1252 file is decoded where its text is read
// (header names, text cells) and encoded where text is written back.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>

namespace torven {

enum class Encoding { kUtf8, kWindows1252 };

// Checks UTF-8 validity of a byte stream fed in pieces (a sequence may
// straddle two pieces): shortest forms only, no surrogates, at most U+10FFFF.
class Utf8Check {
 public:
  void Feed(std::string_view bytes);
  bool Valid() const { return valid_ && pending_ == 0; }

 private:
  bool valid_ = true;
  int pending_ = 0;        // continuation bytes still expected
  unsigned char low_ = 0x80, high_ = 0xBF;  // range of the next continuation byte
};

// Reads the rest of a seekable file to tell whether it is valid UTF-8, then
// returns to where it was; false when the file cannot seek back.
bool SeekableFileIsUtf8(std::FILE* file, bool& utf8);

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

}  // namespace torven
