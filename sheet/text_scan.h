// What a station file's bytes are: text in one of the encodings read, or not
// text at all.  The encodings, in the order they are tried:
//   UTF-16, little- or big-endian, when the file begins with its byte-order
//     mark (FF FE or FE FF), as the spreadsheet's "Unicode text" export
//     writes it, or without one when its first block has the zero bytes of
//     mostly ASCII text in UTF-16 (a zero high byte in at least 40 % of its
//     units, hardly any zero low byte), as some station networks write it;
//   UTF-8, when every byte is valid UTF-8 (a byte-order mark or not);
//   Windows-1252, otherwise.
// A file is not text when it holds a NUL byte (outside UTF-16), a NUL
// character, an unpaired surrogate or an odd number of bytes (in UTF-16), or,
// when it is not UTF-8, one of the five bytes that Windows-1252 leaves
// unassigned (81, 8D, 8F, 90, 9D): bytes that none of the encodings reads.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>

#include "sheet/encoding.h"

namespace torven {

struct TextVerdict {
  // Why bytes are not text.
  enum class Flaw { kNone, kNulByte, kUnassignedByte, kNulCharacter, kUnpairedSurrogate, kHalfCharacter };
  bool text = true;
  Encoding encoding = Encoding::kUtf8;
  std::string problem;  // why the bytes are not text, naming the first offending byte (1-based)
  bool nulByte = false; // the reason is a NUL byte (a forced encoding reads every other byte)
  Flaw flaw = Flaw::kNone;
  unsigned long long at = 0;  // the first offending byte (1-based), when the flaw has one
  int byte = 0;               // its value, for an unassigned byte
};

class TextScan {
 public:
  // `byteOrderMarks`: whether a UTF-16 mark is recognised (not when the
  // encoding is forced to one that reads bytes).
  explicit TextScan(bool byteOrderMarks = true) : marks_(byteOrderMarks) {}

  // The file's bytes, in order, in pieces of any size (the first piece at
  // least two bytes long when the file is).
  void Feed(std::string_view bytes);
  // What the bytes fed are.  `cut`: they may stop inside a character (the
  // first block of a stream).
  TextVerdict Verdict(bool cut = false) const;

 private:
  enum class Mode { kUnknown, kBytes, kUtf16LE, kUtf16BE };
  static Mode ModeOfZeros(std::string_view first);
  void FeedBytes(std::string_view bytes);
  void FeedUtf16(std::string_view bytes);

  bool marks_;
  Mode mode_ = Mode::kUnknown;
  unsigned long long offset_ = 0;  // bytes fed so far
  Utf8Check utf8_;
  unsigned long long nulAt_ = 0, unassignedAt_ = 0;  // 1-based; 0 when none
  int unassigned_ = 0;
  // UTF-16: a byte waiting for its pair, a high surrogate waiting for its low one.
  int oddByte_ = -1;
  bool highPending_ = false;
  unsigned long long badAt_ = 0;
  const char* bad_ = nullptr;
  TextVerdict::Flaw badFlaw_ = TextVerdict::Flaw::kNone;
};

// The verdict on a whole seekable file, which is then read again from where
// it was; false when the file cannot seek back.
bool ScanSeekableFile(std::FILE* file, TextScan& scan);

}  // namespace torven
