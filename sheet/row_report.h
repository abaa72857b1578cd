// What a --csv job says of its rows: each failed row (its line, date, the
// added column, the error and the cells its formula read that are not
// numbers) and each doubtful one (the checks' causes), the first 20 of each
// one by one and then how many more; and the totals of rows computed,
// failed, doubtful and left out.
#pragma once

#include <string>
#include <vector>

#include "sheet/csv_job.h"
#include "sheet/evaluator.h"
#include "sheet/value.h"

namespace torven {

class RowReport {
 public:
  static constexpr long kSaid = 20;  // rows of each kind said one by one

  RowReport(CsvJobReport& out, const std::string& file) : out_(out), file_(file) {}

  // The sheet's columns by name: the file's, then the added ones'.
  void SetColumns(std::vector<std::string> names) { names_ = std::move(names); }

  // A row as messages name it: the file, its line and its date ("" none).
  std::string RowName(long line, const std::string& date) const;

  void Computed() { ++computed_; }
  void Skipped() { ++skipped_; }
  // A row whose added column `column` (of the sheet) is the error `value`,
  // shown in `language`; `faulty`: the cells its formula refused.
  void Failed(long line, const std::string& date, int column, const Value& value,
              const std::vector<FaultyCell>& faulty, Language language);
  // A row whose readings are doubtful for `causes` (in the findings' language).
  void Doubtful(long line, const std::string& date, const std::string& causes, Language language);

  // After the rows: how many more failed or were doubtful than were said,
  // and the totals.
  void Totals();

 private:
  std::string ColumnName(int column) const;
  CsvJobReport& out_;
  const std::string& file_;
  std::vector<std::string> names_;
  long computed_ = 0, failed_ = 0, doubtful_ = 0, skipped_ = 0;
};

}  // namespace torven
