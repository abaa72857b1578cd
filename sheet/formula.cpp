#include "sheet/formula.h"

#include <cctype>
#include <cstdio>

#include "sheet/decimal_text.h"
#include "sheet/encoding.h"

namespace torven {
namespace {

// Names: ASCII letters, digits, '_' and '.', and any non-ASCII character
// (the UTF-8 bytes of año, Día ...).
bool IsNameStart(char c) {
  return std::isalpha(static_cast<unsigned char>(c)) || c == '_' || static_cast<unsigned char>(c) >= 0x80;
}
bool IsNameChar(char c) {
  return IsNameStart(c) || std::isdigit(static_cast<unsigned char>(c)) || c == '.';
}

constexpr const char* kExpectedOperand =
    "expected a number, \"text\", TRUE, FALSE, an error such as #N/A, a call or a column name ([name] "
    "when it is not a plain word)";

class Parser {
 public:
  Parser(std::string_view text, ParseError& error, DecimalMark mark) : s_(text), error_(error) {
    // ';' outside texts: the decimal-comma way of writing.  (A forced decimal
    // point lets ',' and ';' both separate.)
    bool quoted = false, semicolon = false;
    for (char c : text) {
      if (c == '"') quoted = !quoted;
      semicolon = semicolon || (!quoted && c == ';');
    }
    comma_ = mark == DecimalMark::kComma || (mark == DecimalMark::kAuto && semicolon);
    forcedComma_ = mark == DecimalMark::kComma;
    semicolons_ = semicolon || forcedComma_;
  }

  bool Line(Expr& formula) {
    if (!Readable()) return false;
    SkipSpace();
    if (At('=')) ++pos_;
    if (!Comparison(formula)) return false;
    SkipSpace();
    if (pos_ != s_.size()) return Fail("unexpected text after the formula; expected the end of the line");
    return true;
  }

  Writing HowWritten() const { return {forcedComma_ || decimalMark_ == ',', semicolons_}; }

 private:
  bool Fail(const std::string& message) {
    error_.column = static_cast<int>(pos_) + 1;
    error_.message = message;
    return false;
  }

  // A formula is text: no NUL byte, and valid UTF-8 throughout (texts
  // included, which would otherwise be read wrong).
  bool Readable() {
    for (std::size_t at = 0; at < s_.size();) {
      const std::size_t length = Utf8SequenceLength(s_.substr(at));
      if (length == 0 || s_[at] == '\0') {
        pos_ = at;
        char byte[8];
        std::snprintf(byte, sizeof byte, "0x%02X", static_cast<unsigned char>(s_[at]));
        return Fail(s_[at] == '\0' ? std::string("a NUL byte: a formula is text")
                                   : std::string("byte ") + byte + " is not valid UTF-8");
      }
      at += length;
    }
    return true;
  }

  void SkipSpace() {
    while (pos_ < s_.size() && (s_[pos_] == ' ' || s_[pos_] == '\t' || s_[pos_] == '\r')) ++pos_;
  }

  bool At(char c) const { return pos_ < s_.size() && s_[pos_] == c; }
  bool AtSeparator() const { return At(';') || (!comma_ && At(',')); }

  std::string_view Name() {
    const std::size_t start = pos_;
    while (pos_ < s_.size() && IsNameChar(s_[pos_])) ++pos_;
    return s_.substr(start, pos_ - start);
  }

  // Left-associative binary levels, loosest first: the comparisons = <> <
  // > <= >=, + -, * /, ^.  A run of one level's operators is gathered into
  // one node.  `op` reads the level's next operator (0 when none follows).
  template <typename Next, typename Operator>
  bool Binary(Expr& out, Operator op, Next next) {
    if (!(this->*next)(out)) return false;
    Expr chain;
    for (;;) {
      SkipSpace();
      const char o = (this->*op)();
      if (o == 0) break;
      if (chain.args.empty()) {
        chain.kind = Expr::Kind::Chain;
        chain.column = out.column;
        chain.args.push_back(std::move(out));
      }
      chain.ops += o;
      Expr right;
      if (!(this->*next)(right)) return false;
      chain.args.push_back(std::move(right));
    }
    if (!chain.args.empty()) out = std::move(chain);
    return true;
  }
  // One of `ops` at the position, read; 0 when none is.
  template <char... ops>
  char OneOf() {
    if (pos_ >= s_.size() || ((s_[pos_] != ops) && ...)) return 0;
    return s_[pos_++];
  }
  // A comparison, read (two characters as one: kNotEqual, kAtMost, kAtLeast).
  char ComparisonOperator() {
    const char next = pos_ + 1 < s_.size() ? s_[pos_ + 1] : 0;
    const char twoCharacters = At('<') && next == '>' ? kNotEqual : At('<') && next == '=' ? kAtMost
                               : At('>') && next == '=' ? kAtLeast : 0;
    if (twoCharacters == 0) return OneOf<'=', '<', '>'>();
    pos_ += 2;
    return twoCharacters;
  }
  bool Comparison(Expr& out) { return Binary(out, &Parser::ComparisonOperator, &Parser::Sum); }
  bool Sum(Expr& out) { return Binary(out, &Parser::OneOf<'+', '-'>, &Parser::Product); }
  bool Product(Expr& out) { return Binary(out, &Parser::OneOf<'*', '/'>, &Parser::Power); }
  bool Power(Expr& out) { return Binary(out, &Parser::OneOf<'^'>, &Parser::Signed); }

