// The screening rules of the ten worksheet entries: per entry, the accepted
// range of each argument and the cross checks between arguments, as a
// compile-time table that the entries read (and the function reference
// describes).
#pragma once

#include "worksheet/screening.h"

namespace worksheet {

inline constexpr RangeRule kDayOfYear = AboveAtMost(0, 366);  // greater than 0, not at least 1
inline constexpr RangeRule kLatitude = AbsAtMost(90);
inline constexpr RangeRule kAnyFinite = AtLeastAtMost(-kMaxDouble, kMaxDouble);
inline constexpr RangeRule kOpenFinite = Between(-kMaxDouble, kMaxDouble);
inline constexpr RangeRule kPercentage = AtLeastAtMost(0, 100);

// One table row per entry: range rule per argument, then the cross checks
// (after argument #, lesser argument #, greater argument #; 0-based).
inline constexpr EntryRules kRadf56a = {5, {kDayOfYear, AtLeastAtMost(0, 24), kAnyFinite, kAnyFinite, kLatitude}, 0, {}};
inline constexpr EntryRules kRadf56p = {5, {kDayOfYear, kPercentage, kAnyFinite, kAnyFinite, kLatitude}, 0, {}};
inline constexpr EntryRules kSolar = {2, {kDayOfYear, kLatitude}, 0, {}};
inline constexpr EntryRules kPvsf56 = {1, {kAnyFinite}, 0, {}};
inline constexpr EntryRules kPvtrf56 = {1, {kOpenFinite}, 0, {}};
inline constexpr EntryRules kPvhrf56 = {4, {kOpenFinite, kOpenFinite, kPercentage, kPercentage},
                                 2, {{3, 1, 0}, {3, 3, 2}}};  // Tmin <= Tmax, HRmin <= HRmax
inline constexpr EntryRules kPvhm = {3, {kOpenFinite, kOpenFinite, kPercentage}, 1, {{2, 1, 0}}};
inline constexpr EntryRules kEtpf56 = {10,
                                {kDayOfYear, AtLeastAtMost(0, 1000), Between(-1e76, 1e76),
                                 Between(-1e76, 1e76), kOpenFinite, Between(0, 1000),
                                 AtLeastBelow(0, kMaxDouble), AtLeastBelow(0, 1e300),
                                 Between(-100000, 100000), kLatitude},
                                1, {{3, 3, 2}}};  // Tmin <= Tmax, before DTP
inline constexpr EntryRules kJdia = {3, {AtLeastAtMost(0, 9999), AtLeastAtMost(1, 12), AtLeastAtMost(1, 31)}, 0, {}};

// The rules by the entry's procedure name.
struct NamedRules {
  const char* procedure;
  const EntryRules* rules;
};

inline constexpr NamedRules kRulesByProcedure[] = {
    {"RADF56A_XLL", &kRadf56a}, {"RADF56P_XLL", &kRadf56p}, {"DDIAF56_XLL", &kSolar},
    {"RADAF56_XLL", &kSolar},   {"PVSF56_XLL", &kPvsf56},   {"PVTRF56_XLL", &kPvtrf56},
    {"PVHRF56_XLL", &kPvhrf56}, {"PVHM_XLL", &kPvhm},       {"ETPF56_XLL", &kEtpf56},
    {"JDIA_XLL", &kJdia}};

}  // namespace worksheet
