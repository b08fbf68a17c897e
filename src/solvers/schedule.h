// The period-by-period table of a solved interest row: how a compound capital grows, how a
// savings fund is built ("cuadro de constitución") and how a debt is paid off ("cuadro de
// amortización").
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "solvers/steps.h"

namespace tolvi {

struct Schedule {
  int panel = -1;  // 5 compound interest, 6 capitalisation, 7 amortisation
  int perYear = 1;
  bool payAtStart = false;
  std::vector<std::string> headers;  // "periodo", "cuota", ... in the interface language
  std::vector<std::string> keys;     // "period", "payment", ... as JSON names them
  // One row a period: the period number, then the amounts. With rounding, every amount is a
  // whole number of cents.
  std::vector<std::vector<double>> rows;
  // The sums of the columns that have one (payments, interests, principal, increase), NaN in
  // the others and in the period's place.
  std::vector<double> totals;
  std::string note;  // how the amounts were rounded and which row absorbed the rounding
};

struct ScheduleResult {
  Schedule schedule;
  std::string error;  // why there is no table (not an interest row, too many periods...)
  bool ok() const { return error.empty(); }
};

// The most periods a table holds: 1000 years of monthly payments.
inline constexpr int kMaxPeriods = 12000;

// The table of a solved panel 5, 6 or 7 from its working (its quantities, periods a year and
// payment timing). With `cents`, each row is rounded to the cent as a textbook prints it and
// the last row absorbs what the rounding left: the last payment of an amortisation leaves
// exactly 0.00 pending, the last payment of a capitalisation brings the fund exactly to the
// capital sought, the last interest of a compound capital brings it to the final capital.
// Without it the rows are the exact values. A time that is no whole number of periods ends in
// a shorter last period (its payment is what is left).
ScheduleResult MakeSchedule(const Solution& solution, bool cents = true);

// Writing a table. CSV dialects: Spanish spreadsheets read ";" with a decimal comma, others ","
// with a decimal point. Amounts with two decimals, one line each (CR LF), a header line and a
// totals line ("Total"); the note is not part of the CSV.
enum class CsvDialect { Spanish, English };
std::string ScheduleCsv(const Schedule& schedule, CsvDialect dialect);
// A plain text table with aligned columns, the totals and the note under it.
std::string ScheduleText(const Schedule& schedule);
// An amount of a table with two decimals and the given separator ("1234.50", "-0.01").
std::string Cents(double amount, char decimal = '.');

// The CSV read back: the cells of every line, the totals line included (a test's check, and
// what another program reading the file sees). Quotes are not used by ScheduleCsv and not read.
std::vector<std::vector<std::string>> ReadCsv(const std::string& text, CsvDialect dialect);

}  // namespace tolvi
