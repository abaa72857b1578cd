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

// What a request answers when a test makes it fail (HostState::faultAt).
enum class Fault {
  kNone,
  kCode,        // the code `faultCode`, the result untouched
  kWrongType,   // success, the result a boolean TRUE whatever was asked
  kNullText,    // success, the result a text with a null pointer
  kLyingCount,  // success, a host text whose count claims more than its characters
  kEmpty,       // success, the result an empty (nil) value
  kFlagged,     // the host's normal answer, its tag or-ed with `faultCode`
};

struct HostState {
  std::u16string addInPath = u"C:\\TORVEN\\TORVEN.xll";
  IDSHEET sheetId = 0x5EE7;
  int failRegistration = -1;  // 0-based index of a register request to refuse
  int answerCode = -1;        // when >= 0, every request answers this code
  std::uint32_t answerFlags = 0;  // or-ed into the tag of every answer the host fills
  bool record = true;         // keep each request in `requests`

  std::vector<Request> requests;
  std::vector<Registration> registry;
  std::vector<std::u16string> definedNames;
  std::vector<Alert> alerts;
  int pathsHandedOut = 0;
  int pathsFreed = 0;
  int registerRequests = 0;
  double nextRegisterId = 1001;

  // Fault injection: request number `faultAt` (0-based, counted since Reset)
  // answers with `fault` instead of what the host would.
  int faultAt = -1;
  Fault fault = Fault::kNone;
  int faultCode = 0;
  // Or, when set, a fault chosen for every request by its number (kNone for
  // the host's normal answer); `code` is the code a kCode fault answers.
  Fault (*faultFor)(int index, int& code) = nullptr;
  int requestCount = 0;
  // Host memory handed out and not yet freed; requests to free anything else
  // (never handed out, or freed already) are counted, not carried out.
  std::vector<const void*> handedOut;
  int foreignFrees = 0;
};

// The host state behind the process's entry point.
HostState& State();
// Forgets every request, registration, name and alert, and frees the host
// memory still handed out; keeps the path, sheet identifier and answer flags.
void Reset();

// The entry point: (function number, count, argument array, result).
int TORVEN_CALL Dispatch(int function, int count, XLOPER12** args, XLOPER12* result);

// Reads a counted wide string (at any alignment).
std::u16string CountedText(const XCHAR* counted);
// Reads a record at any alignment.
XLOPER12 ReadRecord(const XLOPER12* record);

}  // namespace hostsim
