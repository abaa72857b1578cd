// The catalogue's texts against an independent UTF-8 transcription, the
// formatter and the version texts.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "worksheet/catalogue.h"
#include "worksheet/version.h"
#include "worksheet/wide_format.h"

namespace {

using namespace worksheet;

const char kTranscription[] =
#include "tests/data/catalogue_utf8.inc"
    ;

// Decodes UTF-8 (one- to three-byte sequences) to UTF-16.
std::u16string FromUtf8(const std::string& bytes) {
  std::u16string out;
  for (std::size_t i = 0; i < bytes.size();) {
    const auto b = static_cast<unsigned char>(bytes[i]);
    unsigned code;
    int extra;
    if (b < 0x80) code = b, extra = 0;
    else if (b < 0xE0) code = b & 0x1Fu, extra = 1;
    else code = b & 0x0Fu, extra = 2;
    for (int k = 1; k <= extra; ++k) code = (code << 6) | (static_cast<unsigned char>(bytes[i + static_cast<std::size_t>(k)]) & 0x3Fu);
    out.push_back(static_cast<char16_t>(code));
    i += static_cast<std::size_t>(extra) + 1;
  }
  return out;
}

std::vector<std::vector<std::u16string>> Transcription() {
  std::vector<std::vector<std::u16string>> rows(1);
  std::string field;
  for (const char* p = kTranscription; *p != 0; ++p) {
    if (*p == '\t' || *p == '\n') {
      rows.back().push_back(FromUtf8(field));
      field.clear();
      if (*p == '\n') rows.emplace_back();
    } else {
      field += *p;
    }
  }
  rows.back().push_back(FromUtf8(field));
  return rows;
}

TEST(Catalogue, EveryTextEqualsTheTranscription) {
  const auto rows = Transcription();
  ASSERT_EQ(rows.size(), static_cast<std::size_t>(kCatalogueRows));
  for (int r = 0; r < kCatalogueRows; ++r) {
    ASSERT_EQ(rows[static_cast<std::size_t>(r)].size(), static_cast<std::size_t>(kCatalogueColumns)) << r;
    for (int c = 0; c < kCatalogueColumns; ++c) {
      ASSERT_NE(kCatalogue[r][c], nullptr) << r << "," << c;
      EXPECT_EQ(std::u16string(kCatalogue[r][c]), rows[static_cast<std::size_t>(r)][static_cast<std::size_t>(c)])
          << "row " << r << " column " << c;
    }
  }
}

TEST(Catalogue, NonAsciiCodeUnitsAndLimits) {
  // A few characters by their UTF-16 code units, whatever the source encoding.
  EXPECT_EQ(kCatalogue[0][kFunctionHelp][22], 0x00F3);  // "versión"
  EXPECT_EQ(std::u16string(kCatalogue[1][kArgumentText]).find(u'\u00B0'), 30u);  // "°"
  EXPECT_NE(std::u16string(kCatalogue[9][kArgumentText]).find(u"MJ/m\u00B2/d"), std::u16string::npos);
  EXPECT_EQ(std::u16string(kCatalogue[10][kArgumentText]), u"A\u00F1o,Mes,Dia");
  std::size_t longest = 0;
  for (const auto& row : kCatalogue)
    for (const XCHAR* text : row) longest = std::max(longest, std::u16string(text).size());
  EXPECT_EQ(longest, 178u);
}

TEST(Catalogue, FunctionNamesAndOneTypeLetterPerArgument) {
  for (const auto& row : kCatalogue) {
    const std::u16string arguments = row[kArgumentText];
    const std::size_t count = 1 + static_cast<std::size_t>(std::count(arguments.begin(), arguments.end(), u','));
    EXPECT_EQ(std::u16string(row[kTypeText]).size(), count + 1) << std::string(row[kProcedure], row[kProcedure] + 5);
    EXPECT_EQ(std::u16string(row[kProcedure]).rfind(u"_XLL"), std::u16string(row[kProcedure]).size() - 4);
  }
}

TEST(WideFormat, DirectivesAndTruncation) {
  XCHAR out[16];
  EXPECT_EQ(FormatWide(out, 16, u"%c%hs-%hs %%", {Char(3), Text(u"ab"), Text(u"\u00f3")}), 7);
  EXPECT_EQ(std::u16string(out), u"\u0003ab-\u00f3 %");
  EXPECT_EQ(FormatWide(out, 4, u"%hs", {Text(u"abcdef")}), 3);
  EXPECT_EQ(std::u16string(out), u"abc");
  EXPECT_EQ(FormatWide(out, 16, u"%hs|%hs", {Text(nullptr)}), 1);  // missing arguments write nothing
}

TEST(Version, TextsFitTheirBuffers) {
  const int version = FormattedLength(kVersionFormat, {kProductLabel, kAuthorName, kAuthorContact, kReleaseNote});
  EXPECT_LE(version, kAnswerChars - 2);
  XCHAR out[kAnswerChars];
  EXPECT_EQ(FormatWide(out, kAnswerChars, kVersionFormat,
                       {Text(kProductLabel), Text(kAuthorName), Text(kAuthorContact), Text(kReleaseNote)}),
            version);
}

}  // namespace
