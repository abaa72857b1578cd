// Reads typed values from a fuzzer's bytes; past the end it yields zeros.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace fuzz {

class Input {
 public:
  Input(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

  template <typename T>
  T Take() {
    T value{};
    const std::size_t n = size_ - pos_ < sizeof(T) ? size_ - pos_ : sizeof(T);
    std::memcpy(&value, data_ + pos_, n);
    pos_ += n;
    return value;
  }
  std::uint8_t Byte() { return Take<std::uint8_t>(); }
  bool Empty() const { return pos_ >= size_; }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t pos_ = 0;
};

}  // namespace fuzz
