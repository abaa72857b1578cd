// Registration of the catalogue, unload, alerts, the add-in manager's display
// name and the version function.  Every host request goes through
// HostCallAndRelease with its string and integer arguments built in the
// calling thread's scratch pool.
#include "worksheet/lifecycle.h"

#include <cstring>
#include <cwctype>

#include "host/bridge.h"
#include "host/scratch.h"
#include "worksheet/catalogue.h"
#include "worksheet/version.h"
#include "worksheet/wide_format.h"

namespace {

using namespace worksheet;

XLOPER12 addInName;         // the library's own path, from the host
XLOPER12 registrationCell;  // answer of xlAutoRegister12
XLOPER12 actionRecord;      // the add-in manager's action, coerced
XLOPER12 managerCell;       // answer of xlAddInManagerInfo12
XLOPER12 versionCell;       // answer of VENTISOLA_XLL
XCHAR managerText[kAnswerChars];
XCHAR versionText[kAnswerChars];

void SetError(XLOPER12& cell, std::int32_t code) {
  cell.val.err = code;
  cell.xltype = xl::kErr;
}

// Empties a record that a host answer is about to fill, so that a request
// that fails (or answers nothing) leaves no earlier answer behind.
void ClearAnswer(XLOPER12& record) {
  std::memset(&record, 0, sizeof record);
  record.xltype = xl::kNil;
}

// True when a record carries memory that the host handed over, whatever
// release flags its tag carries.
bool HoldsHostMemory(const XLOPER12& record) {
  switch (xl::AnswerType(record.xltype)) {
    case xl::kStr: return record.val.str != nullptr;
    case xl::kRef: return record.val.mref.lpmref != nullptr;
    case xl::kMulti: return record.val.array.lparray != nullptr;
    default: return false;
  }
}

// Gives back, once, whatever memory a successful answer handed over, and
// empties the record.  A failed request handed nothing over.
void FreeAnswer(XLOPER12& record, int code = xl::kRetSuccess) {
  if (code == xl::kRetSuccess && HoldsHostMemory(record))
    host::HostCallAndRelease(xl::kFree, nullptr, 1, &record);
  ClearAnswer(record);
}

// Asks the host for the library's own path; true only when it answered with
// a string, which FreeAnswer(addInName) must then give back.  Anything else
// leaves the record empty: no registration is sent and nothing is freed.
bool RequestAddInName() {
  ClearAnswer(addInName);
  const int code = host::HostCallAndRelease(xl::kGetName, &addInName, 0);
  if (code == xl::kRetSuccess && xl::AnswerType(addInName.xltype) == xl::kStr &&
      addInName.val.str != nullptr)
    return true;
  FreeAnswer(addInName, code);
  return false;
}

// Registers one catalogue row: the path record, then its 20 columns as
// temporary strings.  The host's answer, when it is a register identifier
// (a number) or an error, goes to `answer` without its release flags (it
// holds no memory, and the cell the add-in hands back carries none); any
// other answer is given back.
void RegisterColumns(const XCHAR* const* row, XLOPER12* answer) {
  XLOPER12* s[kCatalogueColumns];
  for (int c = 0; c < kCatalogueColumns; ++c) s[c] = host::ScratchText12(row[c]);
  XLOPER12 reply;
  ClearAnswer(reply);
  const int code = host::HostCallAndRelease(
      xl::kRegister, answer != nullptr ? &reply : nullptr, 21, &addInName, s[0], s[1], s[2], s[3],
      s[4], s[5], s[6], s[7], s[8], s[9], s[10], s[11], s[12], s[13], s[14], s[15], s[16], s[17],
      s[18], s[19]);
  if (answer == nullptr || code != xl::kRetSuccess) return;
  const std::uint32_t type = xl::AnswerType(reply.xltype);
  if (type == xl::kNum || type == xl::kErr) {
    *answer = reply;
    answer->xltype = type;
  } else {
    FreeAnswer(reply);
  }
}

// Formats a counted string into `buffer`: a first pass learns the length n
// of `format` with `texts`; the second writes the character n, then the text.
template <std::size_t N>
void FormatCounted(XCHAR* buffer, const XCHAR* format, const XCHAR* countedFormat,
                   const XCHAR* const (&texts)[N]) {
  FormatArg args[N + 1];
  for (std::size_t i = 0; i < N; ++i) args[i + 1] = Text(texts[i]);
  XCHAR probe[kAnswerChars];
  const int n = FormatWide(probe, kAnswerChars, format, args + 1, N);
  // The count character: the low 8 bits of n taken as a signed character.
  args[0] = Char(static_cast<XCHAR>(static_cast<signed char>(n & 0xFF)));
  FormatWide(buffer, kAnswerChars, countedFormat, args, N + 1);
}

void ShowAlert(const XCHAR* format) {
  XCHAR text[kAlertChars];
  FormatWide(text, kAlertChars, format,
             {Text(kProductLabel), Text(kAuthorName), Text(kAuthorContact), Text(kReleaseNote)});
  host::HostCallAndRelease(xl::kAlert, nullptr, 2, host::ScratchText12(text),
                           host::ScratchInt12(2));
}

// True when the catalogue's procedure name equals the counted name, compared
// after lowering both with the C library's wide lower-case conversion.
bool SameProcedure(const XCHAR* name, const XCHAR* counted) {
  const int length = host::WideLength(name);
  if (length != counted[0]) return false;
  for (int i = 0; i < length; ++i)
    if (std::towlower(name[i]) != std::towlower(counted[i + 1])) return false;
  return true;
}

}  // namespace

