#include "cli/cli.h"

#include <CLI/CLI.hpp>
#include <charconv>
#include <ostream>

#include "app/simbol.h"
#include "documents/encoding.h"
#include "solvers/controls.h"
#include "solvers/form.h"
#include "solvers/interest.h"
#include "texts/catalogue.h"

namespace tolvi::cli {

namespace {

// The output that did not reach standard output (a full disk, /dev/full, a closed pipe or
// descriptor) makes the command fail, whatever it did besides.
int CheckOutput(Streams io, int status) {
  io.out.flush();
  if (io.out) return status;
  io.err << "tolvi-cli: the output could not be written to standard output\n";
  return status == kOk ? kFailed : status;
}

}  // namespace

std::string CheckSeed(std::string& text) {
  uint64_t seed = 0;
  const auto r = std::from_chars(text.data(), text.data() + text.size(), seed, 10);
  if (text.empty() || r.ec != std::errc() || r.ptr != text.data() + text.size())
    return "the seed must be a whole number from 0 to 18446744073709551615";
  return {};
}

uint64_t SeedOf(const std::string& text) {
  uint64_t seed = 0;
  std::from_chars(text.data(), text.data() + text.size(), seed, 10);
  return seed;
}

std::string CheckSymbol(std::string& text) {
  if (!IsValidUtf8(text)) return "the symbol must be UTF-8 text";
  if (TeControls(text)) return "the symbol may not hold control characters (line breaks, tabs)";
  return {};
}

void AddPeriodOptions(CLI::App& cmd, PeriodOptions& opt) {
  cmd.add_option("--per-year", opt.perYear,
                 "compound, capitalisation, amortisation: compoundings or payments a year "
                 "(1, 2, 4 or 12; default 1)")
      ->check(CLI::IsMember({1, 2, 4, 12}));
  cmd.add_option("--timing", opt.timing,
                 "capitalisation, amortisation: each payment at the start or the end of its "
                 "period (default: capitalisation start, amortisation end)")
      ->check(CLI::IsMember({"start", "end"}));
}

bool ChoosePeriods(const PeriodOptions& opt, int panel, Form& form, Streams io,
                   std::string_view command) {
  if (opt.perYear != 0) {
    if (!ctl::IdPer.has(panel)) {
      io.err << command
             << ": --per-year is for the compound, capitalisation and amortisation panels\n";
      return false;
    }
    form.setCurrentIndex(ctl::IdPer(panel), IndexPerYear(opt.perYear));
  }
  if (!opt.timing.empty()) {
    if (!ctl::IdMom.has(panel)) {
      io.err << command << ": --timing is for the capitalisation and amortisation panels\n";
      return false;
    }
    form.setCurrentIndex(ctl::IdMom(panel), opt.timing == "start" ? 0 : 1);
  }
  return true;
}

int RunCli(const std::vector<std::string>& args, Streams io) {
  CLI::App app{
      "Tolvi without a window: read numbers, find roots, solve panels and make worksheets.",
      "tolvi-cli"};
  app.set_version_flag("--version", std::string("tolvi-cli ") + TOLVI_VERSION);
  app.require_subcommand(1);
  int status = kOk;
  AddCalc(app, io, &status);
  AddFormat(app, io, &status);
  AddRoots(app, io, &status);
  AddSolve(app, io, &status);
  AddGenerate(app, io, &status);
  AddWorksheet(app, io, &status);
  AddSchedule(app, io, &status);
  // The language of every text the commands write: messages, titles, the option chooser.
  // Spanish unless --lang says otherwise (before or after the command's name); it is set
  // before the command runs.
  FixaIdioma(kSpanish);
  std::string lang = "es";
  std::vector<std::string> codes;
  for (const Catalogue& c : Catalogues()) codes.push_back(c.code);
  for (CLI::App* each : app.get_subcommands({}))
    each->add_option("--lang", lang, "the language of the messages and titles (es, ca, en)")
        ->check(CLI::IsMember(codes))
        ->option_text("es|ca|en");
  app.add_option("--lang", lang, "the language of the messages and titles (es, ca, en)")
      ->check(CLI::IsMember(codes))
      ->option_text("es|ca|en");
  for (size_t i = 0; i < args.size() && args[i] != "--"; ++i) {
    std::string_view code;
    if (args[i] == "--lang" && i + 1 < args.size())
      code = args[i + 1];
    else if (args[i].rfind("--lang=", 0) == 0)
      code = std::string_view(args[i]).substr(7);
    if (const auto language = IdiomaDelCodi(code)) FixaIdioma(*language);
  }

  std::vector<std::string> reversed(args.rbegin(), args.rend());
  try {
    app.parse(reversed);
  } catch (const CLI::ParseError& e) {
    // --help and --version arrive here as "errors" with exit code 0.
    int code = app.exit(e, io.out, io.err);
    return CheckOutput(io, code == 0 ? kOk : kUsage);
  }
  return CheckOutput(io, status);
}

}  // namespace tolvi::cli
