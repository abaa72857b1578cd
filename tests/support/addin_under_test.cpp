#include "tests/support/addin_under_test.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

#include "platform/export.h"
#include "platform/platform.h"

namespace testing_support {

hostsim::AddIn& AddInUnderTest() {
  static hostsim::AddIn* addIn = [] {
    auto* a = new hostsim::AddIn;
    const char* fromEnvironment = std::getenv("TORVEN_ADDIN");
    // By default the add-in built beside this program (Windows searches the
    // program's folder by itself).
    const std::string beside = platform::kWindows ? std::string(TORVEN_ADDIN_FILE)
                                                  : platform::ExecutableDirectory() + "/" + TORVEN_ADDIN_FILE;
    const std::string path = fromEnvironment != nullptr ? fromEnvironment : beside;
    std::string error;
    if (!a->Open(path, error)) {
      std::fprintf(stderr, "%s\n", error.c_str());
      std::abort();
    }
    a->Start();
    return a;
  }();
  return *addIn;
}

void* CoreExport(const std::string& name, const std::string& signature) {
  return AddInUnderTest().Symbol(hostsim::NumericExportName(name, signature).c_str());
}

XLOPER12 Num(double x) {
  XLOPER12 r{};
  r.val.num = x;
  r.xltype = xl::kNum;
  return r;
}

XLOPER12 Err(std::int32_t code) {
  XLOPER12 r{};
  r.val.err = code;
  r.xltype = xl::kErr;
  return r;
}

XLOPER12 Typed(std::uint32_t type) {
  XLOPER12 r{};
  r.xltype = type;
  return r;
}

XLOPER12 Str(const XCHAR* counted) {
  XLOPER12 r{};
  r.val.str = const_cast<XCHAR*>(counted);
  r.xltype = xl::kStr;
  return r;
}

}  // namespace testing_support

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  testing_support::AddInUnderTest();
  return RUN_ALL_TESTS();
}