  // Signs, an operand, any number of '%': unary - and + bind tighter than
  // every other operator (-2^2 is 4).
  bool Signed(Expr& out) {
    Expr unary;
    unary.kind = Expr::Kind::Unary;
    SkipSpace();
    unary.column = static_cast<int>(pos_) + 1;
    for (; At('-') || At('+'); SkipSpace()) unary.ops += s_[pos_++];
    Expr operand;
    if (!Primary(operand)) return false;
    for (SkipSpace(); At('%'); SkipSpace()) ++pos_, ++unary.percents;
    if (unary.ops.empty() && unary.percents == 0) {
      out = std::move(operand);
      return true;
    }
    unary.args.push_back(std::move(operand));
    out = std::move(unary);
    return true;
  }

  bool Primary(Expr& out) {
    if (++depth_ > kMaxDepth) return Fail("formula nested too deeply");
    const bool ok = PrimaryAt(out);
    --depth_;
    return ok;
  }

  bool PrimaryAt(Expr& arg) {
    SkipSpace();
    arg.column = static_cast<int>(pos_) + 1;
    if (pos_ >= s_.size()) return Fail(kExpectedOperand);
    const char c = s_[pos_];
    if (c == '"') return Text(arg);
    if (c == '#') return ErrorValue(arg);
    if (c == '[') return BracketedColumn(arg);
    if (c == '$') return FixedReference(arg);
    if (c == '(') {
      ++pos_;
      if (!Comparison(arg)) return false;
      SkipSpace();
      if (!At(')')) return Fail(pos_ >= s_.size() ? "missing ')' at the end of the line" : "expected ')'");
      ++pos_;
      return true;
    }
    if (IsNameStart(c)) {
      const std::size_t start = pos_;
      const std::string_view name = Name();
      if (At('$')) {  // C$2
        pos_ = start;
        return FixedReference(arg);
      }
      SkipSpace();
      if (At('(')) {
        arg.kind = Expr::Kind::Call;
        arg.name = std::string(name);
        arg.commaSeparated = !comma_;
        ++pos_;
        return Arguments(arg);
      }
      if (const int truth = TruthValue(name, &arg.spanish); truth >= 0) {
        arg.kind = Expr::Kind::Boolean;
        arg.boolean = truth == 1;
      } else {
        arg.kind = Expr::Kind::Column;
        arg.name = std::string(name);
      }
      return true;
    }
    return Number(arg);
  }

  // After '(': arguments up to the closing ')'; an empty one is omitted.
  bool Arguments(Expr& call) {
    SkipSpace();
    if (At(')')) {
      ++pos_;
      return true;
    }
    for (;;) {
      Expr arg;
      SkipSpace();
      arg.column = static_cast<int>(pos_) + 1;
      if (!(AtSeparator() || At(')') || pos_ >= s_.size()) && !Comparison(arg)) return false;
      call.args.push_back(std::move(arg));
      SkipSpace();
      if (AtSeparator()) {
        ++pos_;
        continue;
      }
      if (At(')')) {
        ++pos_;
        return true;
      }
      if (pos_ >= s_.size()) return Fail("missing ')' at the end of the line");
      if (comma_ && At(','))
        return Fail("this formula separates arguments with ';', so ',' is its decimal mark: write ';' "
                    "between every two arguments (or force --decimal-point)");
      return Fail(comma_ ? "expected ';' between arguments, or ')'" : "expected ',' between arguments, or ')'");
    }
  }

