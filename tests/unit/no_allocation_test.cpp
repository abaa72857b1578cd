// The evaluation path allocates nothing: a million worksheet-entry calls, the
// scratch pool requests and releases once a thread has its pool, and the
// call-and-release of a request, all with a counting allocator in place.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>

#include "core/torven_core.h"
#include "host/bridge.h"
#include "host/scratch.h"
#include "tools/hostsim/host.h"
#include "worksheet/entries.h"

// glibc's allocator, wrapped so that every heap request of the process counts.
extern "C" void* __libc_malloc(std::size_t);
extern "C" void* __libc_calloc(std::size_t, std::size_t);
extern "C" void* __libc_realloc(void*, std::size_t);

namespace {
std::atomic<long> heapRequests{0};
}  // namespace

extern "C" void* malloc(std::size_t n) {
  heapRequests.fetch_add(1, std::memory_order_relaxed);
  return __libc_malloc(n);
}
extern "C" void* calloc(std::size_t n, std::size_t size) {
  heapRequests.fetch_add(1, std::memory_order_relaxed);
  return __libc_calloc(n, size);
}
extern "C" void* realloc(void* p, std::size_t n) {
  heapRequests.fetch_add(1, std::memory_order_relaxed);
  return __libc_realloc(p, n);
}

namespace {

XLOPER12 Num(double x) {
  XLOPER12 r{};
  r.val.num = x;
  r.xltype = xl::kNum;
  return r;
}

TEST(NoAllocation, AMillionEntryCalls) {
  XLOPER12 a[] = {Num(187), Num(22.07), Num(21.5), Num(12.3), Num(0), Num(1.409), Num(2.778),
                  Num(10), Num(100), Num(50.8)};
  XLOPER12 text{};
  text.xltype = xl::kStr;
  const long before = heapRequests.load();
  double sum = 0;
  for (int i = 0; i < 1000000; ++i) {
    a[0].val.num = 1 + i % 366;
    sum += ETPF56_XLL(&a[0], &a[1], &a[2], &a[3], &a[4], &a[5], &a[6], &a[7], &a[8], &a[9])->val.num;
    sum += PVHRF56_XLL(&a[2], &a[3], &a[9], &a[8])->val.num;
    sum += RADF56A_XLL(&a[0], &a[6], &a[4], &a[5], &a[9])->val.num;
    sum += JDIA_XLL(&a[7], &a[6], &text)->val.err;
  }
  EXPECT_EQ(heapRequests.load() - before, 0);
  EXPECT_GT(sum, 0);
}

TEST(NoAllocation, PoolRequestsAndReleasesOnceAThreadHasItsPool) {
  host::ScratchRelease();  // this thread's pool exists from here on
  XLOPER12 x = Num(1);
  hostsim::State().answerCode = 0;
  hostsim::State().record = false;  // the host's own bookkeeping is not the add-in's
  const long before = heapRequests.load();
  for (int i = 0; i < 100000; ++i) {
    ASSERT_NE(host::ScratchText12(u"temporary"), nullptr);
    ASSERT_NE(host::ScratchInt12(i), nullptr);
    host::HostCallAndRelease(1, nullptr, 1, &x);
  }
  EXPECT_EQ(heapRequests.load() - before, 0);
  EXPECT_EQ(host::ScratchFillLevel(), 0u);
  hostsim::State().answerCode = -1;
  hostsim::State().record = true;
}

}  // namespace
