#include "sheet/csv.h"

#include <algorithm>

namespace torven {
namespace {

// Code units converted per block: at most three UTF-8 bytes each, so that a
// block's UTF-8 fits the reader's buffer.
constexpr std::size_t kUnitsPerBlock = 16384;

}  // namespace

void CsvReader::Fill() {
  at_ = 0;
  if (!IsUtf16(utf16_)) {
    have_ = std::fread(buffer_, 1, sizeof buffer_, in_);
    return;
  }
  have_ = 0;
  while (have_ == 0 && !(rawEnd_ && rawAt_ == rawHave_)) {
    if (!rawEnd_ && rawHave_ - rawAt_ < 2 * kUnitsPerBlock + 2) {
      // Keep what is left at the front and read up to a full buffer.
      std::copy(raw_.begin() + static_cast<long>(rawAt_), raw_.begin() + static_cast<long>(rawHave_), raw_.begin());
      rawHave_ -= rawAt_;
      rawAt_ = 0;
      const std::size_t got = std::fread(raw_.data() + rawHave_, 1, raw_.size() - rawHave_, in_);
      rawHave_ += got;
      rawEnd_ = got == 0;
    }
    DecodeUtf16();
  }
}

// Converts the next block of code units in `raw_` to UTF-8 in `buffer_`: a
// surrogate pair as one character, an unpaired surrogate or a last odd byte
// as U+FFFD (a file that has them is refused before it is read); a high
// surrogate at the block's end waits for the next block.
void CsvReader::DecodeUtf16() {
  const bool big = utf16_ == Encoding::kUtf16BE;
  auto unit = [&](std::size_t at) -> char32_t {
    const char32_t a = static_cast<unsigned char>(raw_[at]), b = static_cast<unsigned char>(raw_[at + 1]);
    return big ? (a << 8 | b) : (b << 8 | a);
  };
  char* out = buffer_;
  for (std::size_t n = 0; n < kUnitsPerBlock && rawHave_ - rawAt_ >= 2; ++n) {
    char32_t c = unit(rawAt_);
    if (c >= 0xD800 && c < 0xDC00) {
      if (rawHave_ - rawAt_ < 4 && !rawEnd_) break;  // its pair is in the next read
      const char32_t low = rawHave_ - rawAt_ >= 4 ? unit(rawAt_ + 2) : 0;
      if (low >= 0xDC00 && low < 0xE000) {
        c = 0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00);
        rawAt_ += 2;
      } else {
        c = 0xFFFD;
      }
    } else if (c >= 0xDC00 && c < 0xE000) {
      c = 0xFFFD;
    }
    rawAt_ += 2;
    out = PutUtf8(c, out);
  }
  if (rawEnd_ && rawHave_ - rawAt_ == 1) {
    out = PutUtf8(0xFFFD, out);
    rawAt_ = rawHave_;
  }
  have_ = static_cast<std::size_t>(out - buffer_);
}

void CsvReader::FillFirstBlock() {
  if (at_ == have_ && pending_ == -2) Fill();
}

TextVerdict CsvReader::FirstBlockVerdict(bool byteOrderMarks) {
  FillFirstBlock();
  TextScan scan(byteOrderMarks);
  scan.Feed({buffer_ + at_, have_ - at_});
  return scan.Verdict(have_ == sizeof buffer_);
}

void CsvReader::ReadAs(Encoding encoding) {
  if (!IsUtf16(encoding) || IsUtf16(utf16_)) return;
  utf16_ = encoding;
  // What was read ahead is the file's first bytes: converted from here on.
  static_assert(4 * kUnitsPerBlock + 4 >= sizeof buffer_, "the raw buffer holds a block read ahead");
  raw_.assign(4 * kUnitsPerBlock + 4, 0);
  rawHave_ = have_ - at_;  // at most a block, which the raw buffer holds
  std::copy(buffer_ + at_, buffer_ + have_, raw_.begin());
  rawAt_ = 0;
  rawEnd_ = false;
  have_ = at_ = 0;
}

