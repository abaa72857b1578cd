// A streaming CSV reader and writer after RFC 4180: quoted fields with
// separators, doubled quotes and line breaks; CRLF or LF; an optional UTF-8
// byte-order mark.  With ' ' as the delimiter, a run of spaces separates two
// fields and spaces at a line's ends separate none.  Records are read one at a time, so memory does not grow
// with the number of rows.  Fields are the file's bytes, in its encoding.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "sheet/encoding.h"
#include "sheet/text_scan.h"

namespace torven {

class CsvReader {
 public:
  explicit CsvReader(std::FILE* in, char delimiter = ',') : in_(in), delimiter_(delimiter) {}

  char Delimiter() const { return delimiter_; }
  // What the first block of the input is (read ahead, nothing consumed).
  TextVerdict FirstBlockVerdict(bool byteOrderMarks = true);
  // The first block of text read ahead (nothing consumed), and whether it is
  // the whole input.
  std::string_view FirstBlock();
  bool FirstBlockIsWhole() const;
  void SetDelimiter(char delimiter) { delimiter_ = delimiter; }
  // Reads the input as UTF-16 (little- or big-endian) from here on, before
  // any record is read; any other encoding is read as bytes.
  void ReadAs(Encoding encoding);

  // Reads the next record into `fields` (reusing their storage); false at
  // the end of the input.  `error` is set for a quote left open at the end.
  bool Next(std::vector<std::string>& fields, std::size_t& count, std::string& error);
  // Which fields of the last record were quoted.
  bool Quoted(std::size_t field) const { return field < quoted_.size() && quoted_[field] != 0; }
  // Reads the rest of the line as it is, without its line end (a line before
  // the header); false at the end of the input.
  bool SkipLine(std::string& line);
  // The line the next record or line begins on (1-based).
  long NextLine() const { return line_; }
  // Line number where the last record began (1-based).
  long RecordLine() const { return recordLine_; }
  // Whether the input began with a byte-order mark (in UTF-16 too), and the line end
  // of its first line ("\r\n" or "\n"), to be written back the same way.
  bool HadByteOrderMark() const { return byteOrderMark_; }
  std::string_view LineEnd() const { return crlf_ ? "\r\n" : "\n"; }

 private:
  void FillFirstBlock();
  void Fill();
  void DecodeUtf16();
  int Get();
  void Unget(int c) { pending_ = c; }
  int SkipByteOrderMark(int c, std::string& error);
  void EndLine(int c);

  std::FILE* in_;
  char delimiter_;
  int pending_ = -2;
  long line_ = 1;
  long recordLine_ = 0;
  bool first_ = true;
  std::vector<char> quoted_;
  bool byteOrderMark_ = false;
  bool crlf_ = false, lineEndSeen_ = false;
  char buffer_[1 << 16];
  std::size_t have_ = 0, at_ = 0;
  // UTF-16 input: the file's bytes not yet converted into `buffer_`.
  Encoding utf16_ = Encoding::kUtf8;
  std::vector<char> raw_;
  std::size_t rawAt_ = 0, rawHave_ = 0;
  bool rawEnd_ = false;
};

// Appends `field` to `out`, quoted when it holds the delimiter, a quote or a
// line break.
void AppendCsvField(std::string& out, std::string_view field, char delimiter = ',');

}  // namespace torven
