#include "tools/torven/expression.h"

#include <cctype>
#include <charconv>

namespace torven {
namespace {

struct ErrorName {
  const char* literal;
  std::int32_t code;
};

constexpr ErrorName kErrors[] = {{"#NULL!", 0},  {"#DIV/0!", 7}, {"#VALUE!", 15},
                                 {"#REF!", 23},  {"#NAME?", 29}, {"#NUM!", 36},
                                 {"#N/A", 42},   {"#GETTING_DATA", 43}};

bool IsNameStart(char c) { return std::isalpha(static_cast<unsigned char>(c)) || c == '_'; }
bool IsNameChar(char c) {
  return std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '.';
}

bool SameLetters(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (std::toupper(static_cast<unsigned char>(a[i])) != std::toupper(static_cast<unsigned char>(b[i])))
      return false;
  return true;
}

class Parser {
 public:
  Parser(std::string_view text, ParseError& error) : s_(text), error_(error) {}

  bool Line(Expr& call) {
    SkipSpace();
    if (!Call(call)) return false;
    SkipSpace();
    if (pos_ != s_.size()) return Fail("unexpected text after the call; expected the end of the line");
    return true;
  }

 private:
  bool Fail(const std::string& message) {
    error_.column = static_cast<int>(pos_) + 1;
    error_.message = message;
    return false;
  }

  void SkipSpace() {
    while (pos_ < s_.size() && (s_[pos_] == ' ' || s_[pos_] == '\t' || s_[pos_] == '\r')) ++pos_;
  }

  bool At(char c) const { return pos_ < s_.size() && s_[pos_] == c; }

  std::string_view Name() {
    const std::size_t start = pos_;
    while (pos_ < s_.size() && IsNameChar(s_[pos_])) ++pos_;
    return s_.substr(start, pos_ - start);
  }

  bool Call(Expr& call) {
    if (++depth_ > kMaxDepth) return Fail("calls nested too deeply");
    if (pos_ >= s_.size() || !IsNameStart(s_[pos_]))
      return Fail("expected a function name, such as ETPF56(...)");
    call.column = static_cast<int>(pos_) + 1;
    call.kind = Expr::Kind::Call;
    call.name = std::string(Name());
    SkipSpace();
    if (!At('(')) return Fail("expected '(' after the function name " + call.name);
    ++pos_;
    return Arguments(call);
  }

  // After '(': arguments up to the closing ')'.
  bool Arguments(Expr& call) {
    SkipSpace();
    if (At(')')) {
      ++pos_;
      --depth_;
      return true;
    }
    for (;;) {
      Expr arg;
      if (!Argument(arg)) return false;
      call.args.push_back(std::move(arg));
      SkipSpace();
      if (At(',') || At(';')) {
        ++pos_;
        continue;
      }
      if (At(')')) {
        ++pos_;
        --depth_;
        return true;
      }
      return Fail(pos_ >= s_.size() ? "missing ')' at the end of the line"
                                    : "expected ',' or ';' between arguments, or ')'");
    }
  }

  bool Argument(Expr& arg) {
    SkipSpace();
    arg.column = static_cast<int>(pos_) + 1;
    if (pos_ >= s_.size() || At(',') || At(';') || At(')')) {
      arg.kind = Expr::Kind::Empty;
      return true;
    }
    const char c = s_[pos_];
    if (c == '"') return Text(arg);
    if (c == '#') return ErrorValue(arg);
    if (IsNameStart(c)) {
      const std::size_t start = pos_;
      const std::string_view name = Name();
      SkipSpace();
      if (At('(')) {
        pos_ = start;
        return Call(arg);
      }
      if (SameLetters(name, "TRUE") || SameLetters(name, "FALSE")) {
        arg.kind = Expr::Kind::Boolean;
        arg.boolean = SameLetters(name, "TRUE");
      } else {
        arg.kind = Expr::Kind::Column;
        arg.name = std::string(name);
      }
      return true;
    }
    return Number(arg);
  }

