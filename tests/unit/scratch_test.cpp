// Scratch pools and temporary value builders.
#include <gtest/gtest.h>

#include <atomic>
#include <mutex>
#include <cstdlib>
#include <cstring>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "host/bridge.h"
#include "host/scratch.h"
#include "tools/hostsim/host.h"

namespace {

using namespace host;

XLOPER12 Read12(const XLOPER12* p) {
  XLOPER12 r;
  std::memcpy(&r, p, sizeof r);
  return r;
}

XLOPER Read(const XLOPER* p) {
  XLOPER r;
  std::memcpy(&r, p, sizeof r);
  return r;
}

class Scratch : public ::testing::Test {
 protected:
  void SetUp() override { ScratchRelease(); }
  void TearDown() override { ScratchRelease(); }
};

TEST_F(Scratch, PieceSizesAndLimits) {
  EXPECT_EQ(ScratchAlloc(0), nullptr);
  EXPECT_EQ(ScratchFillLevel(), 0u);
  auto* start = static_cast<unsigned char*>(ScratchAlloc(kScratchPoolBytes));
  ASSERT_NE(start, nullptr);
  EXPECT_EQ(ScratchAlloc(1), nullptr);
  ScratchRelease();
  EXPECT_EQ(ScratchAlloc(kScratchPoolBytes + 1), nullptr);
  EXPECT_EQ(ScratchAlloc(10000), start);  // after a release: the block's start again
  EXPECT_EQ(ScratchAlloc(241), nullptr);
  EXPECT_EQ(ScratchFillLevel(), 10000u);
  EXPECT_EQ(ScratchAlloc(240), start + 10000);
  EXPECT_EQ(ScratchFillLevel(), kScratchPoolBytes);
}

TEST_F(Scratch, PiecesAreAdjacent) {
  auto* a = static_cast<unsigned char*>(ScratchAlloc(5));
  auto* b = static_cast<unsigned char*>(ScratchAlloc(7));
  auto* c = static_cast<unsigned char*>(ScratchAlloc(1));
  EXPECT_EQ(b, a + 5);
  EXPECT_EQ(c, b + 7);
}

TEST_F(Scratch, ReleaseGivesAThreadWithoutPoolAnEmptyOne) {
  const int before = ScratchTableCount();
  std::thread([] { ScratchRelease(); EXPECT_EQ(ScratchFillLevel(), 0u); }).join();
  EXPECT_EQ(ScratchTableCount(), before + 1);
}

TEST_F(Scratch, TableGrowsByDoublingAndKeepsEarlierPieces) {
  // Threads stay alive together so that their identifiers are distinct.
  constexpr int kThreads = 20;
  std::vector<std::thread> threads;
  std::atomic<int> ready{0};
  std::atomic<bool> done{false};
  std::atomic<int> failures{0};
  std::mutex order;
  std::vector<std::pair<int, int>> countsAndCapacities;
  for (int t = 0; t < kThreads; ++t) {
    threads.emplace_back([&, t] {
      {
        std::lock_guard<std::mutex> g(order);  // one thread at a time joins the table
        auto* piece = static_cast<unsigned char*>(ScratchAlloc(100));
        if (piece == nullptr) ++failures;
        else std::memset(piece, t, 100);
        countsAndCapacities.emplace_back(ScratchTableCount(), ScratchTableCapacity());
        ++ready;
      }
      while (!done) std::this_thread::yield();
      // The piece and the fill level survived every growth.
      if (ScratchFillLevel() != 100) ++failures;
      auto* again = static_cast<unsigned char*>(ScratchAlloc(1));
      if (again == nullptr) { ++failures; return; }
      for (int i = 1; i <= 100; ++i)
        if (again[-i] != static_cast<unsigned char>(t)) { ++failures; break; }
      ScratchRelease();  // a thread gives its pieces back before it ends
    });
    while (ready < t + 1) std::this_thread::yield();
  }
  done = true;
  for (auto& th : threads) th.join();
  EXPECT_EQ(failures, 0);
  for (const auto& [count, capacity] : countsAndCapacities) {
    int expected = 4;
    while (expected < count) expected *= 2;
    EXPECT_EQ(capacity, expected) << "count " << count;
  }
}

TEST_F(Scratch, ConcurrentThreadsNeverShareAPiece) {
  constexpr int kThreads = 8, kRounds = 2000;
  std::vector<std::thread> threads;
  std::atomic<int> failures{0};
  for (int t = 0; t < kThreads; ++t) {
    threads.emplace_back([&, t] {
      for (int round = 0; round < kRounds; ++round) {
        auto* piece = static_cast<unsigned char*>(ScratchAlloc(64));
        if (piece == nullptr) { ScratchRelease(); continue; }
        std::memset(piece, t, 64);
        std::this_thread::yield();
        for (int i = 0; i < 64; ++i)
          if (piece[i] != t) { ++failures; break; }
        if (round % 50 == 49) ScratchRelease();
      }
      ScratchRelease();
    });
  }
  for (auto& th : threads) th.join();
  EXPECT_EQ(failures, 0);
}

// At the end of a process (an ELF destructor runs then too) another thread
// may still hold pieces: the teardown must leave their block alone.
TEST_F(Scratch, TeardownKeepsTheBlockOfPiecesStillHeld) {
  auto* piece = static_cast<unsigned char*>(ScratchAlloc(64));
  ASSERT_NE(piece, nullptr);
  ScratchTeardown();
  std::memset(piece, 0x5A, 64);  // a use after free, were the block freed
  EXPECT_EQ(piece[63], 0x5A);
  ScratchRelease();
  EXPECT_EQ(ScratchFillLevel(), 0u);
  std::free(piece);  // the first piece of an empty pool is its block
}

TEST_F(Scratch, TextBuilders) {
  XLOPER12 empty = Read12(ScratchText12(u""));
  EXPECT_EQ(empty.xltype, xl::kStr);
  EXPECT_EQ(hostsim::CountedText(empty.val.str), u"");
  EXPECT_EQ(Read12(ScratchText12(nullptr)).val.str[0], 0);
  for (int length : {255, 300}) {
    ScratchRelease();
    const std::u16string text(static_cast<std::size_t>(length), u'\u00e9');
    const XLOPER12 r = Read12(ScratchText12(text.c_str()));
    EXPECT_EQ(hostsim::CountedText(r.val.str), text);
    EXPECT_EQ(ScratchFillLevel(), sizeof(XLOPER12) + 2 * (text.size() + 1));
  }
  ScratchRelease();
  XLOPER* five = ScratchText("hello");
  ASSERT_NE(five, nullptr);
  EXPECT_EQ(ScratchFillLevel(), sizeof(XLOPER) + 6);
  const XLOPER r = Read(five);
  EXPECT_EQ(r.xltype, xl::kStr);
  EXPECT_EQ(r.val.str, reinterpret_cast<char*>(five) + sizeof(XLOPER));  // right behind the record
  EXPECT_EQ(r.val.str[0], 5);
  EXPECT_EQ(std::string(r.val.str + 1, 5), "hello");
}

TEST_F(Scratch, LegacyTextsOver255BytesAreRefused) {
  const std::string longText(300, 'x');
  EXPECT_EQ(ScratchText(longText.c_str()), nullptr);
  std::string buffer = "?" + longText;
  EXPECT_EQ(ScratchTextInPlace(buffer.data()), nullptr);
  EXPECT_EQ(buffer[0], '?');  // untouched
  EXPECT_EQ(ScratchFillLevel(), 0u);
  std::string exact = "?" + std::string(255, 'y');
  XLOPER* in = ScratchTextInPlace(exact.data());
  ASSERT_NE(in, nullptr);
  EXPECT_EQ(static_cast<unsigned char>(exact[0]), 255);
  EXPECT_EQ(Read(in).val.str, exact.data());
}

TEST_F(Scratch, ScalarBuilders) {
  EXPECT_EQ(Read12(ScratchBool12(5)).val.xbool, 1);
  EXPECT_EQ(Read12(ScratchBool12(-1)).val.xbool, 1);
  EXPECT_EQ(Read12(ScratchBool12(0)).val.xbool, 0);
  EXPECT_EQ(Read(ScratchBool(7)).val.xbool, 1);
  EXPECT_EQ(Read12(ScratchInt12(-70000)).val.w, -70000);
  EXPECT_EQ(Read12(ScratchInt12(2048)).xltype, xl::kInt);
  EXPECT_EQ(Read(ScratchInt(-5)).val.w, -5);
  EXPECT_EQ(Read12(ScratchError12(42)).val.err, 42);
  EXPECT_EQ(Read(ScratchError(7)).xltype, xl::kErr);
  EXPECT_EQ(Read12(ScratchMissing12()).xltype, xl::kMissing);
  EXPECT_EQ(Read(ScratchMissing()).xltype, xl::kMissing);
  EXPECT_EQ(Read12(ScratchNumber12(2.5)).val.num, 2.5);
  EXPECT_EQ(Read(ScratchNumber(-1.5)).val.num, -1.5);
  EXPECT_EQ(ScratchFillLevel(), 8 * sizeof(XLOPER12) + 5 * sizeof(XLOPER));
}

TEST_F(Scratch, BuildersReturnNullWhenThePoolIsFull) {
  ASSERT_NE(ScratchAlloc(kScratchPoolBytes - sizeof(XLOPER) + 1), nullptr);
  const std::size_t level = ScratchFillLevel();
  EXPECT_EQ(ScratchNumber(1), nullptr);
  EXPECT_EQ(ScratchNumber12(1), nullptr);
  EXPECT_EQ(ScratchText12(u"x"), nullptr);
  EXPECT_EQ(ScratchMissing(), nullptr);
  EXPECT_EQ(ScratchSheetRef12(0, 0, 0, 0), nullptr);
  EXPECT_EQ(ScratchFillLevel(), level);
}

TEST_F(Scratch, ReferenceBuilders) {
  const XLOPER12 row = Read12(ScratchSheetRow12(0));
  ASSERT_EQ(row.xltype, xl::kRef);
  EXPECT_EQ(row.val.mref.idSheet, hostsim::State().sheetId);
  XLMREF12 block;
  std::memcpy(&block, row.val.mref.lpmref, sizeof block);
  EXPECT_EQ(block.count, 1);
  EXPECT_EQ(block.reftbl[0].rwFirst, 0);
  EXPECT_EQ(block.reftbl[0].rwLast, 0);
  EXPECT_EQ(block.reftbl[0].colFirst, 0);
  EXPECT_EQ(block.reftbl[0].colLast, 16383);
  const XLOPER12 column = Read12(ScratchSheetColumn12(3));
  std::memcpy(&block, column.val.mref.lpmref, sizeof block);
  EXPECT_EQ(block.reftbl[0].rwLast, 1048575);
  EXPECT_EQ(block.reftbl[0].colFirst, 3);
  // The legacy family asks through the legacy call library.
  XLOPER* legacy = ScratchSheetColumn(2);
  ASSERT_NE(legacy, nullptr);
  const XLOPER l = Read(legacy);
  EXPECT_EQ(l.xltype, xl::kRef);
  XLMREF lblock;
  std::memcpy(&lblock, l.val.mref.lpmref, sizeof lblock);
  EXPECT_EQ(lblock.count, 1);
  EXPECT_EQ(lblock.reftbl[0].rwFirst, 0);
  EXPECT_EQ(lblock.reftbl[0].rwLast, 65535);
  EXPECT_EQ(lblock.reftbl[0].colFirst, 2);
  EXPECT_EQ(lblock.reftbl[0].colLast, 2);
  ScratchRelease();  // the next record and block start aligned
  EXPECT_EQ(Read(ScratchSheetRow(4)).val.mref.lpmref->reftbl[0].colLast, 255);
  ScratchRelease();
  EXPECT_EQ(Read(ScratchSheetCell(9, 8)).val.mref.lpmref->reftbl[0].rwLast, 9);
  // A host that refuses: null, and the pieces stay taken until the release.
  hostsim::State().answerCode = xl::kRetFailed;
  const std::size_t level = ScratchFillLevel();
  EXPECT_EQ(ScratchSheetCell12(1, 1), nullptr);
  EXPECT_EQ(ScratchFillLevel(), level + sizeof(XLOPER12) + sizeof(XLMREF12));
  hostsim::State().answerCode = -1;
}

}  // namespace
