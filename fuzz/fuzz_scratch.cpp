// The scratch pools under arbitrary sequences of requests, builders and
// releases on a few threads at once: no piece is ever handed to two threads,
// and every piece lies within its pool.
#include <cstdlib>
#include <cstring>
#include <thread>
#include <vector>

#include "fuzz/fuzz_input.h"
#include "host/scratch.h"

namespace {

void Check(bool condition) {
  if (!condition) std::abort();
}

void Worker(std::vector<std::uint8_t> ops, unsigned char mark) {
  struct Piece {
    unsigned char* at;
    std::size_t size;
  };
  std::vector<Piece> pieces;
  for (std::size_t i = 0; i + 1 < ops.size(); i += 2) {
    const std::size_t size = static_cast<std::size_t>(ops[i + 1]) * (ops[i] % 3 == 0 ? 41u : 1u);
    switch (ops[i] % 6) {
      case 0:
      case 1: {
        const std::size_t before = host::ScratchFillLevel();
        auto* p = static_cast<unsigned char*>(host::ScratchAlloc(size));
        Check((p != nullptr) == (size != 0 && size <= host::kScratchPoolBytes - before));
        if (p != nullptr) {
          std::memset(p, mark, size);
          pieces.push_back({p, size});
        }
        break;
      }
      case 2: host::ScratchRelease(); pieces.clear(); break;
      case 3: {
        std::u16string text(ops[i + 1], u'x');
        host::ScratchText12(text.c_str());
        break;
      }
      case 4: host::ScratchInt12(ops[i + 1]); break;
      default: host::ScratchBool(ops[i + 1]); break;
    }
    // Every piece this thread still holds keeps its mark.
    for (const Piece& piece : pieces)
      for (std::size_t k = 0; k < piece.size; ++k) Check(piece.at[k] == mark);
  }
  host::ScratchRelease();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const int threads = size > 0 ? 1 + data[0] % 4 : 1;
  std::vector<std::vector<std::uint8_t>> streams(static_cast<std::size_t>(threads));
  for (std::size_t i = 1; i < size; ++i) streams[i % streams.size()].push_back(data[i]);
  std::vector<std::thread> running;
  for (int t = 0; t < threads; ++t)
    running.emplace_back(Worker, streams[static_cast<std::size_t>(t)], static_cast<unsigned char>(0xA0 + t));
  for (auto& t : running) t.join();
  return 0;
}
