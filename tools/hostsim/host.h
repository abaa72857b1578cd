// A substitute for the spreadsheet host: answers the requests the add-in
// makes through its current-API entry point, and keeps what they did (the
// functions registered, names defined, alerts shown, values freed) so that a
// program or a test can look at it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "host/records.h"

namespace hostsim {

// A value as the host saw it in a request (strings copied out).
struct SeenValue {
  std::uint32_t type = 0;
  double num = 0;
  std::int32_t integer = 0;  // boolean, error or integer value
  std::u16string text;
  const void* address = nullptr;  // the record's address in the request
};

struct Request {
  int function = 0;
  int count = 0;
  std::vector<SeenValue> args;
  bool hadResult = false;
};

struct Registration {
  std::u16string path;
  std::u16string columns[20];  // procedure, type text, name, arguments, ...
  const std::u16string& Procedure() const { return columns[0]; }
  const std::u16string& TypeText() const { return columns[1]; }
  const std::u16string& Name() const { return columns[2]; }
  const std::u16string& ArgumentText() const { return columns[3]; }
};

struct Alert {
  std::u16string text;
  std::int32_t type = 0;
};

struct HostState {
  std::u16string addInPath = u"C:\\TORVEN\\TORVEN.xll";
  IDSHEET sheetId = 0x5EE7;
  int failRegistration = -1;  // 0-based index of a register request to refuse
  int answerCode = -1;        // when >= 0, every request answers this code
  bool record = true;         // keep each request in `requests`

  std::vector<Request> requests;
  std::vector<Registration> registry;
  std::vector<std::u16string> definedNames;
  std::vector<Alert> alerts;
  int pathsHandedOut = 0;
  int pathsFreed = 0;
  int registerRequests = 0;
  double nextRegisterId = 1001;
};

// The host state behind the process's entry point.
HostState& State();
// Forgets every request, registration, name and alert; keeps the settings.
void Reset();

// The entry point: (function number, count, argument array, result).
int TORVEN_CALL Dispatch(int function, int count, XLOPER12** args, XLOPER12* result);

// Reads a counted wide string (at any alignment).
std::u16string CountedText(const XCHAR* counted);
// Reads a record at any alignment.
XLOPER12 ReadRecord(const XLOPER12* record);

}  // namespace hostsim
