// Prints the version resource of a Windows image (.xll, .dll, .exe) as
// "Key=Value" lines, UTF-8: the fixed file and product versions, then every
// string of its string tables.  Reads the file only; exit 1 when the file is
// no PE image or carries no version resource.
#include <cstdint>
#include <fstream>
#include <iostream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "sheet/encoding.h"

namespace {

using Bytes = std::vector<unsigned char>;

std::uint32_t U16(const Bytes& b, std::size_t at) {
  return at + 2 <= b.size() ? static_cast<std::uint32_t>(b[at] | b[at + 1] << 8) : 0;
}
std::uint32_t U32(const Bytes& b, std::size_t at) { return U16(b, at) | U16(b, at + 2) << 16; }

constexpr std::uint32_t kResourceDirectory = 2;  // data directory index
constexpr std::uint32_t kVersionType = 16;       // RT_VERSION

// The file offset of a relative virtual address, through the section table.
std::optional<std::size_t> FileOffset(const Bytes& image, std::uint32_t rva) {
  const std::size_t pe = U32(image, 0x3C);
  const std::size_t sections = pe + 24 + U16(image, pe + 20);
  for (std::uint32_t i = 0; i < U16(image, pe + 6); ++i) {
    const std::size_t s = sections + 40 * i;
    const std::uint32_t start = U32(image, s + 12), size = U32(image, s + 8);
    if (rva >= start && rva < start + size) return rva - start + U32(image, s + 20);
  }
  return std::nullopt;
}

// The version resource's bytes: type 16, its first name, its first language.
std::optional<Bytes> VersionResource(const Bytes& image) {
  if (U16(image, 0) != 0x5A4D) return std::nullopt;  // "MZ"
  const std::size_t pe = U32(image, 0x3C);
  if (U32(image, pe) != 0x4550) return std::nullopt;  // "PE\0\0"
  const std::size_t optional = pe + 24;
  const std::size_t directories = optional + (U16(image, optional) == 0x20B ? 112 : 96);
  const auto root = FileOffset(image, U32(image, directories + 8 * kResourceDirectory));
  if (!root) return std::nullopt;
  // Walks one directory level: the entry with `id` (or the first), its offset.
  auto enter = [&](std::size_t dir, std::optional<std::uint32_t> id) -> std::optional<std::size_t> {
    const std::uint32_t count = U16(image, dir + 12) + U16(image, dir + 14);
    for (std::uint32_t i = 0; i < count; ++i) {
      const std::size_t e = dir + 16 + 8 * i;
      if (!id || U32(image, e) == *id) return *root + (U32(image, e + 4) & 0x7FFFFFFF);
    }
    return std::nullopt;
  };
  auto type = enter(*root, kVersionType);
  auto name = type ? enter(*type, std::nullopt) : std::nullopt;
  auto language = name ? enter(*name, std::nullopt) : std::nullopt;
  if (!language) return std::nullopt;
  const auto data = FileOffset(image, U32(image, *language));
  const std::uint32_t size = U32(image, *language + 4);
  if (!data || *data + size > image.size()) return std::nullopt;
  return Bytes(image.begin() + static_cast<long>(*data), image.begin() + static_cast<long>(*data + size));
}

// The zero-terminated 16-bit text at `at`, as UTF-8; `end` is just past it.
std::string Utf8(const Bytes& b, std::size_t at, std::size_t& end) {
  std::u16string text;
  for (end = at; end + 1 < b.size() && U16(b, end) != 0; end += 2) {
    text += static_cast<char16_t>(U16(b, end));
  }
  end += 2;
  return torven::ToUtf8(text);
}

std::size_t Aligned(std::size_t at) { return (at + 3) & ~std::size_t{3}; }

std::string Version(std::uint32_t high, std::uint32_t low) {
  return std::to_string(high >> 16) + "." + std::to_string(high & 0xFFFF) + "." +
         std::to_string(low >> 16) + "." + std::to_string(low & 0xFFFF);
}

// One node: length, value length, type (1: text), key, value, children.
void PrintNode(const Bytes& b, std::size_t at, std::size_t limit, int depth) {
  const std::size_t length = U16(b, at), valueLength = U16(b, at + 2);
  if (length < 6 || at + length > limit) return;
  std::size_t keyEnd = 0;
  const std::string key = Utf8(b, at + 6, keyEnd);
  const std::size_t value = Aligned(keyEnd);
  if (depth == 0 && valueLength >= 52 && U32(b, value) == 0xFEEF04BD) {
    std::cout << "FileVersion(fixed)=" << Version(U32(b, value + 8), U32(b, value + 12)) << "\n"
              << "ProductVersion(fixed)=" << Version(U32(b, value + 16), U32(b, value + 20)) << "\n";
  }
  if (depth == 3 && U16(b, at + 4) == 1) {
    std::size_t end = 0;
    std::cout << key << "=" << (valueLength ? Utf8(b, value, end) : "") << "\n";
    return;
  }
  const std::size_t valueBytes = U16(b, at + 4) == 1 ? 2 * valueLength : valueLength;
  for (std::size_t child = Aligned(value + valueBytes); child + 6 < at + length;) {
    const std::size_t childLength = U16(b, child);
    if (childLength == 0) break;
    if (key != "VarFileInfo") PrintNode(b, child, at + length, depth + 1);
    child = Aligned(child + childLength);
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: read_version FILE\n";
    return 2;
  }
  std::ifstream in(argv[1], std::ios::binary);
  const Bytes image{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  const auto resource = VersionResource(image);
  if (!resource) {
    std::cerr << argv[1] << ": no version resource\n";
    return 1;
  }
  PrintNode(*resource, 0, resource->size(), 0);
  return 0;
}
