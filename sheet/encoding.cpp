#include "sheet/encoding.h"

#include <cstdint>
#include <cstring>


namespace torven {
namespace {

// The characters of Windows-1252's bytes 0x80..0x9F (the rest are Latin-1).
constexpr char16_t kHighControls[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

// What a lead byte announces: the continuation bytes that follow (-1 for a
// byte no sequence begins with) and the range of the first of them (shortest
// forms only, no surrogates, at most U+10FFFF).
int Continuations(unsigned char b, unsigned char& low, unsigned char& high) {
  low = 0x80, high = 0xBF;
  if (b < 0x80) return 0;
  if (b >= 0xC2 && b <= 0xDF) return 1;
  if (b >= 0xE0 && b <= 0xEF) return low = b == 0xE0 ? 0xA0 : 0x80, high = b == 0xED ? 0x9F : 0xBF, 2;
  if (b >= 0xF0 && b <= 0xF4) return low = b == 0xF0 ? 0x90 : 0x80, high = b == 0xF4 ? 0x8F : 0xBF, 3;
  return -1;
}

}  // namespace

std::size_t Utf8SequenceLength(std::string_view bytes) {
  if (bytes.empty()) return 0;
  unsigned char low, high;
  const int more = Continuations(static_cast<unsigned char>(bytes[0]), low, high);
  if (more < 0 || bytes.size() <= static_cast<std::size_t>(more)) return 0;
  for (int i = 1; i <= more; ++i) {
    const auto b = static_cast<unsigned char>(bytes[static_cast<std::size_t>(i)]);
    if (b < low || b > high) return 0;
    low = 0x80, high = 0xBF;
  }
  return static_cast<std::size_t>(more) + 1;
}

void Utf8Check::Feed(std::string_view bytes) {
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    if (!valid_) return;
    // Runs of ASCII, eight bytes at a time.
    if (pending_ == 0) {
      std::uint64_t word;
      while (i + sizeof word <= bytes.size() &&
             (std::memcpy(&word, bytes.data() + i, sizeof word), (word & 0x8080808080808080u) == 0))
        i += sizeof word;
      if (i == bytes.size()) return;
    }
    const auto b = static_cast<unsigned char>(bytes[i]);
    if (pending_ > 0) {
      valid_ = b >= low_ && b <= high_;
      low_ = 0x80, high_ = 0xBF;
      --pending_;
      continue;
    }
    pending_ = Continuations(b, low_, high_);
    valid_ = pending_ >= 0;
  }
}

std::string Windows1252ToUtf8(std::string_view bytes) {
  std::u16string text;
  text.reserve(bytes.size());
  for (const char ch : bytes) {
    const auto b = static_cast<unsigned char>(ch);
    text.push_back(b >= 0x80 && b < 0xA0 ? kHighControls[b - 0x80] : static_cast<char16_t>(b));
  }
  return ToUtf8(text);
}

bool Utf8ToWindows1252(std::string_view text, std::string& out) {
  out.clear();
  for (const char16_t c : FromUtf8(text)) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) {
      out += static_cast<char>(c);
      continue;
    }
    int byte = -1;
    for (int i = 0; i < 32 && byte < 0; ++i)
      if (kHighControls[i] == c) byte = 0x80 + i;
    if (byte < 0) return false;
    out += static_cast<char>(byte);
  }
  return true;
}

const char* EncodingName(Encoding encoding) {
  switch (encoding) {
    case Encoding::kUtf8: return "UTF-8";
    case Encoding::kWindows1252: return "Windows-1252";
    case Encoding::kUtf16LE: return "UTF-16LE";
    case Encoding::kUtf16BE: return "UTF-16BE";
  }
  return "";
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

char* PutUtf8(char32_t c, char* out) {
  if (c < 0x80) {
    *out++ = static_cast<char>(c);
  } else if (c < 0x800) {
    *out++ = static_cast<char>(0xC0 | (c >> 6));
    *out++ = static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    *out++ = static_cast<char>(0xE0 | (c >> 12));
    *out++ = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    *out++ = static_cast<char>(0x80 | (c & 0x3F));
  } else {
    *out++ = static_cast<char>(0xF0 | (c >> 18));
    *out++ = static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    *out++ = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    *out++ = static_cast<char>(0x80 | (c & 0x3F));
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
    char bytes[4];
    out.append(bytes, PutUtf8(c, bytes));
  }
  return out;
}

void AppendUtf16(std::string& out, std::string_view text, bool bigEndian) {
  for (const char16_t unit : FromUtf8(text)) {
    const char high = static_cast<char>(unit >> 8), low = static_cast<char>(unit & 0xFF);
    out += bigEndian ? high : low;
    out += bigEndian ? low : high;
  }
}

}  // namespace torven
