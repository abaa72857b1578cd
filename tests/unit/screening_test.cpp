// The screening routine and the result check, on their own.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "worksheet/screening.h"

namespace {

using namespace worksheet;

constexpr double M = kMaxDouble;
constexpr double kInf = std::numeric_limits<double>::infinity();

TEST(RangeRules, BoundKinds) {
  struct Case {
    RangeRule rule;
    double x;
    bool accepted;
  } cases[] = {
      {AtLeastAtMost(0, 1), 0, true},  {AtLeastAtMost(0, 1), 1, true},   {Between(0, 1), 0, false},
      {Between(0, 1), 1, false},       {AboveAtMost(0, 1), 0, false},    {AboveAtMost(0, 1), 1, true},
      {AtLeastBelow(0, 1), 0, true},   {AtLeastBelow(0, 1), 1, false},   {AbsAtMost(90), -90, true},
      {AbsAtMost(90), 90.0000001, false}, {AtLeastAtMost(-M, M), M, true}, {AtLeastAtMost(-M, M), kInf, false},
      {Between(-M, M), -M, false},     {AtLeastAtMost(0, 1), -0.0, true}, {Between(0, 1), -0.0, false},
      {AtLeastAtMost(-M, M), std::nan(""), false},
  };
  for (const auto& c : cases) EXPECT_EQ(Accepts(c.rule, c.x), c.accepted) << c.x;
}

TEST(ResultCheck, InfinitiesAndTheLargestDouble) {
  XLOPER12 cell{};
  for (double r : {kInf, -kInf, M, -M}) {
    StoreResult(cell, r);
    EXPECT_EQ(cell.xltype, xl::kErr) << r;
    EXPECT_EQ(cell.val.err, xl::kErrValue) << r;
  }
  for (double r : {std::nextafter(M, 0.0), -std::nextafter(M, 0.0), 0.0, -0.0, 4.9e-324}) {
    EXPECT_EQ(StoreResult(cell, r), &cell);
    EXPECT_EQ(cell.xltype, xl::kNum);
    EXPECT_EQ(cell.val.num, r);
  }
  StoreResult(cell, -0.0);
  EXPECT_TRUE(std::signbit(cell.val.num));
  StoreResult(cell, std::nan(""));
  EXPECT_EQ(cell.xltype, xl::kNum);
  EXPECT_TRUE(std::isnan(cell.val.num));
}

constexpr EntryRules kTwoFractions = {2, {AtLeastAtMost(0, 1), AtLeastAtMost(0, 1)}, 0, {}};

TEST(Screening, NullArgumentIsAWrongType) {
  XLOPER12 one{};
  one.val.num = 1;
  one.xltype = xl::kNum;
  const XLOPER12* args[] = {&one, nullptr};
  XLOPER12 cell{};
  double values[2];
  EXPECT_FALSE(Screen<kTwoFractions>(args, values, cell));
  EXPECT_EQ(cell.val.err, xl::kErrValue);
}

}  // namespace
