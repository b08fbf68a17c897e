// tolvi-cli worksheet: random cases of the chosen panels as a sheet to hand out, its answer
// key, a Moodle quiz and the problem-file text. The PDFs are drawn with Qt on its offscreen
// platform, started for this command only, so no display is ever needed.
#include <CLI/CLI.hpp>
#include <cstdio>
#include <memory>
#include <nlohmann/json.hpp>
#include <optional>
#include <ostream>
#include <set>

#include "app/file_messages.h"
#include "app/panells.h"
#include "app/simbol.h"
#include "app/worksheet.h"
#include "cli/cli.h"
#include "documents/encoding.h"
#include "documents/textfile.h"
#include "solvers/atzar.h"

#ifdef TOLVI_HAVE_RENDER
#include <QGuiApplication>

#include "render/worksheet_pdf.h"
#endif

namespace tolvi::cli {

namespace {

using Json = nlohmann::ordered_json;

struct WorksheetOptions {
  std::vector<std::string> panels;
  int count = 1;
  std::string seed;  // empty: the clock
  std::string title;
  std::vector<std::string> header;
  std::string symbol = "\u20AC";
  bool steps = false;
  bool noNumbers = false;
  bool keyAfter = false;
  std::string pdf, key, moodle, text;
  bool json = false;
};

// One file to write: what it is, where, and its bytes once made.
struct Output {
  const char* what;
  std::string path;
  std::string bytes;
};

// --title, --header: one line of UTF-8 text.
std::string CheckLine(std::string& text) {
  if (!IsValidUtf8(text)) return "the text must be UTF-8";
  if (TeControls(text)) return "the text may not hold control characters (line breaks, tabs)";
  return {};
}

#ifdef TOLVI_HAVE_RENDER
// Qt for drawing, on the offscreen platform whatever the environment says; an application
// that is already running (a test program's) is used as it is.
// Qt's notes about the environment (no XDG_RUNTIME_DIR, and the like) are not for the
// person at the command line, and are left out while it runs; its errors are still shown.
class OffscreenQt {
 public:
  OffscreenQt() {
    if (QCoreApplication::instance() != nullptr) return;
    previous_ = qInstallMessageHandler(Quiet);
    quiet_ = true;
    app_.emplace(argc_, argv_);
  }
  ~OffscreenQt() {
    app_.reset();
    if (quiet_) qInstallMessageHandler(previous_);
  }
  OffscreenQt(const OffscreenQt&) = delete;
  OffscreenQt& operator=(const OffscreenQt&) = delete;
  bool ready() const { return qobject_cast<QGuiApplication*>(QCoreApplication::instance()); }

 private:
  int argc_ = 3;
  char arg0_[10] = "tolvi-cli";
  char arg1_[10] = "-platform";
  char arg2_[10] = "offscreen";
  char* argv_[4] = {arg0_, arg1_, arg2_, nullptr};
  QtMessageHandler previous_ = nullptr;
  bool quiet_ = false;
  std::optional<QGuiApplication> app_;

