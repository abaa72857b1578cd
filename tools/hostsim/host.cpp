#include "tools/hostsim/host.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <string>

namespace hostsim {
namespace {

HostState state;
std::uint32_t flagsOfThisAnswer = 0;  // the flags of the request being answered

void WriteRecord(XLOPER12* to, const XLOPER12& value) { std::memcpy(to, &value, sizeof value); }

// Writes an answer the host filled, with the release flags of this answer.
void WriteAnswer(XLOPER12* to, XLOPER12 value) {
  value.xltype |= flagsOfThisAnswer;
  WriteRecord(to, value);
}

SeenValue See(const XLOPER12* pointer) {
  SeenValue v;
  v.address = pointer;
  if (pointer == nullptr) return v;
  const XLOPER12 r = ReadRecord(pointer);
  v.type = r.xltype;
  switch (xl::AnswerType(r.xltype)) {
    case xl::kNum: v.num = r.val.num; break;
    case xl::kStr: v.text = CountedText(r.val.str); break;
    case xl::kBool: v.integer = r.val.xbool; break;
    case xl::kErr: v.integer = r.val.err; break;
    case xl::kInt: v.integer = r.val.w; break;
    default: break;
  }
  return v;
}

// A counted copy of `text` that the host owns until the add-in frees it; a
// lying count claims `extra` characters more (the buffer holds them, as
// zeros, so that the host's own reads stay inside it).
XCHAR* HostString(const std::u16string& text, std::size_t extra = 0) {
  const std::size_t claimed = text.size() + extra;
  auto* s = static_cast<XCHAR*>(std::calloc(claimed + 2, sizeof(XCHAR)));
  s[0] = static_cast<XCHAR>(claimed);
  std::memcpy(s + 1, text.data(), sizeof(XCHAR) * text.size());
  state.handedOut.push_back(s);
  ++state.pathsHandedOut;
  return s;
}

int GetName(XLOPER12* result) {
  if (result == nullptr) return xl::kRetFailed;
  XLOPER12 r{};
  r.val.str = HostString(state.addInPath);
  r.xltype = xl::kStr;
  WriteAnswer(result, r);
  return xl::kRetSuccess;
}

int Free(int count, XLOPER12** args) {
  for (int i = 0; i < count; ++i) {
    XLOPER12 r = ReadRecord(args[i]);
    if (xl::AnswerType(r.xltype) != xl::kStr || r.val.str == nullptr) continue;
    auto& out = state.handedOut;
    const auto it = std::find(out.begin(), out.end(), r.val.str);
    if (it == out.end()) {
      ++state.foreignFrees;  // never handed out, or freed already: not freed again
      continue;
    }
    out.erase(it);
    std::free(r.val.str);
    ++state.pathsFreed;
    r.val.str = nullptr;
    WriteRecord(args[i], r);
  }
  return xl::kRetSuccess;
}

// The answer of a request made to fail.
int Faulty(Fault fault, int code, XLOPER12* result) {
  if (fault == Fault::kCode) return code;
  if (result == nullptr) return xl::kRetSuccess;
  XLOPER12 r{};
  switch (fault) {
    case Fault::kWrongType: r.val.xbool = 1, r.xltype = xl::kBool; break;
    case Fault::kNullText: r.val.str = nullptr, r.xltype = xl::kStr; break;
    case Fault::kLyingCount: r.val.str = HostString(state.addInPath, 1000), r.xltype = xl::kStr; break;
    default: r.xltype = xl::kNil; break;
  }
  WriteRecord(result, r);
  return xl::kRetSuccess;
}

int Register(const Request& request, XLOPER12* result) {
  const int index = state.registerRequests++;
  if (index == state.failRegistration || request.count < 4) return xl::kRetFailed;
  Registration reg;
  reg.path = request.args[0].text;
  for (int c = 0; c < 20 && c + 1 < request.count; ++c) reg.columns[c] = request.args[c + 1].text;
  // A new registration of the same name replaces the old one.
  for (auto it = state.registry.begin(); it != state.registry.end(); ++it)
    if (it->Name() == reg.Name()) {
      state.registry.erase(it);
      break;
    }
  state.registry.push_back(reg);
  bool defined = false;
  for (const auto& n : state.definedNames) defined = defined || n == reg.Name();
  if (!defined) state.definedNames.push_back(reg.Name());
  if (result != nullptr) {
    XLOPER12 r{};
    r.val.num = state.nextRegisterId++;
    r.xltype = xl::kNum;
    WriteAnswer(result, r);
  }
  return xl::kRetSuccess;
}

int SetName(const Request& request) {
  if (request.count < 1) return xl::kRetInvCount;
  const std::u16string& name = request.args[0].text;
  for (auto it = state.definedNames.begin(); it != state.definedNames.end(); ++it)
    if (*it == name) {
      state.definedNames.erase(it);
      return xl::kRetSuccess;
    }
  return xl::kRetSuccess;
}

int ShowAlert(const Request& request) {
  if (request.count < 1) return xl::kRetInvCount;
  state.alerts.push_back({request.args[0].text, request.count > 1 ? request.args[1].integer : 0});
  return xl::kRetSuccess;
}

// Converts a value to an integer as the host's coercion does; fails on
// errors, texts that are not numbers, and missing or empty values.
int Coerce(const Request& request, XLOPER12* result) {
  if (request.count < 2 || result == nullptr) return xl::kRetInvCount;
  const SeenValue& v = request.args[0];
  double number;
  switch (xl::AnswerType(v.type)) {
    case xl::kNum: number = v.num; break;
    case xl::kInt: number = v.integer; break;
    case xl::kBool: number = v.integer != 0 ? 1 : 0; break;
    case xl::kStr: {
      const std::string ascii(v.text.begin(), v.text.end());
      char* end = nullptr;
      number = std::strtod(ascii.c_str(), &end);
      if (ascii.empty() || end == nullptr || *end != 0) return xl::kRetFailed;
      break;
    }
    default: return xl::kRetFailed;
  }
  if (!(std::fabs(number) < 2147483648.0)) return xl::kRetFailed;
  XLOPER12 r{};
  r.val.w = static_cast<std::int32_t>(std::lround(number));
  r.xltype = xl::kInt;
  WriteAnswer(result, r);
  return xl::kRetSuccess;
}

int SheetId(XLOPER12* result) {
  if (result == nullptr) return xl::kRetFailed;
  XLOPER12 r = ReadRecord(result);
  r.val.mref.idSheet = state.sheetId;
  WriteAnswer(result, r);
  return xl::kRetSuccess;
}

}  // namespace

HostState& State() { return state; }

void Reset() {
  // What the host handed out and was never given back (a request to free
  // that failed) is the host's own memory: freed here.
  for (const void* p : state.handedOut) std::free(const_cast<void*>(p));
  HostState fresh;
  fresh.addInPath = state.addInPath;
  fresh.sheetId = state.sheetId;
  fresh.answerFlags = state.answerFlags;
  state = fresh;
}

std::u16string CountedText(const XCHAR* counted) {
  if (counted == nullptr) return {};
  XCHAR count;
  std::memcpy(&count, counted, sizeof count);
  std::u16string text(count, u'\0');
  std::memcpy(text.data(), counted + 1, sizeof(XCHAR) * count);
  return text;
}

XLOPER12 ReadRecord(const XLOPER12* record) {
  XLOPER12 r;
  std::memcpy(&r, record, sizeof r);
  return r;
}

int TORVEN_CALL Dispatch(int function, int count, XLOPER12** args, XLOPER12* result) {
  if (!state.record && state.answerCode >= 0) return state.answerCode;
  const int index = state.requestCount++;
  Request request;
  request.function = function;
  request.count = count;
  request.hadResult = result != nullptr;
  for (int i = 0; args != nullptr && i < count; ++i) request.args.push_back(See(args[i]));
  state.requests.push_back(request);
  if (state.answerCode >= 0) return state.answerCode;
  int code = state.faultCode;
  const Fault fault = state.faultFor != nullptr ? state.faultFor(index, code)
                      : index == state.faultAt  ? state.fault
                                                : Fault::kNone;
  flagsOfThisAnswer = state.answerFlags;
  if (fault == Fault::kFlagged) flagsOfThisAnswer |= static_cast<std::uint32_t>(code);
  else if (fault != Fault::kNone) return Faulty(fault, code, result);
  switch (function) {
    case xl::kGetName: return GetName(result);
    case xl::kFree: return Free(count, args);
    case xl::kRegister: return Register(request, result);
    case xl::kSetName: return SetName(request);
    case xl::kAlert: return ShowAlert(request);
    case xl::kCoerce: return Coerce(request, result);
    case xl::kSheetId: return SheetId(result);
    default: return xl::kRetInvXlfn;
  }
}

}  // namespace hostsim
