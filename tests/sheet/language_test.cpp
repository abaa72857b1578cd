// The spreadsheet's language without the add-in: the formula parser, the
// CSV reader and the layout of station files, the encodings, how values show.
#include <gtest/gtest.h>

#include <charconv>
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "sheet/csv.h"
#include "sheet/encoding.h"
#include "sheet/formula.h"
#include "sheet/layout.h"
#include "sheet/number_text.h"
#include "sheet/value.h"

namespace {

using namespace torven;

TEST(CallParser, WellFormedCalls) {
  Expr call;
  ParseError error;
  ASSERT_TRUE(ParseCall("ETPF56(JDIA.VENTISOLA(2023,7,6), 22.07 , 1e-3, \"a \"\"b\"\"\", true, #N/A, , x)",
                        call, error)) << error.message;
  EXPECT_EQ(call.name, "ETPF56");
  ASSERT_EQ(call.args.size(), 8u);
  EXPECT_EQ(call.args[0].kind, Expr::Kind::Call);
  EXPECT_EQ(call.args[0].args.size(), 3u);
  EXPECT_EQ(call.args[1].number, 22.07);
  EXPECT_EQ(call.args[2].number, 1e-3);
  EXPECT_EQ(call.args[3].text, std::u16string(u"\u0005a \"b\""));
  EXPECT_TRUE(call.args[4].boolean);
  EXPECT_EQ(call.args[5].error, 42);
  EXPECT_EQ(call.args[6].kind, Expr::Kind::Empty);
  EXPECT_EQ(call.args[7].kind, Expr::Kind::Column);
  ASSERT_TRUE(ParseCall("  pvsf56( )  ", call, error));
  EXPECT_TRUE(call.args.empty());
  ASSERT_TRUE(ParseCall("F(,)", call, error));
  EXPECT_EQ(call.args.size(), 2u);
}

TEST(CallParser, MalformedCallsNameTheColumnAndWhatWasExpected) {
  struct Case {
    std::string_view line;
    int column;
    const char* expected;
  } cases[] = {
      {"", 1, "expected a number"},
      {"PVSF56(1", 9, "missing ')'"},
      {"PVSF56(1 2)", 10, "',' between"},
      {"PVSF56(1;2 3)", 12, "';' between"},
      {"PVSF56(a, b; c)", 9, "',' is its decimal mark"},
      {"F(1,5; 2.5)", 8, "both ',' and '.'"},
      {"PVSF56(\"abc)", 13, "closing '\"'"},
      {"PVSF56(#WHAT)", 8, "unknown error literal"},
      {"PVSF56(1.2.3)", 8, "expected a number"},
      {"PVSF56(1) x", 11, "end of the line"},
      {"(1+2", 5, "missing ')'"},
      {"2*", 3, "expected a number"},
      {"PVSF56(1e999)", 8, "out of the range"},
      {std::string_view("=2\0" "3", 4), 3, "a NUL byte"},
      {"=\"a\xC3(b\"", 4, "byte 0xC3 is not valid UTF-8"},
      {"=\"\xC0\xAF\"", 3, "byte 0xC0 is not valid UTF-8"},
  };
  Expr call;
  ParseError error;
  for (const auto& c : cases) {
    EXPECT_FALSE(ParseCall(c.line, call, error)) << c.line;
    EXPECT_EQ(error.column, c.column) << c.line;
    EXPECT_NE(error.message.find(c.expected), std::string::npos) << c.line << ": " << error.message;
  }
  // Long runs of one level's operators are one node: parsed, not nested.
  for (const std::string_view op : {"+1", "^1", "%", "-"}) {
    std::string longRun = "1";
    for (int i = 0; i < 100000; ++i) longRun += op;
    if (op == "-") longRun = longRun.substr(1) + "1";
    EXPECT_TRUE(ParseCall(longRun, call, error)) << op << ": " << error.message;
  }
  std::string deep;
  for (int i = 0; i < 100; ++i) deep += "F((";
  EXPECT_FALSE(ParseCall(deep, call, error));
  EXPECT_NE(error.message.find("nested too deeply"), std::string::npos);
}

std::vector<std::vector<std::string>> ReadCsv(const std::string& text, std::string& error) {
  std::FILE* f = std::tmpfile();
  std::fwrite(text.data(), 1, text.size(), f);
  std::rewind(f);
  CsvReader reader(f);
  std::vector<std::vector<std::string>> records;
  std::vector<std::string> fields;
  std::size_t count = 0;
  while (reader.Next(fields, count, error)) {
    records.emplace_back(fields.begin(), fields.begin() + static_cast<long>(count));
    if (!error.empty()) break;
  }
  std::fclose(f);
  return records;
}

TEST(Csv, TheLayoutIsFoundPastPreamblesAndUnits) {
  const std::string dutch = "# BRON: KNMI\n# YYYYMMDD  = Datum (YYYY=jaar, MM=maand, DD=dag)\n#\n"
                            "# STN,YYYYMMDD,   TG,   TN\n\n  260,20220101,  118,   95\n  260,20220102,   97,   51\n"
                            "  260,20220103,  101,   77\n";
  const struct {
    std::string text;
    char delimiter;
    long header, units;
    bool comma;
    bool fixed = false;
  } cases[] = {
      {"a,b;c\n1,2;3\n", ',', 1, 0, false},
      {"\xEF\xBB\xBF" "a;b;c\r\n1,5;2;3\r\n", ';', 1, 0, true},
      {"a\tb\n1,5\t2,25\n", '\t', 1, 0, true},
      {"\"x;y\",b\n", ',', 1, 0, false},
      {"single\n", ',', 1, 0, false},
      {"", ',', 1, 0, false},
      {dutch, ',', 4, 0, false},
      {"Logger CR1000, v2\nStation: Holyoke\nDate,Tmax,Tmin\n(dd/mm/yyyy),(C),(C)\n01/01/2020,5.1,-3\n02/01/2020,6,-2\n"
       "03/01/2020,7,-1\n",
       ',', 3, 4, false},
      {"*****\nFarm weather, daily\n  Year-DOY   Tmax  Tmin  Srad\n  2022-001   5.2  -3.1  8.1\n  2022-002   6.0  -2.0  9\n"
       "  2022-003   NaN  -1.0  7.5\n",
       ' ', 3, 0, false},
      {"Fecha;TempMax;TempMin\n01/01/2020;12,5;3\n", ';', 1, 0, true},
      // Preamble lines padded with empty fields to the table's width.
      {"Estaci\xC3\xB3n: Jun\xC3\xADn,,,\nLatitud: -34.6,,,\nFecha,Tmax,Tmin,Rs\n01/01/2020,30,15,25\n"
       "02/01/2020,31,16,26\n03/01/2020,29,14,24\n",
       ',', 3, 0, false},
      // Columns of fixed width: a missing value is blanks.
      {"STN YEAR MO DY  TMAX  TMIN  PREC\n87585 1990  1  1  30.5  18.2   0.0\n87585 1990  1  2  31.2         0.0\n"
       "87585 1990  1  3  30.1  17.5   2.0\n87585 1990  1  4  29.0         1.0\n87585 1990  1  5  28.2  16.0   0.0\n"
       "87585 1990  1  6  28.9         0.0\n",
       ' ', 1, 0, false, true},
      // A program's report: its last column unnamed, a row of units.
      {"\r\n   REF-ET Ver. 4.1\r\n   rs24 = 70 s/m for ETo\r\nRESULTS (SI Units):\r\n\r\n -- --- --  ASCE\r\n"
       " Mo Day Yr  ETo\r\n -- --- --  mm/d\r\n  1  1 2015  .41   0.0\r\n  1  2 2015  .39   0.0\r\n"
       "  1  3 2015  .53   0.0\r\n  1  4 2015  .68   0.0\r\n",
       ' ', 7, 8, false},
  };
  for (const auto& c : cases) {
    const TableLayout layout = DetectLayout(c.text, true, 0, 0);
    EXPECT_EQ(layout.delimiter, c.delimiter) << c.text;
    EXPECT_EQ(layout.headerLine, c.header) << c.text;
    EXPECT_EQ(layout.unitsLine, c.units) << c.text;
    EXPECT_EQ(layout.decimalComma, c.comma) << c.text;
    EXPECT_EQ(layout.fixedWidth, c.fixed) << c.text;
  }
  EXPECT_EQ(DetectLayout(cases[std::size(cases) - 1].text, true, 0, 0).width, 5u);
  // The reader then skips the lines before the header, runs of spaces separate fields.
  std::FILE* f = std::tmpfile();
  std::fputs("note\n  a   b \n 1  \"x y\"  3\n", f);
  std::rewind(f);
  CsvReader reader(f, ' ');
  std::string line, error;
  std::vector<std::string> fields;
  std::size_t count = 0;
  ASSERT_TRUE(reader.SkipLine(line));
  EXPECT_EQ(line, "note");
  ASSERT_TRUE(reader.Next(fields, count, error));
  EXPECT_EQ(std::vector<std::string>(fields.begin(), fields.begin() + static_cast<long>(count)),
            (std::vector<std::string>{"a", "b"}));
  ASSERT_TRUE(reader.Next(fields, count, error));
  EXPECT_EQ(std::vector<std::string>(fields.begin(), fields.begin() + static_cast<long>(count)),
            (std::vector<std::string>{"1", "x y", "3"}));
  EXPECT_TRUE(reader.Quoted(1));
  std::fclose(f);
}

TEST(Csv, Rfc4180) {
  std::string error;
  const auto r = ReadCsv("\xEF\xBB\xBF" "a,b,c\r\n1,\"x, \"\"y\"\"\",\"two\nlines\"\n,,\n4,5,6", error);
  EXPECT_TRUE(error.empty());
  ASSERT_EQ(r.size(), 4u);
  EXPECT_EQ(r[0], (std::vector<std::string>{"a", "b", "c"}));
  EXPECT_EQ(r[1], (std::vector<std::string>{"1", "x, \"y\"", "two\nlines"}));
  EXPECT_EQ(r[2], (std::vector<std::string>{"", "", ""}));
  EXPECT_EQ(r[3], (std::vector<std::string>{"4", "5", "6"}));
  // Fields that cross the reader's 64 KiB buffer, quoted and not.
  const std::string longField(70000, 'x');
  const auto big = ReadCsv("a," + longField + ",\"q" + longField + "\"\r\nb,c,d\n", error);
  ASSERT_EQ(big.size(), 2u);
  EXPECT_EQ(big[0][1], longField);
  EXPECT_EQ(big[0][2], "q" + longField);
  EXPECT_EQ(big[1], (std::vector<std::string>{"b", "c", "d"}));
  ReadCsv("a,\"open\n", error);
  EXPECT_EQ(error, "a quoted field is not closed");
  std::string out;
  AppendCsvField(out, "plain");
  AppendCsvField(out, "with,comma and \"quote\"");
  EXPECT_EQ(out, "plain\"with,comma and \"\"quote\"\"\"");
}

TEST(Encoding, Utf8ValidityAndWindows1252BothWays) {
  const struct {
    const char* bytes;
    bool valid;
  } cases[] = {{"a\xC3\xB1o", true},     {"a\xF1o", false},         {"\xE2\x82\xAC", true},
               {"\xC0\xAF", false},       {"\xED\xA0\x80", false},  {"\xF4\x90\x80\x80", false},
               {"\xF0\x9F\x98\x80", true}, {"\xE2\x82", false}};
  for (const auto& c : cases) {
    Utf8Check check;
    const std::string_view bytes = c.bytes;
    check.Feed(bytes.substr(0, 1));  // a sequence split between two pieces
    check.Feed(bytes.substr(1));
    EXPECT_EQ(check.Valid(), c.valid) << c.bytes;
  }
  std::string all, back;
  for (int b = 1; b < 256; ++b) all += static_cast<char>(b);
  ASSERT_TRUE(Utf8ToWindows1252(Windows1252ToUtf8(all), back));
  EXPECT_EQ(back, all);
  EXPECT_EQ(Windows1252ToUtf8("a\xF1o \x80"), "año €");
  EXPECT_FALSE(Utf8ToWindows1252("et₀", back));
}

// Numbers of few digits read by one exact operation: the same bits as the
// full reading, across every power of ten it takes.
TEST(NumberText, FewDigitsReadAsTheFullReadingDoes) {
  const char* digits[] = {"1", "5", "0.1", "12.5", "-0.0864", "123456789012345", "9.99999999999999", "0.3", "700"};
  for (const char* d : digits)
    for (int power = -24; power <= 24; ++power) {
      const std::string text = std::string(d) + "e" + std::to_string(power);
      double fast = 0, full = 0;
      ASSERT_TRUE(NumberOfCell(text, false, fast)) << text;
      std::from_chars(text.data(), text.data() + text.size(), full);
      EXPECT_EQ(fast, full) << text;
    }
}

TEST(Show, NumbersErrorsAndTexts) {
  Value v;
  v.type = xl::kNum;
  v.number = 0.1 + 0.2;
  EXPECT_EQ(Show(v, -1), "0.30000000000000004");
  EXPECT_EQ(Show(v, 3), "0.300");
  v.number = -0.0;
  EXPECT_EQ(Show(v, -1), "0");
  // Positional from 1e-6 to below 1e21, as both spreadsheets show them.
  const std::pair<double, const char*> shortest[] = {
      {1e6, "1000000"},   {1e-4, "0.0001"},        {123456.789, "123456.789"}, {-2.5e-6, "-0.0000025"},
      {1e-6, "0.000001"}, {9.5e-7, "9.5e-07"},     {1e21, "1e+21"},            {123e18, "123000000000000000000"},
      {1.5, "1.5"},       {-1234.5, "-1234.5"}};
  for (const auto& [x, text] : shortest) {
    v.number = x;
    EXPECT_EQ(Show(v, -1), text) << x;
  }
  v.type = xl::kErr;
  v.code = 36;
  EXPECT_EQ(Show(v, -1), "#NUM!");
  v.type = xl::kStr;
  v.text = u"versi\u00f3n";
  EXPECT_EQ(Show(v, -1), "versión");
}

}  // namespace