  // Digits, one decimal mark ('.', or ',' where ';' separates), an exponent.
  bool Number(Expr& arg) {
    const std::size_t start = pos_;
    auto failAtStart = [&](const char* message) {
      pos_ = start;
      return Fail(message);
    };
    auto digits = [&] {
      const std::size_t from = pos_;
      while (pos_ < s_.size() && std::isdigit(static_cast<unsigned char>(s_[pos_]))) ++pos_;
      return pos_ > from;
    };
    bool any = digits();
    char mark = 0;
    if (At('.') || (comma_ && At(','))) {
      mark = s_[pos_++];
      any = digits() || any;
    }
    if (any && (At('e') || At('E'))) {
      const std::size_t e = pos_++;
      if (At('+') || At('-')) ++pos_;
      if (!digits()) pos_ = e;
    }
    if (!any || (pos_ < s_.size() && (IsNameChar(s_[pos_]) || s_[pos_] == '"')))
      return failAtStart(kExpectedOperand);
    if (mark != 0 && decimalMark_ != 0 && mark != decimalMark_)
      return failAtStart("this formula uses both ',' and '.' as decimal marks; write every number the same way");
    if (mark != 0) decimalMark_ = mark;
    std::string text(s_.substr(start, pos_ - start));
    if (mark == ',') text[text.find(',')] = '.';
    double value = 0;
    if (text.size() >= 512) return failAtStart("number longer than 511 characters");
    if (!ReadDecimal(text, value)) return failAtStart("number out of the range of a double");
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

  // A reference with a '$' ($C$2, $C2, C$2 reached by its letters first).
  bool FixedReference(Expr& arg) {
    const std::size_t start = pos_;
    while (pos_ < s_.size() && (IsNameChar(s_[pos_]) || s_[pos_] == '$')) ++pos_;
    int column = 0;
    if (!ReadCellReference(s_.substr(start, pos_ - start), column, arg.row, arg.fixedRow)) {
      pos_ = start;
      return Fail("expected a cell reference such as $C$2 after '$'");
    }
    arg.kind = Expr::Kind::Reference;
    arg.name = std::string(s_.substr(start, pos_ - start));
    arg.binding = column;
    return true;
  }

  // [u2 (km/h)]: a column whose name is not a plain word, as the header has it.
  bool BracketedColumn(Expr& arg) {
    const std::size_t close = s_.find(']', pos_);
    if (close == std::string_view::npos) return Fail("missing ']' after a column name");
    arg.kind = Expr::Kind::Column;
    arg.name = std::string(s_.substr(pos_ + 1, close - pos_ - 1));
    pos_ = close + 1;
    return true;
  }

  bool ErrorValue(Expr& arg) {
    if (const std::size_t length = ErrorLiteralAt(s_.substr(pos_), arg.error, arg.spanish)) {
      pos_ += length;
      arg.kind = Expr::Kind::Error;
      return true;
    }
    return Fail("unknown error literal; expected #NULL!, #DIV/0!, #VALUE!, #REF!, #NAME?, #NUM! or #N/A "
                "(or #¡NULO!, #¡DIV/0!, #¡VALOR!, #¡REF!, #¿NOMBRE?, #¡NUM!, #N/D)");
  }

  static constexpr int kMaxDepth = 64;
  std::string_view s_;
  std::size_t pos_ = 0;
  int depth_ = 0;
  bool comma_ = false, forcedComma_ = false, semicolons_ = false;
  char decimalMark_ = 0;
  ParseError& error_;
};

}  // namespace

bool ReadCellReference(std::string_view text, int& column, long& row, bool& fixedRow) {
  std::size_t at = 0;
  if (at < text.size() && text[at] == '$') ++at;
  column = 0;
  const std::size_t letters = at;
  while (at < text.size() && std::isalpha(static_cast<unsigned char>(text[at])) && at - letters < 3)
    column = column * 26 + (std::toupper(static_cast<unsigned char>(text[at++])) - 'A' + 1);
  if (at == letters || column > 16384) return false;  // columns A to XFD
  --column;
  fixedRow = at < text.size() && text[at] == '$';
  if (fixedRow) ++at;
  row = 0;
  const std::size_t digits = at;
  while (at < text.size() && std::isdigit(static_cast<unsigned char>(text[at])) && at - digits < 7)
    row = row * 10 + (text[at++] - '0');
  return at == text.size() && at > digits && row >= 1 && row <= 1048576;
}

bool ParseCall(std::string_view line, Expr& call, ParseError& error, DecimalMark mark, Writing* writing) {
  call = Expr{};
  Parser parser(line, error, mark);
  bool ok = parser.Line(call);
  if (writing != nullptr) *writing = parser.HowWritten();
  // Unsure of the mark, a formula without ';' that a decimal point cannot
  // read (0,23*A2) is read with a decimal comma; the first error stands
  // when neither reads it.
  if (!ok && mark == DecimalMark::kAuto && !parser.HowWritten().semicolons) {
    Expr again;
    ParseError other;
    Parser comma(line, other, DecimalMark::kComma);
    if (comma.Line(again)) {
      call = std::move(again);
      error = ParseError{};
      if (writing != nullptr) *writing = comma.HowWritten();
      ok = true;
    }
  }
  return ok;
}

bool UsesSpanishName(const Expr& formula) {
  if (formula.spanish) return true;
  for (const Expr& arg : formula.args)
    if (UsesSpanishName(arg)) return true;
  return false;
}

Language DialectOf(const Expr& formula, const Writing& writing) {
  return writing.semicolons || UsesSpanishName(formula) ? Language::kSpanish : Language::kEnglish;
}

}  // namespace torven
