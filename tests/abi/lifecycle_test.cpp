// The add-in callbacks and the version function, called through their
// exports, against the substitute host that keeps what they asked for.
#include <gtest/gtest.h>

#include <string>

#include "platform/export.h"
#include "tests/support/addin_under_test.h"
#include "tools/hostsim/host.h"

namespace {

using namespace testing_support;

const std::u16string kLabel = platform::k32Bit ? u"VENTISOLA.XLL 32 bits v2" : u"VENTISOLA.XLL 64 bits v2";
const std::u16string kNote = u"Jun-2018 (versi\u00f3n original oct-2004)";
const std::u16string kAuthor = u"Equipo TORVEN";
const std::u16string kContact = u"torven@example.org";

const char* const kNames[] = {"VENTISOLA", "RADF56A", "RADF56P", "DDIAF56", "RADAF56", "PVSF56",
                              "PVTRF56",   "PVHRF56", "PVHM",    "ETPF56",  "JDIA.VENTISOLA"};

std::u16string U(const char* ascii) { return std::u16string(ascii, ascii + std::char_traits<char>::length(ascii)); }

XLOPER12* Callback(const char* name, XLOPER12* arg) {
  XLOPER12* args[] = {arg};
  return AddInUnderTest().CallProcedure(name, 1, args);
}

std::u16string CellText(const XLOPER12* cell) {
  EXPECT_EQ(cell->xltype, xl::kStr);
  return cell->xltype == xl::kStr ? hostsim::CountedText(cell->val.str) : std::u16string();
}

// Every test runs with plain answers and with each release flag or-ed into
// the tag of every answer the host fills: a flagged answer is still the answer.
class Lifecycle : public ::testing::TestWithParam<std::uint32_t> {
 protected:
  void SetUp() override {
    hostsim::State().failRegistration = -1;
    hostsim::State().answerFlags = GetParam();
    hostsim::Reset();
  }
  void TearDown() override {
    hostsim::State().failRegistration = -1;
    hostsim::State().answerFlags = 0;
  }
};

INSTANTIATE_TEST_SUITE_P(AnswerFlags, Lifecycle,
                         ::testing::Values(0u, xl::kHostFrees, xl::kAddInFrees));

TEST_P(Lifecycle, AutoOpenRegistersTheCatalogueInOrder) {
  EXPECT_EQ(AddInUnderTest().CallVoid("xlAutoOpen"), 1);
  const auto& requests = hostsim::State().requests;
  ASSERT_EQ(requests.size(), 13u);
  EXPECT_EQ(requests[0].function, xl::kGetName);
  EXPECT_EQ(requests[0].count, 0);
  for (int row = 0; row < 11; ++row) {
    const auto& r = requests[static_cast<std::size_t>(row) + 1];
    EXPECT_EQ(r.function, xl::kRegister);
    ASSERT_EQ(r.count, 21);
    EXPECT_EQ(r.args[0].text, hostsim::State().addInPath);
    EXPECT_EQ(r.args[3].text, U(kNames[row]));
    for (int c = 1; c < 21; ++c) EXPECT_EQ(r.args[static_cast<std::size_t>(c)].type, xl::kStr);
  }
  EXPECT_EQ(requests[12].function, xl::kFree);
  EXPECT_EQ(hostsim::State().pathsFreed, hostsim::State().pathsHandedOut);
  ASSERT_EQ(hostsim::State().registry.size(), 11u);
  const auto& etp = hostsim::State().registry[9];
  EXPECT_EQ(etp.Procedure(), u"ETPF56_XLL");
  EXPECT_EQ(etp.TypeText(), u"UQQQQQQQQQQ");
  EXPECT_EQ(etp.columns[5], u"VENTISOLA");
  EXPECT_EQ(etp.columns[7], u"torven.hlp!160");
  // No function is registered under the bare name JDIA.
  for (const auto& reg : hostsim::State().registry) EXPECT_NE(reg.Name(), u"JDIA");
}

TEST_P(Lifecycle, AFailedRegistrationDoesNotStopTheOthers) {
  hostsim::State().failRegistration = 3;
  AddInUnderTest().CallVoid("xlAutoOpen");
  EXPECT_EQ(hostsim::State().registerRequests, 11);
  EXPECT_EQ(hostsim::State().registry.size(), 10u);
}

TEST_P(Lifecycle, AutoCloseDeletesEveryName) {
  AddInUnderTest().CallVoid("xlAutoOpen");
  EXPECT_EQ(hostsim::State().definedNames.size(), 11u);
  EXPECT_EQ(AddInUnderTest().CallVoid("xlAutoClose"), 1);
  EXPECT_TRUE(hostsim::State().definedNames.empty());
  int deletions = 0;
  for (const auto& r : hostsim::State().requests)
    if (r.function == xl::kSetName) {
      EXPECT_EQ(r.args.at(0).text, U(kNames[deletions++]));
    }
  EXPECT_EQ(deletions, 11);
}

TEST_P(Lifecycle, RegisterOnRequestMatchesWholeNamesCaseInsensitively) {
  const XCHAR lower[] = {11, 'r', 'a', 'd', 'f', '5', '6', 'a', '_', 'x', 'l', 'l'};
  XLOPER12 name = Str(lower);
  XLOPER12* answer = Callback("xlAutoRegister12", &name);
  ASSERT_NE(answer, nullptr);
  // The host's own answer to the register request comes back.
  EXPECT_EQ(answer->xltype, xl::kNum);
  ASSERT_EQ(hostsim::State().registry.size(), 1u);
  EXPECT_EQ(hostsim::State().registry[0].Name(), u"RADF56A");
  EXPECT_EQ(hostsim::State().pathsFreed, hostsim::State().pathsHandedOut);
}

TEST_P(Lifecycle, RegisterOnRequestRefusesPrefixesUnknownNamesAndBadInput) {
  const XCHAR prefix[] = {7, 'R', 'A', 'D', 'F', '5', '6', 'A'};
  const XCHAR unknown[] = {3, 'X', 'Y', 'Z'};
  const XCHAR empty[] = {0};
  XLOPER12 inputs[] = {Str(prefix), Str(unknown), Str(empty), Num(1), Str(nullptr), Typed(xl::kMissing)};
  for (auto& input : inputs) {
    XLOPER12* answer = Callback("xlAutoRegister12", &input);
    ASSERT_NE(answer, nullptr);
    EXPECT_EQ(answer->xltype, xl::kErr);
    EXPECT_EQ(answer->val.err, xl::kErrValue);
  }
  XLOPER12* answer = Callback("xlAutoRegister12", nullptr);
  EXPECT_EQ(answer->val.err, xl::kErrValue);
  EXPECT_EQ(hostsim::State().registerRequests, 0);
}

TEST_P(Lifecycle, AddInManagerDisplayName) {
  const std::u16string display = kLabel + u" (" + kAuthor + u", " + kNote + u")";
  const XCHAR one[] = {1, '1'};
  const XCHAR word[] = {3, 'a', 'b', 'c'};
  XLOPER12 yes[] = {Num(1), Num(1.2), Str(one), Typed(xl::kBool)};
  yes[3].val.xbool = 1;
  XLOPER12 no[] = {Num(2), Str(word), Err(xl::kErrNA), Typed(xl::kMissing), Num(0)};
  for (auto& action : yes) {
    EXPECT_EQ(CellText(Callback("xlAddInManagerInfo12", &action)), display);
    for (auto& refused : no) {
      // Right after an accepted action, a refused one still gives #VALUE!.
      Callback("xlAddInManagerInfo12", &action);
      XLOPER12* answer = Callback("xlAddInManagerInfo12", &refused);
      EXPECT_EQ(answer->xltype, xl::kErr);
      EXPECT_EQ(answer->val.err, xl::kErrValue);
    }
  }
}

TEST_P(Lifecycle, AlertsOnAddAndRemove) {
  EXPECT_EQ(AddInUnderTest().CallVoid("xlAutoAdd"), 1);
  EXPECT_EQ(AddInUnderTest().CallVoid("xlAutoRemove"), 1);
  const auto& alerts = hostsim::State().alerts;
  ASSERT_EQ(alerts.size(), 2u);
  EXPECT_EQ(alerts[0].text, u" \u00a1Felicitaciones!\n Ud. logr\u00f3 habilitar las funciones " + kLabel +
                                u".\n " + kAuthor + u" (" + kContact + u").\n " + kNote + u".");
  EXPECT_EQ(alerts[1].text, u" Funciones " + kLabel + u" deshabilitadas.\n " + kAuthor + u" (" +
                                kContact + u").\n " + kNote + u".");
  EXPECT_EQ(alerts[0].type, 2);
  EXPECT_EQ(alerts[1].type, 2);
}

TEST_P(Lifecycle, VersionTextWhateverTheArgument) {
  const std::u16string version = kLabel + u"; " + kAuthor + u" (" + kContact + u"), " + kNote + u".";
  XLOPER12 args[] = {Typed(xl::kMissing), Num(3), Err(xl::kErrNA), Typed(xl::kNil)};
  for (auto& a : args) {
    XLOPER12* cell = Callback("VENTISOLA_XLL", &a);
    ASSERT_NE(cell, nullptr);
    EXPECT_EQ(CellText(cell), version);
    EXPECT_EQ(cell->val.str[version.size() + 1], 0);  // terminated after the counted text
  }
  EXPECT_TRUE(hostsim::State().requests.empty());  // no host request
}

}  // namespace
