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
using hostsim::F1, hostsim::F2, hostsim::F3, hostsim::F4, hostsim::F5, hostsim::F10;

// The export's address, or null.
void* CoreExport(const std::string& name, const std::string& signature);

// Record builders for calling the entries.
XLOPER12 Num(double x);
XLOPER12 Err(std::int32_t code);
XLOPER12 Typed(std::uint32_t type);
XLOPER12 Str(const XCHAR* counted);

}  // namespace testing_support