int TORVEN_CALL xlAutoOpen() {
  if (RequestAddInName()) {
    for (const auto& row : kCatalogue) RegisterColumns(row, nullptr);
    FreeAnswer(addInName);
  }
  return 1;
}

int TORVEN_CALL xlAutoClose() {
  for (const auto& row : kCatalogue)
    host::HostCallAndRelease(xl::kSetName, nullptr, 1, host::ScratchText12(row[kFunctionText]));
  return 1;
}

LPXLOPER12 TORVEN_CALL xlAutoRegister12(LPXLOPER12 procedure) {
  SetError(registrationCell, xl::kErrValue);
  // Nothing to compare unless the host passed a string.
  if (procedure == nullptr || xl::AnswerType(procedure->xltype) != xl::kStr ||
      procedure->val.str == nullptr)
    return &registrationCell;
  for (const auto& row : kCatalogue) {
    if (SameProcedure(row[kProcedure], procedure->val.str)) {
      // The host's own answer to the register request is returned.
      if (RequestAddInName()) {
        RegisterColumns(row, &registrationCell);
        FreeAnswer(addInName);
      }
      break;
    }
  }
  return &registrationCell;
}

int TORVEN_CALL xlAutoAdd() {
  ShowAlert(kAddAlertFormat);
  return 1;
}

int TORVEN_CALL xlAutoRemove() {
  ShowAlert(kRemoveAlertFormat);
  return 1;
}

LPXLOPER12 TORVEN_CALL xlAddInManagerInfo12(LPXLOPER12 action) {
  // A coercion that fails must not leave an earlier answer behind.
  ClearAnswer(actionRecord);
  const int code =
      host::HostCallAndRelease(xl::kCoerce, &actionRecord, 2, action, host::ScratchInt12(xl::kInt));
  const bool one = code == xl::kRetSuccess && xl::AnswerType(actionRecord.xltype) == xl::kInt &&
                   actionRecord.val.w == 1;
  FreeAnswer(actionRecord, code);
  const XCHAR* const texts[] = {kProductLabel, kAuthorName, kReleaseNote};
  FormatCounted(managerText, kDisplayNameFormat, kCountedDisplayNameFormat, texts);
  if (one) {
    managerCell.val.str = managerText;
    managerCell.xltype = xl::kStr;
  } else {
    SetError(managerCell, xl::kErrValue);
  }
  return &managerCell;
}

LPXLOPER12 TORVEN_CALL VENTISOLA_XLL(const XLOPER12* /*ignored*/) {
  const XCHAR* const texts[] = {kProductLabel, kAuthorName, kAuthorContact, kReleaseNote};
  FormatCounted(versionText, kVersionFormat, kCountedVersionFormat, texts);
  versionCell.val.str = versionText;
  versionCell.xltype = xl::kStr;
  return &versionCell;
}