  bool Number(Expr& arg) {
    std::size_t start = pos_;
    if (At('+')) ++start, ++pos_;
    const char* first = s_.data() + start;
    const char* last = s_.data() + s_.size();
    double value = 0;
    const auto [end, ec] = std::from_chars(first, last, value, std::chars_format::general);
    if (ec == std::errc::result_out_of_range)
      return Fail("number out of the range of a double");
    if (ec != std::errc() || (end != last && (IsNameChar(*end) || *end == '"')))
      return Fail("expected a number, \"text\", TRUE, FALSE, an error such as #N/A, a call or a column name");
    pos_ = static_cast<std::size_t>(end - s_.data());
    arg.kind = Expr::Kind::Number;
    arg.number = value;
    return true;
  }

  bool Text(Expr& arg) {
    ++pos_;  // opening quote
    std::string bytes;
    for (;;) {
      if (pos_ >= s_.size()) return Fail("missing closing '\"' of a text");
      if (s_[pos_] == '"') {
        if (pos_ + 1 < s_.size() && s_[pos_ + 1] == '"') {
          bytes += '"';
          pos_ += 2;
          continue;
        }
        ++pos_;
        break;
      }
      bytes += s_[pos_++];
    }
    const std::u16string text = FromUtf8(bytes);
    if (text.size() > 255) return Fail("text longer than 255 characters");
    arg.kind = Expr::Kind::Text;
    arg.text = std::u16string(1, static_cast<char16_t>(text.size())) + text;
    return true;
  }

  bool ErrorValue(Expr& arg) {
    for (const auto& e : kErrors) {
      const std::string_view literal = e.literal;
      if (SameLetters(s_.substr(pos_, literal.size()), literal)) {
        pos_ += literal.size();
        arg.kind = Expr::Kind::Error;
        arg.error = e.code;
        return true;
      }
    }
    return Fail("unknown error literal; expected #NULL!, #DIV/0!, #VALUE!, #REF!, #NAME?, #NUM! or #N/A");
  }

  static constexpr int kMaxDepth = 64;
  std::string_view s_;
  std::size_t pos_ = 0;
  int depth_ = 0;
  ParseError& error_;
};

}  // namespace

bool ParseCall(std::string_view line, Expr& call, ParseError& error) {
  call = Expr{};
  return Parser(line, error).Line(call);
}

std::int32_t ErrorCode(std::string_view literal) {
  for (const auto& e : kErrors)
    if (SameLetters(literal, e.literal)) return e.code;
  return -1;
}

const char* ErrorLiteral(std::int32_t code) {
  for (const auto& e : kErrors)
    if (e.code == code) return e.literal;
  return "#ERROR!";
}

std::u16string FromUtf8(std::string_view text) {
  std::u16string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    const auto b = static_cast<unsigned char>(text[i]);
    int extra = b < 0x80 ? 0 : b < 0xE0 ? 1 : b < 0xF0 ? 2 : 3;
    if (extra > 0 && i + static_cast<std::size_t>(extra) >= text.size()) {
      out.push_back(u'\uFFFD');  // a truncated sequence
      break;
    }
    char32_t code = extra == 0 ? b : extra == 1 ? (b & 0x1Fu) : extra == 2 ? (b & 0x0Fu) : (b & 0x07u);
    for (int k = 1; k <= extra; ++k)
      code = (code << 6) | (static_cast<unsigned char>(text[i + static_cast<std::size_t>(k)]) & 0x3Fu);
    i += static_cast<std::size_t>(extra) + 1;
    if (code >= 0x10000 && code <= 0x10FFFF) {
      code -= 0x10000;
      out.push_back(static_cast<char16_t>(0xD800 + (code >> 10)));
      out.push_back(static_cast<char16_t>(0xDC00 + (code & 0x3FF)));
    } else {
      out.push_back(code > 0x10FFFF ? u'\uFFFD' : static_cast<char16_t>(code));
    }
  }
  return out;
}

std::string ToUtf8(std::u16string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    char32_t c = text[i];
    if (c >= 0xD800 && c < 0xDC00 && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] < 0xE000)
      c = 0x10000 + ((c - 0xD800) << 10) + (text[++i] - 0xDC00);
    if (c < 0x80) {
      out += static_cast<char>(c);
    } else if (c < 0x800) {
      out += static_cast<char>(0xC0 | (c >> 6));
      out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
      out += static_cast<char>(0xE0 | (c >> 12));
      out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
      out += static_cast<char>(0xF0 | (c >> 18));
      out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
      out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (c & 0x3F));
    }
  }
  return out;
}

}  // namespace torven
