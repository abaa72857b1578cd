#include "sheet/csv.h"

#include "sheet/encoding.h"

namespace torven {

void CsvReader::FillFirstBlock() {
  if (at_ == have_ && pending_ == -2) {
    have_ = std::fread(buffer_, 1, sizeof buffer_, in_);
    at_ = 0;
  }
}

bool CsvReader::FirstBlockIsUtf8() {
  FillFirstBlock();
  // A sequence cut by the block's end: its lead byte and what follows dropped.
  std::size_t end = have_;
  for (std::size_t back = 0; back < 3 && end > at_ && (static_cast<unsigned char>(buffer_[end - 1]) & 0xC0) == 0x80; ++back) --end;
  if (end > at_ && static_cast<unsigned char>(buffer_[end - 1]) >= 0xC0) --end;
  Utf8Check check;
  check.Feed({buffer_ + at_, end - at_});
  return check.Valid();
}

int CsvReader::Get() {
  if (pending_ != -2) {
    const int c = pending_;
    pending_ = -2;
    return c;
  }
  if (at_ == have_) {
    have_ = std::fread(buffer_, 1, sizeof buffer_, in_);
    at_ = 0;
    if (have_ == 0) return EOF;
  }
  return static_cast<unsigned char>(buffer_[at_++]);
}

char CsvReader::DetectDelimiter() {
  FillFirstBlock();
  std::size_t counts[3] = {0, 0, 0};
  const char candidates[3] = {',', ';', '\t'};
  bool quoted = false;
  for (std::size_t i = at_; i < have_; ++i) {
    const char c = buffer_[i];
    if (c == '"') quoted = !quoted;
    if (!quoted && (c == '\n' || c == '\r')) break;
    for (int k = 0; k < 3; ++k) counts[k] += !quoted && c == candidates[k];
  }
  int best = 0;
  for (int k = 1; k < 3; ++k)
    if (counts[k] > counts[best]) best = k;
  delimiter_ = candidates[best];
  return delimiter_;
}

bool CsvReader::Next(std::vector<std::string>& fields, std::size_t& count, std::string& error) {
  count = 0;
  error.clear();
  int c = Get();
  if (first_) {  // skip a UTF-8 byte-order mark
    first_ = false;
    if (c == 0xEF) {
      const int b = Get(), d = Get();
      if (b != 0xBB || d != 0xBF) {
        error = "malformed byte-order mark";
        return false;
      }
      byteOrderMark_ = true;
      c = Get();
    }
  }
  if (c == EOF) return false;
  recordLine_ = line_;
  auto field = [&]() -> std::string& {
    if (count == fields.size()) fields.emplace_back();
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
    if (c == '\r') {
      const int next = Get();
      if (next != '\n') Unget(next);
      if (!lineEndSeen_) lineEndSeen_ = true, crlf_ = next == '\n';
      ++line_;
      return true;
    }
    if (c == '\n') {
      lineEndSeen_ = true;
      ++line_;
      return true;
    }
    if (c == delimiter_) {
      current = &field();
    } else if (c == '"' && current->empty()) {
      quoted = true;
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