  static void Quiet(QtMsgType type, const QMessageLogContext&, const QString& text) {
    if (type == QtCriticalMsg || type == QtFatalMsg)
      fprintf(stderr, "tolvi-cli: Qt: %s\n", text.toLocal8Bit().constData());
  }
};

std::string Bytes(const QByteArray& data) {
  return std::string(data.constData(), static_cast<size_t>(data.size()));
}
#endif

int RunWorksheet(const WorksheetOptions& opt, Streams io) {
  WorksheetRequest request;
  request.count = opt.count;
  request.symbol = opt.symbol;
  for (const std::string& name : opt.panels) {
    if (name == "all") {
      for (const Panell& p : Panells()) request.panels.push_back(p.key);
    } else if (const Panell* p = PanellPerNom(name)) {
      request.panels.push_back(p->key);
    } else {
      io.err << "worksheet: unknown panel \"" << name << "\"\n";
      return kUsage;
    }
  }
  std::vector<Output> outputs;
  for (const Output& o : {Output{"sheet", opt.pdf, {}}, Output{"key", opt.key, {}},
                          Output{"quiz", opt.moodle, {}}, Output{"text", opt.text, {}}})
    if (!o.path.empty()) outputs.push_back(o);
  std::set<std::string> paths;
  for (const Output& o : outputs) {
    if (!paths.insert(o.path).second) {
      io.err << "worksheet: \"" << o.path << "\" is named for two outputs\n";
      return kUsage;
    }
  }
  if (opt.keyAfter && opt.pdf.empty()) {
    io.err << "worksheet: --key-after puts the key in the --pdf file: name one\n";
    return kUsage;
  }
#ifndef TOLVI_HAVE_RENDER
  if (!opt.pdf.empty() || !opt.key.empty()) {
    io.err << "worksheet: this tolvi-cli was built without PDF output\n";
    return kUsage;
  }
#endif

  if (!opt.seed.empty()) {
    request.seed = SeedOf(opt.seed);
  } else {
    Atzar clock;
    request.seed = clock.seedFromClock();
  }
  const Worksheet sheet = ComposeWorksheet(request);
  for (const WorksheetCase& c : sheet.cases)
    if (!c.solved) io.err << "worksheet: " << c.failure << "\n";

  size_t questions = 0;
  for (const WorksheetCase& c : sheet.cases) questions += c.found.size();

  if (!opt.pdf.empty() || !opt.key.empty()) {
#ifdef TOLVI_HAVE_RENDER
    SheetOptions look;
    look.title = opt.title;
    look.header = opt.header;
    look.numbered = !opt.noNumbers;
    look.steps = opt.steps;
    OffscreenQt qt;
    if (!qt.ready()) {
      io.err << "worksheet: Qt could not be started to draw the PDF\n";
      return kFailed;
    }
    const QString title = opt.title.empty() ? DefaultSheetTitle() : FromUtf8(opt.title);
    for (Output& o : outputs) {
      QByteArray pdf;
      if (o.what == std::string_view("sheet"))
        pdf = PdfBytes(opt.keyAfter ? SheetAndKeyDocument(sheet, look) : SheetDocument(sheet, look),
                       title);
      else if (o.what == std::string_view("key"))
        pdf = PdfBytes(KeyDocument(sheet, look), KeyTitle(title));
      else
        continue;
      if (pdf.isEmpty()) {
        io.err << "worksheet: the PDF for \"" << o.path << "\" could not be drawn\n";
        return kFailed;
      }
      o.bytes = Bytes(pdf);
    }
#endif
  }
  for (Output& o : outputs) {
    if (o.what == std::string_view("quiz")) o.bytes = MoodleXml(sheet, opt.title);
    if (o.what == std::string_view("text")) o.bytes = WorksheetText(sheet, opt.steps);
  }

  int status = sheet.allSolved() ? kOk : kFailed;
  Json written = Json::array();
  if (!opt.json) io.out << "seed " << sheet.seed << "\n";
  for (const Output& o : outputs) {
    const FileResult r = EscriuBytes(o.bytes, o.path);
    if (!r) {
      io.err << "worksheet: cannot write \"" << o.path << "\": " << RaoError(r, IdiomaActual())
             << "\n";
      status = kFailed;
      continue;
    }
    written.push_back({{"kind", o.what}, {"path", o.path}});
    if (!opt.json) io.out << o.what << ": " << o.path << "\n";
  }
  const size_t problems = sheet.problems().size();
  if (opt.json) {
    io.out << Json{{"seed", sheet.seed},
                   {"problems", problems},
                   {"questions", questions},
                   {"files", written},
                   {"solved", sheet.allSolved()}}
                  .dump(-1, ' ', false, Json::error_handler_t::replace)
           << "\n";
  } else if (outputs.empty()) {
    io.out << WorksheetText(sheet, opt.steps);
  } else {
    io.out << problems << " problems, " << questions << " questions\n";
  }
  return status;
}

}  // namespace

void AddWorksheet(CLI::App& app, Streams io, int* status) {
  auto opt = std::make_shared<WorksheetOptions>();
  CLI::App* cmd = app.add_subcommand(
      "worksheet",
      "Make a worksheet of random cases of the given panels: a PDF of the statements, a PDF "
      "answer key, a Moodle XML quiz and the problem-file text. Prints the seed it used; the "
      "same seed gives the same worksheet (and the cases `generate` gives). Without any output "
      "file, prints the problem-file text.");
  cmd->add_option("panels", opt->panels,
                  "panels by name or key (arithmetic, arithmetic-interpolation, geometric, "
                  "geometric-interpolation, simple, compound, capitalisation, amortisation), "
                  "or all")
      ->required();
  cmd->add_option("--count", opt->count, "cases per panel")->required()->check(CLI::Range(1, 1000));
  cmd->add_option("--seed", opt->seed,
                  "seed of the random generator, 0 to 18446744073709551615 (default: the clock)")
      ->check(CLI::Validator(CheckSeed, "SEED"));
  cmd->add_option("--title", opt->title,
                  "the sheet's title (default \"Hoja de ejercicios\", or its --lang translation)")
      ->check(CLI::Validator(CheckLine, "TEXT"));
  cmd->add_option("--header", opt->header,
                  "a line under the title (centre, course, date); may be given again")
      ->check(CLI::Validator(CheckLine, "TEXT"));
  cmd->add_flag("--steps", opt->steps,
                "the answer key (and the problem-file text) shows the worked steps");
  cmd->add_flag("--no-numbers", opt->noNumbers, "no numbers before the problems");
  cmd->add_option("--pdf", opt->pdf, "write the sheet as a PDF (A4) to this file");
  cmd->add_option("--key", opt->key, "write the answer key as a PDF to this file");
  cmd->add_flag("--key-after", opt->keyAfter,
                "put the answer key in the --pdf file too, after the sheet on pages of its own");
  cmd->add_option("--moodle", opt->moodle,
                  "write a Moodle XML quiz: a category per panel, a numerical question per "
                  "quantity found");
  cmd->add_option("--text", opt->text,
                  "write the problems as a problem file (statement, \"R:     \" answer, empty "
                  "line; CR LF)");
  cmd->add_option("--symbol", opt->symbol, "the currency symbol (default €)")
      ->check(CLI::Validator(CheckSymbol, "SYMBOL"));
  cmd->add_flag("--json", opt->json, "print one JSON document");
  cmd->callback([opt, io, status] { *status = RunWorksheet(*opt, io); });
}

}  // namespace tolvi::cli
