// The command-line host: evaluation through the real add-in loaded as the
// host loads it.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "sheet/formula.h"
#include "tools/torven/session.h"

namespace {

using namespace torven;

class Evaluation : public ::testing::Test {
 protected:
  // A formula and what it shows.
  struct Shown {
    const char* line;
    const char* shown;
  };

  static Session& S() {
    static Session* session = [] {
      auto* s = new Session;
      std::string error;
      const char* env = std::getenv("TORVEN_ADDIN");
      if (!s->Load(env != nullptr ? env : TORVEN_ADDIN_FILE, error)) {
        std::fprintf(stderr, "%s\n", error.c_str());
        std::abort();
      }
      return s;
    }();
    return *session;
  }

  std::string Run(const std::string& line, const std::vector<std::string>* header = nullptr,
                   const std::vector<std::string>* row = nullptr) {
    Expr call;
    ParseError parseError;
    std::string error;
    Writing writing;
    if (!ParseCall(line, call, parseError, DecimalMark::kAuto, &writing)) return "parse: " + parseError.message;
    if (!S().Bind(call, header, error)) return "bind: " + error;
    const Language dialect = DialectOf(call, writing);
    return Show(S().Evaluate(call, row, dialect), -1, writing.decimalComma, dialect);
  }
};

// README's example, as a Spanish-speaking user writes it (with and without
// '='), gives the bits of the decimal-point form.
TEST_F(Evaluation, SpanishFormulasGiveTheBitsOfTheDecimalPointForm) {
  const std::string es =
      "=ETPF56(JDIA.VENTISOLA(2023;7;6); RADF56A(187;9,25;0,25;0,5;50,8); 21,5; 12,3; 0; "
      "PVHRF56(21,5;12,3;84;63); 10/3,6; 10; 100; 50,8)";
  const std::string en =
      "ETPF56(JDIA.VENTISOLA(2023,7,6), RADF56A(187,9.25,0.25,0.5,50.8), 21.5, 12.3, 0, "
      "PVHRF56(21.5,12.3,84,63), 10/3.6, 10, 100, 50.8)";
  std::string shown = Run(en);
  std::replace(shown.begin(), shown.end(), '.', ',');
  EXPECT_EQ(Run(es), shown);
  EXPECT_EQ(Run(es.substr(1)), shown);
}

TEST_F(Evaluation, TheFunctionListComesFromRegistration) {
  ASSERT_EQ(S().Functions().size(), 11u);
  EXPECT_EQ(S().Functions()[10].name, "JDIA.VENTISOLA");
  EXPECT_EQ(S().Functions()[9].arity, 10);
  EXPECT_EQ(S().Functions()[9].argumentNames[1], "Rad (MJ/m²/d)");
}

TEST_F(Evaluation, ValuesAsTheHostPassesThem) {
  const Shown cases[] = {
      {"ETPF56(187, 22.07, 21.5, 12.3, 0, 1.409, 2.778, 10, 100, 50.8)", "3.879111527565527"},
      {"etpf56(jdia.ventisola(2023;7;6); 22.07; 21.5; 12.3; 0; 1.409; 2.778; 10; 100; 50.8)", "3.879111527565527"},
      {"ETPF56(JDIA.VENTISOLA(2023;4;31); 22.07; 21.5; 12.3; 0; 1.409; 2.778; 10; 100; 50.8)", "#¡VALOR!"},
      {"ETPF56(#DIV/0!, 22.07)", "#DIV/0!"},
      {"ETPF56(PVSF56(#N/A), 22.07)", "#N/A"},
      {"PVSF56()", "#VALUE!"},
      {"PVSF56(\"20\")", "#VALUE!"},
      {"PVSF56(TRUE)", "#VALUE!"},
      {"PVHRF56(21.5, 12.3, 84)", "#VALUE!"},
      {"DDIAF56(0, 10)", "#NUM!"},
      {"DDIAF56(172; 80)", "#¡NUM!"},  // a result that is not a number: #NUM! in the cell
      {"JDIA.VENTISOLA(2004, 2, 29)", "60"},
      {"PVSF56(0)", "0.6108"},
      // Formulas as in a cell: the spreadsheet's precedence and error rules,
      // both ways of writing numbers, results with the input's decimal mark.
      {"=1+2*3", "7"},
      {"(1+2)*3", "9"},
      {"-2^2", "4"},
      {"2^-1", "0.5"},
      {"2^3^2", "64"},
      {"-50%", "-0.5"},
      {"50%^2", "0.25"},
      {"10-2-3", "5"},
      {"8/2/2", "2"},
      {"1E-3*2", "0.002"},
      {"TRUE+1", "2"},
      {"=1/0", "#DIV/0!"},
      {"=0^0", "#NUM!"},
      {"=#N/A+1/0", "#N/A"},
      {"=1/0+#N/A", "#DIV/0!"},
      {"\"a\"+1", "#VALUE!"},
      {"1e308*10", "#NUM!"},
      {"PVSF56(20)*2", "4.676562541854892"},
      {"PVSF56(1,5)", "bind: column 1: PVSF56 takes 1 argument, 2 given; if ',' was meant as a decimal comma, "
                      "write ';' between the arguments or pass --decimal-comma"},
      {"=PVHM(21,5;12,3;50)*1", "0,9182880471567597"},
      {"PVHM(21.5;12.3;50)", "0.9182880471567597"},
      {"RADF56A(187;9.25;0.25;0.5;50.8)", "22.07205161436855"},
      {"JDIA(2023,7,6)", "bind: column 1: unknown function 'JDIA'; did you mean JDIA.VENTISOLA? (see --list)"},
      {"PVSF65(1)", "bind: column 1: unknown function 'PVSF65'; did you mean PVSF56? (see --list)"},
  };
  for (const auto& c : cases) EXPECT_EQ(Run(c.line), c.shown) << c.line;
  EXPECT_EQ(Run("VENTISOLA()").rfind("VENTISOLA.XLL ", 0), 0u);
}

TEST_F(Evaluation, BadInputGetsAClearMessage) {
  EXPECT_EQ(Run("PVSF56(1; 2)"), "bind: column 1: PVSF56 takes 1 argument, 2 given");
  EXPECT_EQ(Run("NOPE(1)"), "bind: column 1: unknown function 'NOPE' (see --list)");
  EXPECT_EQ(Run("PVSF56(t)").rfind("bind: column 8: unknown name 't'", 0), 0u);
  const std::vector<std::string> header = {"t", "rh"};
  EXPECT_EQ(Run("PVSF56(temp)", &header), "bind: column 8: no column named 'temp' in the CSV header");
}

TEST_F(Evaluation, ColumnsReadTheRow) {
  const std::vector<std::string> header = {"tmax", "tmin", "hr"};
  for (const auto& [row, shown] : std::vector<std::pair<std::vector<std::string>, std::string>>{
           {{"25", "18", "68"}, "1.69962316421557"},
           {{"25", "", "68"}, "#VALUE!"},
           {{"25", "#N/A", "68"}, "#N/A"},
           {{"25", "cold", "68"}, "#VALUE!"},
           {{"25", "TRUE", "68"}, "#VALUE!"},
           {{"18", "25", "68"}, "#NUM!"}})
    EXPECT_EQ(Run("PVHM(tmax, tmin, hr)", &header, &row), shown) << row[1];
}

// The Spanish-language spreadsheet's words and dates: errors and truth
// values in either language, results in the formula's dialect (';' or a
// Spanish name), the 1900 date system's serials and date texts.
TEST_F(Evaluation, SpanishWordsAndDates) {
  const std::vector<std::string> header = {"fecha", "año", "t"};
  const std::vector<std::string> row = {"31/01/2020", "2020", "#¡div/0!"};
  const Shown cases[] = {
      {"=PVSF56(#N/D)", "#N/D"},
      {"PVSF56(#N/A)", "#N/A"},
      {"PVSF56(#n/d)", "#N/D"},
      {"PVSF56(#¡div/0!)", "#¡DIV/0!"},
      {"=PVHRF56(\"x\";12;84;63)", "#¡VALOR!"},
      {"PVHRF56(\"x\",12,84,63)", "#VALUE!"},
      {"#¿NOMBRE?+DDIAF56(0, 10)", "#¿NOMBRE?"},
      {"VERDADERO+1", "2"},
      {"falso", "FALSO"},
      {"TRUE", "TRUE"},
      {"PVSF56(t)", "#DIV/0!"},  // the cell's Spanish error, shown in the formula's English
      {"=JDIA.VENTISOLA(AÑO(\"31/01/2020\");MES(\"31/01/2020\");DIA(\"31/01/2020\"))", "31"},
      {"JDIA.VENTISOLA(año(fecha); mes(fecha); dia(fecha))", "31"},
      {"AÑO(\"2020-01-31\")*1", "2020"},
      {"YEAR(\"2020-01-31\")", "2020"},
      {"YEAR(\"31/01/2020\")", "#VALUE!"},  // dd/mm/aaaa only in the Spanish dialect
      {"DIA(\"31/02/2020\")", "#¡VALOR!"},
      {"DIA(\"29/02/1900\")", "29"},
      {"DIA(\"29/02/2100\")", "#¡VALOR!"},
      {"DIA(\"1/3/1900\")", "1"},
      {"DIA(\"20-01-31\")", "#¡VALOR!"},
      {"DAY(0)", "0"},
      {"MONTH(0)", "1"},
      {"DAY(59)", "28"},
      {"DAY(60)", "29"},
      {"MONTH(60)", "2"},
      {"DAY(61)", "1"},
      {"MONTH(61)", "3"},
      {"YEAR(43861.75)", "2020"},
      {"DAY(43861)", "31"},
      {"YEAR(2958465)", "9999"},
      {"YEAR(2958466)", "#NUM!"},
      {"YEAR(-1)", "#NUM!"},
      {"YEAR(#N/A)", "#N/A"},
      {"AÑO(año)", "1905"},  // a column holding 2020 is serial 2020: 12 July 1905
      {"MES(1;2)", "bind: column 1: MES takes 1 argument, 2 given"},
  };
  for (const auto& c : cases) EXPECT_EQ(Run(c.line, &header, &row), c.shown) << c.line;
}

// The spreadsheet's own functions of FAO 56's procedures for missing data,
// on a row with an empty cell, a text and an error.
TEST_F(Evaluation, TheHostsOwnFunctionsAsTheSpreadsheetEvaluatesThem) {
  const std::vector<std::string> header = {"rs", "vacia", "texto", "error", "u2 (km/h)"};
  const std::vector<std::string> row = {"20", "", "n/d", "#N/A", "7.2"};
  const Shown cases[] = {
      {"=0.16*RAIZ(26.6-14.8)*40.6", "22.314492797283116"},  // FAO 56 example 15
      {"SQRT(-1)", "#NUM!"},
      {"SQRT(vacia)", "0"},
      {"SQRT(texto)", "#VALUE!"},
      {"SQRT(error)", "#N/A"},
      {"=RAÍZ(4)", "2"},
      {"=SI(ESNUMERO(rs);rs;0)", "20"},
      {"=SI(ESNUMERO(vacia);vacia;-1)", "-1"},
      {"=SI(ESNÚMERO(texto);1;2)", "2"},
      {"=SI(0;1)", "FALSO"},  // no third argument
      {"=SI(1;;2)", "0"},     // an omitted branch
      {"IF(1, 2, 1/0)", "2"}, // only the branch taken
      {"IF(texto, 1, 2)", "#VALUE!"},
      {"IF(error, 1, 2)", "#N/A"},
      {"IF(vacia, 1, 2)", "2"},
      {"ISNUMBER(error)", "FALSE"},
      {"ISNUMBER(TRUE)", "FALSE"},
      {"ISBLANK(vacia)", "TRUE"},
      {"ISBLANK(texto)", "FALSE"},
      {"AND(1, TRUE, texto, vacia)", "TRUE"},  // a column's text and empty cell are skipped
      {"AND(1, \"x\")", "#VALUE!"},
      {"AND(vacia)", "#VALUE!"},
      {"AND(TRUE, )", "FALSE"},
      {"=O(0;error;1)", "#N/D"},
      {"=O(0;FALSO;1)", "VERDADERO"},
      {"[u2 (km/h)]/3.6", "2"},
      {"IF(1)", "bind: column 1: IF takes at least 2 arguments, 1 given"},
      {"[u2", "parse: missing ']' after a column name"},
  };
  for (const auto& c : cases) EXPECT_EQ(Run(c.line, &header, &row), c.shown) << c.line;
}

// Where the spreadsheet converts a text to a number, what a cell holds, and
// what a formula whose value is a cell shows.
TEST_F(Evaluation, TextsAsNumbersCellsAndResults) {
  const std::vector<std::string> header = {"txt4", "nan", "emp", "txt", "long"};
  const std::vector<std::string> row = {" 4", "nan", "", "abc", std::string(40000, 'x')};
  const Shown cases[] = {
      {"=\"4\"+1", "5"},
      {"=\" 4 \"*\"1E3\"", "4000"},
      {"=\"50%\"*2", "1"},
      {"=-\"4\"", "-4"},
      {"=SI(1;\"4,5\"*1,0)", "4,5"},  // the Spanish dialect's decimal comma
      {"=\"4,5\"+0", "#VALUE!"},
      {"=\"abc\"^2", "#VALUE!"},
      {"=\"2020-02-29 12:00\"+0", "43890.5"},
      {"YEAR(\"2020-02-29 12:00\")", "2020"},
      {"DAY(\"29-Feb-2020\")+MONTH(\"29-feb-2020\")", "31"},
      {"YEAR(\"43861\")", "2020"},
      {"YEAR(\"a\")", "#VALUE!"},
      {"SQRT(txt4)", "2"},
      {"PVSF56(txt4)", "#VALUE!"},  // the add-in gets the text as a text
      {"ISNUMBER(nan)", "FALSE"},
      {"=+\"abc\"", "abc"},
      {"=+TRUE", "TRUE"},
      {"=--\"4\"", "4"},
      {"=-emp", "0"},
      {"emp", "0"},
      {"IF(1, emp)", "0"},
      {"AND(TRUE, IF(1, txt), +txt)", "TRUE"},  // cells passed on by IF and '+' are skipped
      {"AND(TRUE, IF(1, \"abc\"))", "#VALUE!"},
      {"YEAR()", "bind: column 1: YEAR takes 1 argument, 0 given"},
  };
  for (const auto& c : cases) EXPECT_EQ(Run(c.line, &header, &row), c.shown) << c.line;
  EXPECT_EQ(Run("=+long", &header, &row), std::string(Session::kMaxCellText, 'x'));
  std::string sum = "1";
  for (int i = 1; i < 100000; ++i) sum += "+2";
  EXPECT_EQ(Run(sum), "199999");
}


}  // namespace
