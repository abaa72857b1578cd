// The deliverable under test, loaded once per test program as the host loads
// it, and the export names of its numeric functions on this platform.
#pragma once

#include <string>

#include "host/records.h"
#include "platform/export.h"
#include "tools/hostsim/addin.h"

namespace testing_support {

// The loaded and started add-in (xlAutoOpen has run).
hostsim::AddIn& AddInUnderTest();

// Pointer types of the numeric functions by their count of double arguments.
using F1 = double(TORVEN_CALL*)(double);
using F2 = double(TORVEN_CALL*)(double, double);
using F3 = double(TORVEN_CALL*)(double, double, double);
using F4 = double(TORVEN_CALL*)(double, double, double, double);
using F5 = double(TORVEN_CALL*)(double, double, double, double, double);
using F10 = double(TORVEN_CALL*)(double, double, double, double, double, double, double, double,
                                 double, double);

// The export's address, or null.
void* CoreExport(const std::string& name, const std::string& signature);

// Record builders for calling the entries.
XLOPER12 Num(double x);
XLOPER12 Err(std::int32_t code);
XLOPER12 Typed(std::uint32_t type);
XLOPER12 Str(const XCHAR* counted);

}  // namespace testing_support
