// tolvi-cli schedule: solves an interest panel as `solve` does and prints the period-by-period
// table of the case.
#include <CLI/CLI.hpp>
#include <cmath>
#include <nlohmann/json.hpp>
#include <ostream>

#include "app/controller.h"
#include "app/panells.h"
#include "cli/cli.h"
#include "solvers/atzar.h"
#include "solvers/controls.h"
#include "solvers/recording_services.h"
#include "solvers/schedule.h"

namespace tolvi::cli {

namespace {

using Json = nlohmann::ordered_json;

struct ScheduleOptions {
  std::string panel;
  std::vector<std::string> assignments;
  PeriodOptions periods;
  bool csv = false;
  bool json = false;
  std::string dialect = "es";
};

Json ScheduleJson(const Schedule& s) {
  auto cell = [](const std::string& key, double x) {
    return key == "period" ? Json(static_cast<long long>(x)) : Json(x);
  };
  Json rows = Json::array();
  for (const auto& r : s.rows) {
    Json row = Json::object();
    for (size_t c = 0; c < r.size() && c < s.keys.size(); ++c)
      row[s.keys[c]] = cell(s.keys[c], r[c]);
    rows.push_back(std::move(row));
  }
  Json totals = Json::object();
  for (size_t c = 1; c < s.totals.size() && c < s.keys.size(); ++c)
    if (!std::isnan(s.totals[c])) totals[s.keys[c]] = s.totals[c];
  return {{"panel", s.panel},
          {"perYear", s.perYear},
          {"timing", s.panel == 5 ? Json(nullptr) : Json(s.payAtStart ? "start" : "end")},
          {"rows", rows},
          {"totals", totals},
          {"note", s.note}};
}

int RunSchedule(const ScheduleOptions& opt, Streams io) {
  const Panell* panel = PanellPerNom(opt.panel);
  if (!panel || panel->key < 5) {
    io.err << "schedule: \"" << opt.panel
           << "\" is not a panel with a table (compound, capitalisation, amortisation)\n";
    return kUsage;
  }
  MemoryForm form;
  RecordingServices ui;
  Atzar rng;
  Controller controller(form, ui, rng, "");
  controller.start();
  if (!ChoosePeriods(opt.periods, panel->key, form, io, "schedule")) return kUsage;
  for (const std::string& a : opt.assignments) {
    const size_t eq = a.find('=');
    const std::string control =
        eq == std::string::npos ? "" : ControlDeCamp(*panel, a.substr(0, eq));
    if (control.empty()) {
      io.err << "schedule: \"" << a << "\" names no field of the " << panel->name
             << " panel (NAME=TEXT)\n";
      return kUsage;
    }
    form.setText(control, a.substr(eq + 1));
    controller.fieldChanged(control);
  }
  controller.solve(panel->key);
  for (const auto& m : ui.messages) io.err << m.title << ": " << m.text << "\n";
  if (!form.enabled(ctl::BtGuard(panel->key))) {
    if (ui.messages.empty()) io.err << "schedule: the case was not solved\n";
    return kFailed;
  }
  const ScheduleResult made =
      MakeSchedule(controller.state().Solutions[static_cast<size_t>(panel->key)]);
  if (!made.ok()) {
    io.err << "schedule: " << made.error << "\n";
    return kFailed;
  }
  if (opt.json)
    io.out << ScheduleJson(made.schedule).dump(-1, ' ', false, Json::error_handler_t::replace)
           << "\n";
  else if (opt.csv)
    io.out << ScheduleCsv(made.schedule,
                          opt.dialect == "en" ? CsvDialect::English : CsvDialect::Spanish);
  else
    io.out << ScheduleText(made.schedule);
  return kOk;
}

}  // namespace

void AddSchedule(CLI::App& app, Streams io, int* status) {
  auto opt = std::make_shared<ScheduleOptions>();
  CLI::App* cmd = app.add_subcommand(
      "schedule",
      "Solve a compound, capitalisation or amortisation case as `solve` does and print its "
      "period-by-period table, amounts rounded to the cent in every row (the last row absorbs "
      "the rounding: an amortisation ends at exactly 0.00 pending).");
  cmd->add_option("panel", opt->panel, "compound (5), capitalisation (6) or amortisation (7)")
      ->required();
  cmd->add_option("fields", opt->assignments,
                  "NAME=TEXT: capital, debt, rate, time, final or annuity (three of them)");
  AddPeriodOptions(*cmd, opt->periods);
  auto* csv = cmd->add_flag("--csv", opt->csv, "print the table as CSV");
  cmd->add_option("--dialect", opt->dialect,
                  "CSV for Spanish spreadsheets (es: \";\" and a decimal comma, the default) or "
                  "others (en: \",\" and a decimal point)")
      ->check(CLI::IsMember({"es", "en"}))
      ->needs(csv);
  cmd->add_flag("--json", opt->json, "print one JSON document")->excludes(csv);
  cmd->callback([opt, io, status] { *status = RunSchedule(*opt, io); });
}

}  // namespace tolvi::cli