int CsvReader::Get() {
  if (pending_ != -2) {
    const int c = pending_;
    pending_ = -2;
    return c;
  }
  if (at_ == have_) {
    Fill();
    if (have_ == 0) return EOF;
  }
  return static_cast<unsigned char>(buffer_[at_++]);
}

std::string_view CsvReader::FirstBlock() {
  FillFirstBlock();
  return {buffer_ + at_, have_ - at_};
}

bool CsvReader::FirstBlockIsWhole() const {
  return IsUtf16(utf16_) ? rawEnd_ || rawHave_ < raw_.size() : have_ < sizeof buffer_;
}

// A UTF-8 byte-order mark before the first line is skipped: the character
// after it.
int CsvReader::SkipByteOrderMark(int c, std::string& error) {
  if (!first_) return c;
  first_ = false;
  if (c != 0xEF) return c;
  const int b = Get(), d = Get();
  if (b != 0xBB || d != 0xBF) {
    error = "malformed byte-order mark";
    return EOF;
  }
  byteOrderMark_ = true;
  return Get();
}

// Counts the line that `c` ('\r' or '\n') ends; CRLF is one line end.
void CsvReader::EndLine(int c) {
  if (c == '\r') {
    const int next = Get();
    if (next != '\n') Unget(next);
    if (!lineEndSeen_) crlf_ = next == '\n';
  }
  lineEndSeen_ = true;
  ++line_;
}

bool CsvReader::SkipLine(std::string& line) {
  line.clear();
  std::string error;
  int c = SkipByteOrderMark(Get(), error);
  if (c == EOF) return false;
  for (; c != EOF && c != '\n' && c != '\r'; c = Get()) line += static_cast<char>(c);
  if (c != EOF) EndLine(c);
  return true;
}

bool CsvReader::Next(std::vector<std::string>& fields, std::size_t& count, std::string& error) {
  count = 0;
  error.clear();
  const bool spaces = delimiter_ == ' ';
  int c = SkipByteOrderMark(Get(), error);
  if (spaces)
    while (c == ' ') c = Get();
  if (c == EOF) return false;
  recordLine_ = line_;
  auto field = [&]() -> std::string& {
    if (count == fields.size()) fields.emplace_back();
    if (count == quoted_.size()) quoted_.push_back(0);
    quoted_[count] = 0;
    std::string& f = fields[count++];
    f.clear();
    return f;
  };
  std::string* current = &field();
  bool quoted = false;
  for (;; c = Get()) {
    if (quoted) {
      if (c == EOF) {
        error = "a quoted field is not closed";
        return true;
      }
      if (c == '"') {
        const int next = Get();
        if (next == '"') {
          *current += '"';
        } else {
          quoted = false;
          Unget(next);
        }
        continue;
      }
      if (c == '\n') ++line_;
      *current += static_cast<char>(c);
      continue;
    }
    if (c == EOF) return true;
    if (c == '\r' || c == '\n') {
      EndLine(c);
      return true;
    }
    if (c == delimiter_) {
      if (spaces) {
        // A run of spaces is one delimiter; at the line's end, none.
        int next = Get();
        while (next == ' ') next = Get();
        Unget(next);
        if (next == EOF || next == '\r' || next == '\n') continue;
      }
      current = &field();
    } else if (c == '"' && current->empty()) {
      quoted = true;
      quoted_[count - 1] = 1;
    } else {
      *current += static_cast<char>(c);
      // The rest of an unquoted run straight from the buffer.
      if (pending_ == -2) {
        std::size_t end = at_;
        while (end < have_ && buffer_[end] != delimiter_ && buffer_[end] != '\n' && buffer_[end] != '\r')
          ++end;
        current->append(buffer_ + at_, end - at_);
        at_ = end;
      }
    }
  }
}

void AppendCsvField(std::string& out, std::string_view field, char delimiter) {
  bool plain = true;
  for (char c : field) plain = plain && c != delimiter && c != '"' && c != '\r' && c != '\n';
  if (plain) {
    out += field;
    return;
  }
  out += '"';
  for (char c : field) {
    if (c == '"') out += '"';
    out += c;
  }
  out += '"';
}

}  // namespace torven
