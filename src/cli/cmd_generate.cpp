// tolvi-cli generate: random cases for the chosen panels, each solved as the Generate button
// does, written out as a worksheet of problems.
#include <CLI/CLI.hpp>
#include <nlohmann/json.hpp>
#include <ostream>

#include "app/controller.h"
#include "app/panells.h"
#include "cli/cli.h"
#include "cli/steps_json.h"
#include "documents/encoding.h"
#include "documents/problem_file.h"
#include "solvers/atzar.h"
#include "solvers/controls.h"
#include "solvers/interest.h"
#include "solvers/recording_services.h"
#include "texts/catalogue.h"

namespace tolvi::cli {

namespace {

using Json = nlohmann::ordered_json;

struct GenerateOptions {
  std::vector<std::string> panels;
  int count = 1;
  std::string seed;  // empty: the clock
  std::string output;
  std::string symbol = "\u20AC";
  bool json = false;
  bool steps = false;
  bool periods = false;
};

std::string Reason(const FileResult& r) {
  switch (r.error) {
    case FileErrorKind::None: return "done";
    case FileErrorKind::NoPermission: return "permission denied";
    case FileErrorKind::IsFolder: return "it is a folder";
    case FileErrorKind::DiskFull: return "the disk is full";
    case FileErrorKind::NoFolder: return "its folder does not exist";
    case FileErrorKind::NotFound: return "not found";
    case FileErrorKind::Exists: return "it already exists";
    case FileErrorKind::InvalidName: return "the name is not valid";
    case FileErrorKind::NotAFile: return "it is not a plain file (a device or a pipe)";
    case FileErrorKind::Busy: return "another program keeps it locked";
    case FileErrorKind::Utf16: return "it is in UTF-16, which this program does not write";
    case FileErrorKind::Other: break;
  }
  return r.detail.empty() ? "error" : r.detail;
}

int Fail(const GenerateOptions& opt, Streams io, const std::string& error, int status) {
  io.err << "generate: " << error << "\n";
  if (opt.json)
    io.out << Json{{"error", error}}.dump(-1, ' ', false, Json::error_handler_t::replace) << "\n";
  return status;
}

int RunGenerate(const GenerateOptions& opt, Streams io) {
  std::vector<const Panell*> panels;
  for (const std::string& name : opt.panels) {
    if (name == "all") {
      for (const Panell& p : Panells()) panels.push_back(&p);
    } else if (const Panell* p = PanellPerNom(name)) {
      panels.push_back(p);
    } else {
      io.err << "generate: unknown panel \"" << name << "\"\n";
      return kUsage;
    }
  }

  MemoryForm form;
  RecordingServices ui;
  Atzar rng;
  if (!opt.seed.empty())
    rng.seed(SeedOf(opt.seed));
  else
    rng.seedFromClock();
  Controller controller(form, ui, rng, "");
  controller.start();
  controller.state().Idioma = IdiomaActual();  // --lang
  TriaSimbol(controller, opt.symbol);

  std::vector<Prob> problems;
  Json cases = Json::array();
  bool allSolved = true;
  for (const Panell* panel : panels) {
    for (int i = 0; i < opt.count; ++i) {
      const size_t messagesBefore = ui.messages.size();
      if (opt.periods && panel->key >= 5) {
        // The periods a year and the timing are drawn as well, before the case's values.
        form.setCurrentIndex(ctl::IdPer(panel->key), rng.AtzarEnter(0, 3));
        if (panel->key >= 6) form.setCurrentIndex(ctl::IdMom(panel->key), rng.AtzarEnter(0, 1));
      }
      controller.generate(panel->key);
      const bool solved = form.enabled(ctl::BtGuard(panel->key));
      const Prob& record = controller.state().Probs[static_cast<size_t>(panel->key)];
      const Solution& working = controller.state().Solutions[static_cast<size_t>(panel->key)];
      if (solved) {
        problems.push_back(record);
        if (opt.steps) problems.back().Resp = AnswerWithSteps(record.Resp, working);
      } else {
        allSolved = false;
        std::string why = "the " + panel->name + " panel could not solve its case";
        for (size_t m = messagesBefore; m < ui.messages.size(); ++m)
          why += " (" + ui.messages[m].title + ": " + ui.messages[m].text + ")";
        io.err << "generate: " << why << "\n";
      }
      if (opt.json) {
        Json fields = Json::object();
        for (const std::string& f : panel->fields) fields[f] = form.text(f);
        cases.push_back({{"panel", panel->key},
                         {"fields", fields},
                         {"statement", solved ? record.Enun : ""},
                         {"answer", solved ? record.Resp : ""},
                         {"solved", solved},
                         {"values", ValuesJson(working)},
                         {"steps", StepsJson(working)}});
      }
    }
  }

  if (!opt.output.empty()) {
    // Appended in one piece, in the file's own encoding; a failed write leaves the file as it was.
    std::vector<std::string> lost;
    FileResult written = AfegeixPrbs(opt.output, problems, &lost);
    if (!written)
      return Fail(opt, io, "cannot write to \"" + opt.output + "\": " + Reason(written), kFailed);
    if (!lost.empty())
      io.err << "generate: warning: \"" << opt.output << "\" is in Windows-1252, which has no "
             << NameCharacters(lost) << "; they were written as \"?\"\n";
  } else if (!opt.json) {
    for (const Prob& p : problems) io.out << EscriuPrb(p);
  }
  if (opt.json) io.out << cases.dump(-1, ' ', false, Json::error_handler_t::replace) << "\n";
  return allSolved ? kOk : kFailed;
}

}  // namespace

void AddGenerate(CLI::App& app, Streams io, int* status) {
  auto opt = std::make_shared<GenerateOptions>();
  CLI::App* cmd = app.add_subcommand(
      "generate",
      "Invent random cases for the given panels, solve each, and write them as problems "
      "(statement, \"R:     \" answer, empty line; CR LF).");
  cmd->add_option("panels", opt->panels,
                  "panels by name or key (arithmetic, arithmetic-interpolation, geometric, "
                  "geometric-interpolation, simple, compound, capitalisation, amortisation), "
                  "or all")
      ->required();
  cmd->add_option("--count", opt->count, "cases per panel (default 1)")
      ->check(CLI::Range(0, 32767));
  cmd->add_option("--seed", opt->seed,
                  "seed of the random generator, 0 to 18446744073709551615 (default: the clock)")
      ->check(CLI::Validator(CheckSeed, "SEED"));
  cmd->add_option("--output", opt->output, "append the problems to this file (created if missing)");
  cmd->add_option("--symbol", opt->symbol, "the currency symbol (default €)")
      ->check(CLI::Validator(CheckSymbol, "SYMBOL"));
  cmd->add_flag("--json", opt->json,
                "print one JSON document (each case with \"values\" and the worked \"steps\")");
  cmd->add_flag("--periods", opt->periods,
                "compound, capitalisation and amortisation cases also draw how many times a "
                "year the interest compounds or the payments fall (1, 2, 4, 12) and, for "
                "annuities, whether the payments fall at the start or the end of each period");
  cmd->add_flag("--steps", opt->steps,
                "write the worked steps under each answer (problem text and files)");
  cmd->callback([opt, io, status] { *status = RunGenerate(*opt, io); });
}

}  // namespace tolvi::cli
