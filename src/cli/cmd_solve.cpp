// tolvi-cli solve: types texts into a panel's fields as a person would and presses Solve,
// through the same controller the window uses.
#include <CLI/CLI.hpp>
#include <nlohmann/json.hpp>
#include <ostream>

#include "app/controller.h"
#include "app/panells.h"
#include "cli/cli.h"
#include "cli/steps_json.h"
#include "solvers/atzar.h"
#include "solvers/controls.h"
#include "solvers/recording_services.h"
#include "texts/catalogue.h"

namespace tolvi::cli {

namespace {

using Json = nlohmann::ordered_json;

struct SolveOptions {
  std::string panel;
  std::vector<std::string> assignments;
  int choose = 1;
  bool decreasing = false;
  std::string symbol = "\u20AC";
  bool json = false;
  bool steps = false;
  PeriodOptions periods;
};

Json MessagesJson(const RecordingServices& ui) {
  Json out = Json::array();
  for (const auto& m : ui.messages)
    out.push_back({{"text", m.text},
                   {"title", m.title},
                   {"icon", m.icon == Icon::Exclamation ? "exclamation" : "none"}});
  return out;
}

int RunSolve(const SolveOptions& opt, Streams io) {
  const Panell* panel = PanellPerNom(opt.panel);
  if (!panel) {
    io.err << "solve: unknown panel \"" << opt.panel << "\"\n";
    return kUsage;
  }
  std::vector<std::pair<std::string, std::string>> typed;  // control, text
  for (const std::string& a : opt.assignments) {
    size_t eq = a.find('=');
    std::string control = eq == std::string::npos ? "" : ControlDeCamp(*panel, a.substr(0, eq));
    if (control.empty()) {
      io.err << "solve: \"" << a << "\" names no field of the " << panel->name
             << " panel (NAME=TEXT)\n";
      return kUsage;
    }
    typed.emplace_back(control, a.substr(eq + 1));
  }

  MemoryForm form;
  RecordingServices ui;
  ui.defaultChoice = opt.choose;
  Atzar rng;
  Controller controller(form, ui, rng, "");
  controller.start();
  controller.state().Idioma = IdiomaActual();  // --lang
  TriaSimbol(controller, opt.symbol);
  if (!ChoosePeriods(opt.periods, panel->key, form, io, "solve")) return kUsage;

  const bool sumGiven = panel->key == 2 && std::any_of(typed.begin(), typed.end(), [](auto& t) {
                          return t.first == ctl::Idg(5);
                        });
  if (panel->key == 2 && (opt.decreasing || sumGiven)) controller.showInfiniteSum(true);
  for (const auto& [control, text] : typed) {
    form.setText(control, text);
    controller.fieldChanged(control);
  }
  if (sumGiven)
    controller.keyPressed(ctl::Idg(5), kEnter);  // the infinite-sum entry
  else
    controller.solve(panel->key);

  const Prob& record = controller.state().Probs[static_cast<size_t>(panel->key)];
  const bool solved = form.enabled(ctl::BtGuard(panel->key));
  const Solution& working = controller.state().Solutions[static_cast<size_t>(panel->key)];
  if (opt.json) {
    Json fields = Json::object();
    for (const std::string& f : panel->fields) fields[f] = form.text(f);
    Json choice = nullptr;
    if (!ui.choices.empty()) {
      const auto& c = ui.choices.back();
      choice = {{"caption", c.caption}, {"options", c.options}, {"chosen", c.chosen}};
    }
    Json doc = {
        {"panel", panel->key},
        {"solved", solved},
        {"fields", fields},
        {"terms", panel->termList.empty() ? Json(nullptr) : Json(form.text(panel->termList))},
        {"statement", record.Enun},
        {"answer", record.Resp},
        {"messages", MessagesJson(ui)},
        {"choice", choice},
        {"values", ValuesJson(working)},
        {"steps", StepsJson(working)}};
    io.out << doc.dump(-1, ' ', false, Json::error_handler_t::replace) << "\n";
  } else {
    io.out << "panel " << panel->key << " (" << panel->name
           << "): " << (solved ? "solved" : "not solved") << "\n";
    for (const std::string& f : panel->fields) io.out << "  " << f << " = " << form.text(f) << "\n";
    if (!panel->termList.empty()) io.out << "terms:" << form.text(panel->termList) << "\n";
    for (const auto& c : ui.choices) {
      io.out << "choice \"" << c.caption << "\":";
      for (const auto& o : c.options) io.out << " [" << o << "]";
      io.out << " -> " << c.chosen << "\n";
    }
    if (!record.Enun.empty() || !record.Resp.empty())
      io.out << "statement:\n" << record.Enun << "\nanswer:\n" << record.Resp << "\n";
    if (opt.steps) {
      io.out << "steps:\n";
      for (const Step& step : working.steps) io.out << "  " << StepText(step) << "\n";
    }
    for (const auto& m : ui.messages) io.err << m.title << ": " << m.text << "\n";
    if (!solved && ui.messages.empty()) io.err << "solve: the case was not solved\n";
  }
  return solved ? kOk : kFailed;
}

}  // namespace

void AddSolve(CLI::App& app, Streams io, int* status) {
  auto opt = std::make_shared<SolveOptions>();
  CLI::App* cmd = app.add_subcommand(
      "solve",
      "Type texts into a panel's fields as a person would and press its Solve button.\n"
      "Panels: arithmetic (0), arithmetic-interpolation (1), geometric (2), "
      "geometric-interpolation (3), simple (4), compound (5), capitalisation (6), "
      "amortisation (7).\n"
      "The messages are the window's: at most one per solve, and a field the calculator "
      "refuses is named (\"a\u2081: Divisi\u00F3n por cero\").");
  cmd->add_option("panel", opt->panel, "the panel, by name or key")->required();
  cmd->add_option("fields", opt->assignments,
                  "NAME=TEXT: a field by its short name (a, d, n, an, sn, k, r, s, b, capital, "
                  "rate, time, final, annuity, debt) or its control name (Idg(5))");
  cmd->add_option("--choose", opt->choose,
                  "the option to take when the solver offers several (0 cancels)")
      ->check(CLI::NonNegativeNumber);
  cmd->add_flag("--decreasing", opt->decreasing,
                "offer the infinite-sum row of the geometric panel first "
                "(only ratios between -1 and 1)");
  cmd->add_option("--symbol", opt->symbol, "the currency symbol (default €)")
      ->check(CLI::Validator(CheckSymbol, "SYMBOL"));
  cmd->add_flag("--json", opt->json,
                "print one JSON document (with \"values\" and the worked \"steps\")");
  cmd->add_flag("--steps", opt->steps, "print the worked steps after the result");
  AddPeriodOptions(*cmd, opt->periods);
  cmd->callback([opt, io, status] { *status = RunSolve(*opt, io); });
}

}  // namespace tolvi::cli
