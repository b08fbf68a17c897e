#include "solvers/schedule.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "numeric/numtext.h"
#include "texts/catalogue.h"

namespace tolvi {

namespace {

const double kNone = std::numeric_limits<double>::quiet_NaN();

const Quantity* Find(const Solution& s, const char* alias) {
  for (const Quantity& q : s.quantities)
    if (q.alias == alias) return &q;
  return nullptr;
}

// Code points, for aligning columns of UTF-8 text.
size_t Width(const std::string& s) {
  size_t n = 0;
  for (unsigned char c : s) n += (c & 0xC0) != 0x80;
  return n;
}

// The columns of a table: their JSON keys, and as headers the texts "sched.<key>" in the
// interface language.
void Columns(Schedule& s, std::initializer_list<const char*> keys) {
  for (const char* key : keys) {
    s.keys.emplace_back(key);
    s.headers.push_back(Tx(std::string("sched.") + key));
  }
}

}  // namespace

std::string Cents(double amount, char decimal) {
  const long long c = std::llround(amount * 100);
  const unsigned long long a =
      c < 0 ? 0ULL - static_cast<unsigned long long>(c) : static_cast<unsigned long long>(c);
  std::string frac = std::to_string(a % 100);
  if (frac.size() < 2) frac.insert(0, "0");
  return (c < 0 ? "-" : "") + std::to_string(a / 100) + decimal + frac;
}

ScheduleResult MakeSchedule(const Solution& sol, bool cents) {
  ScheduleResult out;
  Schedule& s = out.schedule;
  s.panel = sol.panel;
  s.perYear = sol.perYear > 0 ? sol.perYear : 1;
  s.payAtStart = sol.payAtStart;
  if (sol.panel < 5 || sol.panel > 7 || sol.quantities.empty()) {
    out.error = Tx("sched.only_interest");
    return out;
  }
  const Quantity* first = Find(sol, sol.panel == 7 ? "debt" : "capital");
  const Quantity* rate = Find(sol, "rate");
  const Quantity* time = Find(sol, "time");
  const Quantity* last = Find(sol, sol.panel == 5 ? "final" : "annuity");
  if (!first || !rate || !time || !last) {
    out.error = Tx("sched.missing");
    return out;
  }
  const int m = s.perYear;
  const double i = rate->value / (100.0 * m);
  const double n = time->value * m;
  // Amounts in cents, rounded when the table is to the cent. Beyond 2^53 cents a double no
  // longer holds every cent.
  auto R = [cents](double x) { return cents ? std::round(x) : x; };
  for (double x : {first->value, last->value}) {
    if (!std::isfinite(x) || (cents && std::fabs(x) * 100 > 9e15)) {
      out.error = Tx("sched.too_large");
      return out;
    }
  }
  if (!std::isfinite(n) || !(n > 0) || n > kMaxPeriods + 0.5) {
    out.error = TxF("sched.too_many", {EscriuDec(n, 2), std::to_string(kMaxPeriods)});
    return out;
  }
  const double whole = std::round(n);
  const bool exact = std::fabs(n - whole) <= 1e-6 * std::max(1.0, n);
  const int N = std::max(1, static_cast<int>(exact ? whole : std::ceil(n)));

  // The note: how the amounts are rounded and which row takes up what the rounding left,
  // "sched.note.<panel>"; then whether the last period is a shorter one.
  const std::string& rounding = Tx(cents ? "sched.rounded" : "sched.unrounded");
  std::string shorter;
  if (!exact) shorter = " " + TxF("sched.shorter", {EscriuDec(n, 4)});
  auto row = [&](std::initializer_list<double> cells) {
    std::vector<double> r;
    for (double x : cells) r.push_back(r.empty() ? x : x / 100);
    s.rows.push_back(std::move(r));
  };

  if (sol.panel == 7) {
    Columns(s, {"period", "payment", "interest", "principal", "repaid", "balance"});
    double B = R(first->value * 100), pay = R(last->value * 100), repaid = 0;
    double sumPay = 0, sumInt = 0;
    for (int k = 1; k <= N; ++k) {
      const double interest = s.payAtStart && k == 1 ? 0 : R(B * i);
      double principal = pay - interest, payment = pay;
      const bool end = k == N || principal >= B;
      if (end) {
        principal = B;
        payment = B + interest;
      }
      B = end ? 0 : B - principal;
      repaid += principal;
      sumPay += payment;
      sumInt += interest;
      row({static_cast<double>(k), payment, interest, principal, repaid, B});
      if (end) break;
    }
    s.totals = {kNone, sumPay / 100, sumInt / 100, repaid / 100, kNone, kNone};
    s.note = TxF("sched.note.7", {rounding}) + shorter;
    if (static_cast<int>(s.rows.size()) < N)
      s.note += " " + TxF("sched.paid_early", {std::to_string(s.rows.size())});
  } else if (sol.panel == 6) {
    Columns(s, {"period", "payment", "interest", "increase", "fund"});
    const double target = R(first->value * 100), pay = R(last->value * 100);
    double F = 0, sumPay = 0, sumInt = 0;
    for (int k = 1; k <= N; ++k) {
      double p = pay, interest = 0;
      if (k < N) {
        interest = R((s.payAtStart ? F + p : F) * i);
      } else if (s.payAtStart) {
        // The last payment, with the interest it earns, brings the fund to the capital sought.
        p = std::max(0.0, R(target / (1 + i) - F));
        interest = p > 0 ? target - F - p : R(F * i);
      } else {
        interest = R(F * i);
        p = std::max(0.0, target - F - interest);
      }
      F += p + interest;
      sumPay += p;
      sumInt += interest;
      row({static_cast<double>(k), p, interest, p + interest, F});
    }
    s.totals = {kNone, sumPay / 100, sumInt / 100, (sumPay + sumInt) / 100, kNone};
    s.note = TxF("sched.note.6", {rounding, Cents(target / 100)}) + shorter;
    if (F != target) s.note += " " + TxF("sched.enough", {Cents(F / 100)});
  } else {
    Columns(s, {"period", "interest", "capital"});
    double capital = R(first->value * 100), sumInt = 0;
    const double target = R(last->value * 100);
    for (int k = 1; k <= N; ++k) {
      const double interest = k == N ? target - capital : R(capital * i);
      capital += interest;
      sumInt += interest;
      row({static_cast<double>(k), interest, capital});
    }
    s.totals = {kNone, sumInt / 100, kNone};
    s.note = TxF("sched.note.5", {rounding, Cents(target / 100)}) + shorter;
  }
  return out;
}

std::string ScheduleCsv(const Schedule& s, CsvDialect dialect) {
  const char sep = dialect == CsvDialect::Spanish ? ';' : ',';
  const char dec = dialect == CsvDialect::Spanish ? ',' : '.';
  // Spanish spreadsheets take a file for UTF-8 by its byte order mark.
  std::string out = dialect == CsvDialect::Spanish ? "\xEF\xBB\xBF" : "";
  for (size_t c = 0; c < s.headers.size(); ++c)
    out += (c ? std::string(1, sep) : "") + s.headers[c];
  out += "\r\n";
  for (const auto& r : s.rows) {
    for (size_t c = 0; c < r.size(); ++c) {
      if (c) out += sep;
      out += c == 0 ? std::to_string(static_cast<long long>(r[c])) : Cents(r[c], dec);
    }
    out += "\r\n";
  }
  out += Tx("sched.total");
  for (size_t c = 1; c < s.totals.size(); ++c)
    out += sep + (std::isnan(s.totals[c]) ? std::string() : Cents(s.totals[c], dec));
  return out + "\r\n";
}

std::string ScheduleText(const Schedule& s) {
  std::vector<std::vector<std::string>> cells;
  cells.push_back(s.headers);
  for (const auto& r : s.rows) {
    std::vector<std::string> line;
    for (size_t c = 0; c < r.size(); ++c)
      line.push_back(c == 0 ? std::to_string(static_cast<long long>(r[c])) : Cents(r[c]));
    cells.push_back(std::move(line));
  }
  std::vector<std::string> total{Tx("sched.total")};
  for (size_t c = 1; c < s.totals.size(); ++c)
    total.push_back(std::isnan(s.totals[c]) ? "" : Cents(s.totals[c]));
  cells.push_back(std::move(total));
  std::vector<size_t> width(s.headers.size(), 0);
  for (const auto& line : cells)
    for (size_t c = 0; c < line.size() && c < width.size(); ++c)
      width[c] = std::max(width[c], Width(line[c]));
  std::string out;
  for (const auto& line : cells) {
    std::string text;
    for (size_t c = 0; c < line.size() && c < width.size(); ++c)
      text += (c ? "  " : "") + std::string(width[c] - Width(line[c]), ' ') + line[c];
    while (!text.empty() && text.back() == ' ') text.pop_back();
    out += text + "\n";
  }
  return out + s.note + "\n";
}

std::vector<std::vector<std::string>> ReadCsv(const std::string& text, CsvDialect dialect) {
  const char sep = dialect == CsvDialect::Spanish ? ';' : ',';
  std::vector<std::vector<std::string>> out;
  size_t at = text.rfind("\xEF\xBB\xBF", 0) == 0 ? 3 : 0;
  while (at < text.size()) {
    size_t end = text.find('\n', at);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(at, end - at);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    std::vector<std::string> cells(1);
    for (char c : line) {
      if (c == sep)
        cells.emplace_back();
      else
        cells.back() += c;
    }
    out.push_back(std::move(cells));
    at = end + 1;
  }
  return out;
}

}  // namespace tolvi
