#include "app/controller.h"
#include "solvers/controls.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <utility>

#include "app/documents_flow.h"
#include "app/file_messages.h"
#include "app/folders.h"
#include "app/info.h"
#include "app/simbol.h"
#include "app/tools.h"
#include "documents/textfile.h"
#include "numeric/fun.h"
#include "numeric/numtext.h"
#include "numeric/sixteen_bits.h"
#include "solvers/arithmetic.h"
#include "solvers/atzar.h"
#include "solvers/genera.h"
#include "solvers/geometric.h"
#include "solvers/interest.h"
#include "texts/catalogue.h"

namespace tolvi {

namespace {

char Digit(int key) { return static_cast<char>('0' + key); }

std::string BtGuard(int key) { return ctl::BtGuard(key); }

// The currency labels, one after every amount field of the interest panels.
constexpr int kCurrencyLabels = 8;
constexpr int kTools = 12;

// A solve tells what it has to say in one box at most: every message waits, and all of them
// show together when the solve ends (a bad field and the refusal it causes read as one).
// A question or a window the solve opens shows first what waits.
class OneBox : public Services {
 public:
  explicit OneBox(Services& ui) : ui_(ui) {}

  void message(std::string_view text, std::string_view title, Icon icon) override {
    if (text.empty()) return;  // an empty box tells nothing
    for (const std::string& said : texts_)
      if (said == text) return;
    if (texts_.empty()) title_ = title;
    texts_.emplace_back(text);
    if (icon == Icon::Exclamation) icon_ = icon;
  }
  bool askYesNo(std::string_view text, std::string_view title) override {
    flush();
    return ui_.askYesNo(text, title);
  }
  bool askYesNoOptOut(std::string_view text, std::string_view title, std::string_view optOut,
                      bool& ticked) override {
    flush();
    return ui_.askYesNoOptOut(text, title, optOut, ticked);
  }
  int chooseOption(std::string_view caption, std::string_view options) override {
    flush();
    return ui_.chooseOption(caption, options);
  }
  std::string chooseFile(DialogMode mode, std::string folder, std::string_view filter) override {
    flush();
    return ui_.chooseFile(mode, std::move(folder), filter);
  }
  void showProblem(std::string_view caption, const Prob& prob) override {
    ui_.showProblem(caption, prob);
  }
  bool startProgram(const Command& command, WindowStyle style) override {
    return ui_.startProgram(command, style);
  }
  bool openDocument(const std::string& path) override { return ui_.openDocument(path); }

  // What the solve said so far (flush empties it).
  const std::vector<std::string>& texts() const { return texts_; }

  void flush() {
    if (texts_.empty()) return;
    std::string text;
    for (const std::string& said : texts_) text += (text.empty() ? "" : NL) + said;
    texts_.clear();
    ui_.message(text, title_, std::exchange(icon_, Icon::None));
  }

 private:
  Services& ui_;
  std::vector<std::string> texts_;
  std::string title_;
  Icon icon_ = Icon::None;
};

// The shortest text that reads back as x, with "." whatever the locale.
std::string Curt(double x) {
  char buf[32];
  const auto [end, ec] = std::to_chars(buf, buf + sizeof buf, x);
  return ec == std::errc() ? std::string(buf, end) : std::string();
}

// Whether a typed text and the text a solve wrote for the same field stand for different
// values (texts that both read as one value, such as 120 and 120.0, do not).
bool Difereixen(std::string_view typed, std::string_view written) {
  if (typed == written) return false;
  double a = 0, b = 0;
  if (!LlegeixNum(typed, a) || !LlegeixNum(written, b)) return true;
  return std::fabs(a - b) > 1e-12 * std::max({1.0, std::fabs(a), std::fabs(b)});
}

// Ajustes.txt holds one "name=value" per line; the only one so far says not to ask before
// leaving with unsaved problems.
constexpr std::string_view kNoPreguntarSortir = "PreguntaSortir=0";

}  // namespace

std::vector<std::string> CampsPanell(int key) {
  std::vector<std::string> names;
  switch (key) {
    case 0:
      for (int i = 0; i <= 4; ++i) names.push_back(ctl::Id(i));
      break;
    case 1: names = {ctl::IdK, ctl::IdA, ctl::IdB}; break;
    case 2:
      for (int i = 0; i <= 5; ++i) names.push_back(ctl::Idg(i));
      break;
    case 3: names = {ctl::IdKg, ctl::IdAg, ctl::IdBg}; break;
    case 4:
    case 5:
    case 6:
    case 7:
      for (int j = 0; j < 4; ++j) names.push_back(ctl::IdI(4 * (key - 4) + j));
      break;
    default: break;
  }
  return names;
}

SolveOutcome SolvePanel(int key, const Form& form, SolveContext& ctx, std::array<double, 6>& Vals) {
  switch (key) {
    case 0: return ResolA(form, ctx);
    case 1: return InterpA(form, ctx);
    case 2: return ResolG(form, ctx, Vals);
    case 3: return InterpG(form, ctx);
    case 4:
    case 5:
    case 6:
    case 7: return ResolI(key - 4, form, ctx);
    default: return {};
  }
}

Controller::Controller(Form& form, Services& ui, Atzar& rng, std::string workdir, std::string docs)
    : form_(form), ui_(ui), rng_(rng) {
  state_.DocsFolder = docs.empty() ? workdir : std::move(docs);
  state_.CarpIni = std::move(workdir);
}

void Controller::start() {
  // The window as designed.
  for (int key = 0; key <= 7; ++key) form_.setEnabled(BtGuard(key), false);
  form_.setEnabled(ctl::OpGuard, false);
  form_.setEnabled(ctl::OkS, false);
  form_.setVisible(ctl::IdPA, false);
  form_.setVisible(ctl::IdPG, false);
  form_.setVisible(ctl::Idg(5), false);
  for (const char* label : {ctl::EtS, ctl::EtInf, ctl::Etdecr}) form_.setEnabled(label, false);
  for (int i = 1; i <= kTools; ++i) form_.setVisible(ctl::ITool(i), false);
  form_.setText(ctl::Id1a, "1");
  form_.setText(ctl::Id1g, "1");
  for (int i = 0; i < kCurrencyLabels; ++i) form_.setText(ctl::EtM(i), "\u20AC");
  if (form_.items(ctl::LstSmbs).empty())
    for (const char* s : {"\u20AC", "$", "\u00A3"}) form_.addItem(ctl::LstSmbs, s);

  // The settings folder, before anything is read from it.
  if (!state_.CarpIni.empty()) {
    const FileResult ready = PrepareFolder(state_.CarpIni);
    state_.settingsLost = !ready;
    if (!ready) {
      ui_.message(TextError(ready, state_.Idioma) + NL + NL + Tx("settings.lost"),
                  Tx("settings.lost.title"), Icon::Exclamation);
    }
  }

  // The load steps.
  if (hooks_.buildTools)
    hooks_.buildTools();
  else if (!state_.CarpIni.empty())
    MenuTools(form_, state_.CarpIni);
  state_.Idioma = kSpanish;
  state_.SelGuard.clear();
  state_.Resolts.clear();
  state_.Smbs = {"\u20AC", "$", "\u00A3"};
  state_.NSmb = 0;
  llegeixNSmb();
  llegeixAjustes();
  // Selecting the item in code raises the list's click handler, as a user's choice does.
  form_.setCurrentIndex(ctl::LstSmbs, state_.NSmb);
  symbolSelected(state_.NSmb);
  posaSimbols();
  state_.PanAct = -1;
  IniFuncions();
  // The random generator is seeded by its owner: from the clock by the window, from --seed
  // by tolvi-cli.
}

void Controller::llegeixNSmb() {
  if (state_.CarpIni.empty()) return;
  const std::string path = Utf8Of(PathOf(state_.CarpIni) / kNSmbFile);
  // Only the file's start matters: a huge file must not hold up the start of the program.
  SimbolDesat desat = LlegeixSimbol(LlegeixFtx(path, kSettingsReadLimit));
  if (desat.propi) {
    state_.Smbs.push_back(desat.simbol);
    form_.addItem(ctl::LstSmbs, desat.simbol);
  }
  if (desat.NSmb >= 0) state_.NSmb = desat.NSmb;
}

void Controller::llegeixAjustes() {
  if (state_.CarpIni.empty()) return;
  const std::string text = LlegeixFtx(Utf8Of(PathOf(state_.CarpIni) / kAjustesFile));
  for (size_t at = 0; at < text.size();) {
    size_t end = text.find('\n', at);
    if (end == std::string::npos) end = text.size();
    std::string_view line(text.data() + at, end - at);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (line == kNoPreguntarSortir) state_.preguntaSortir = false;
    at = end + 1;
  }
}

bool Controller::leave() {
  if (state_.ended || state_.SenseGuardar.empty() || !state_.preguntaSortir) return true;
  bool noPreguntar = false;
  const bool surt =
      ui_.askYesNoOptOut(Tx("ask.leave"), Tx("ask.leave.title"), Tx("ask.dont_ask"), noPreguntar);
  if (noPreguntar) {
    state_.preguntaSortir = false;
    if (!state_.CarpIni.empty() && !state_.settingsLost) {
      const std::string path = Utf8Of(PathOf(state_.CarpIni) / kAjustesFile);
      const FileResult written = EscriuFtx(std::string(kNoPreguntarSortir) + NL, path);
      if (!written)
        ui_.message(TextError(written, state_.Idioma),
                    TitolError(FileOperation::Save, state_.Idioma), Icon::Exclamation);
    }
  }
  return surt;
}

void Controller::viewerSaved() {
  if (!IsPanelKey(state_.viewerKey)) return;
  if (auto at = state_.SenseGuardar.find(Digit(state_.viewerKey)); at != std::string::npos)
    state_.SenseGuardar.erase(at, 1);
}

bool Controller::close() {
  if (state_.ended || state_.CarpIni.empty() || state_.settingsLost) return true;
  const std::string path = Utf8Of(PathOf(state_.CarpIni) / kNSmbFile);
  FileResult written = EscriuFtx(LiniaSimbol(state_.NSmb, state_.Smbs[state_.NSmb]), path);
  if (written) return true;
  ui_.message(TextError(written, state_.Idioma), TitolError(FileOperation::Save, state_.Idioma),
              Icon::Exclamation);
  return false;
}

void Controller::posaSimbols() {
  state_.Smb = state_.Smbs[state_.NSmb];
  for (int i = 0; i < kCurrencyLabels; ++i) setField(ctl::EtM(i), state_.Smb);
}

void Controller::symbolSelected(int index) {
  // Every item of the list has its own symbol; anything else (no selection) changes nothing.
  if (index < 0 || index >= static_cast<int>(state_.Smbs.size())) return;
  state_.NSmb = static_cast<int16_t>(index);
  posaSimbols();
}

void Controller::addSymbol(std::string symbol) {
  if (state_.Smbs.size() >= static_cast<size_t>(kInt16Max)) return;
  form_.addItem(ctl::LstSmbs, symbol);
  state_.Smbs.push_back(std::move(symbol));
  state_.NSmb = static_cast<int16_t>(state_.Smbs.size() - 1);
  posaSimbols();
}

void Controller::generate(int key) {
  if (!IsPanelKey(key)) return;
  const SolveOutcome generated = GeneraCas(key, form_, rng_);
  apply(key, generated);
  // The generated values are the case's data, as if typed.
  for (const FormEdit& edit : generated.edits)
    if (edit.kind == FormEdit::Text) marca(edit.name, false);
  solve(key);
}

void Controller::solve(int key) {
  if (!IsPanelKey(key)) return;
  runSolve(key, [this, key](SolveContext& ctx) {
    return solver_ ? solver_(key, form_, ctx) : SolvePanel(key, form_, ctx, state_.Vals);
  });
}

void Controller::runSolve(int key, const std::function<SolveOutcome(SolveContext&)>& solver) {
  // What the panel's fields held before: the typed ones are compared with what the solve
  // writes, and a text the reading took only in part is told.
  struct Antes {
    std::string name, text;
    bool calculat;
  };
  std::vector<Antes> antes;
  std::string estat;
  auto nota = [&estat](const std::string& text) { estat += (estat.empty() ? "" : "; ") + text; };
  for (std::string& name : CampsPanell(key)) {
    std::string text = form_.text(name);
    const bool calculat = state_.Calculats.count(name) > 0;
    double x = 0;
    CalcResult read;
    if (!text.empty() && !calculat && LlegeixNum(text, x, &read) && read.ignored)
      nota(TxF("status.read_as", {EtiquetaCamp(form_, name), text, Curt(x)}));
    antes.push_back({std::move(name), std::move(text), calculat});
  }

  OneBox box(ui_);
  SolveContext ctx{box, state_.Idioma, state_.Smb};
  state_.PanAct = key;
  const SolveOutcome outcome = solver(ctx);
  apply(key, outcome);
  // The working, closed by the reason when there is no answer.
  Solution working = outcome.solution;
  working.panel = key;
  if (!outcome.solved) {
    std::string why;
    for (const std::string& said : box.texts()) why += (why.empty() ? "" : " ") + said;
    for (size_t at; (at = why.find(NL)) != std::string::npos;) why.replace(at, 2, " ");
    working.refusal(why.empty() ? Tx("step.refused.none_chosen") : TxF("step.refused", {why}));
  }
  state_.Solutions[static_cast<size_t>(key)] = std::move(working);
  if (hooks_.steps) hooks_.steps(key);
  if (outcome.solved) {
    for (const FormEdit& edit : outcome.edits) {
      if (edit.kind != FormEdit::Text) continue;
      const auto was = std::find_if(antes.begin(), antes.end(),
                                    [&](const Antes& a) { return a.name == edit.name; });
      if (was == antes.end()) continue;  // not a quantity field
      if (!was->calculat && !was->text.empty() && Difereixen(was->text, edit.text)) {
        nota(TxF("status.recomputed", {EtiquetaCamp(form_, edit.name), edit.text, was->text}));
      }
      marca(edit.name, !edit.text.empty());
    }
    if (state_.SenseGuardar.find(Digit(key)) == std::string::npos) {
      state_.SenseGuardar += Digit(key);
      std::sort(state_.SenseGuardar.begin(), state_.SenseGuardar.end());
    }
  } else {
    // A refused solve leaves no results of an earlier one beside the new data.
    for (const Antes& a : antes) {
      if (state_.Calculats.count(a.name) == 0) continue;
      setField(a.name, "");
      marca(a.name, false);
    }
  }
  form_.setText(kEstat, estat);
  box.flush();
  solved(key);
}

void Controller::marca(std::string_view name, bool computed) {
  const bool was = state_.Calculats.count(name) > 0;
  if (was == computed) return;
  if (computed)
    state_.Calculats.emplace(name);
  else
    state_.Calculats.erase(state_.Calculats.find(name));
  if (hooks_.computed) hooks_.computed(name, computed);
}

void Controller::solved(int key) {
  // Whatever the solver did, the panel now counts for "&Guardar todo".
  if (state_.Resolts.find(Digit(key)) == std::string::npos) {
    state_.Resolts += Digit(key);
    std::sort(state_.Resolts.begin(), state_.Resolts.end());
  }
  form_.setEnabled(ctl::OpGuard, true);
}

void Controller::reset(int key) {
  if (!IsPanelKey(key)) return;
  switch (key) {
    case 0:
      for (int i = 0; i <= 4; ++i) setField(ctl::Id(i), "");
      setField(ctl::Id1a, "1");
      form_.setVisible(ctl::IdPA, false);
      break;
    case 1:
      for (const char* f : {ctl::IdK, ctl::IdA, ctl::IdB, ctl::IdTrms, ctl::Idd}) setField(f, "");
      break;
    case 2:
      for (int i = 0; i <= 5; ++i) setField(ctl::Idg(i), "");
      form_.setVisible(ctl::IdPG, false);
      showInfiniteSum(false);
      break;
    case 3:
      // The geometric interpolation row is the one that puts the subscript of the geometric
      // progression row back to 1.
      for (const char* f : {ctl::IdKg, ctl::IdAg, ctl::IdBg, ctl::IdTG, ctl::IdR}) setField(f, "");
      setField(ctl::Id1g, "1");
      break;
    default:
      for (int j = 0; j < 4; ++j) setField(ctl::IdI(4 * (key - 4) + j), "");
      break;
  }
  for (const std::string& name : CampsPanell(key)) marca(name, false);
  form_.setText(kEstat, "");  // what the status line said of the last solve is gone with it
  state_.Solutions[static_cast<size_t>(key)].clear();
  if (hooks_.steps) hooks_.steps(key);
  form_.setEnabled(BtGuard(key), false);
  if (auto at = state_.Resolts.find(Digit(key)); at != std::string::npos)
    state_.Resolts.erase(at, 1);
  // What the person cleared is not a problem left unsaved.
  if (auto at = state_.SenseGuardar.find(Digit(key)); at != std::string::npos)
    state_.SenseGuardar.erase(at, 1);
  if (state_.Resolts.empty()) form_.setEnabled(ctl::OpGuard, false);
}

void Controller::save(int key) {
  if (!IsPanelKey(key)) return;
  state_.viewerKey = key;
  GuardaPanell(ui_, state_.Probs, key, state_.SelGuard, state_.Idioma, state_.DocsFolder);
}

void Controller::saveAll() {
  state_.SelGuard = state_.Resolts;
  if (!GuardaPanell(ui_, state_.Probs, -1, state_.SelGuard, state_.Idioma, state_.DocsFolder))
    return;
  for (char digit : state_.SelGuard)
    if (auto at = state_.SenseGuardar.find(digit); at != std::string::npos)
      state_.SenseGuardar.erase(at, 1);
}

void Controller::apply(int key, const SolveOutcome& outcome) {
  for (const FormEdit& edit : outcome.edits) {
    switch (edit.kind) {
      case FormEdit::Text: setField(edit.name, edit.text); break;
      case FormEdit::Enabled: form_.setEnabled(edit.name, edit.on); break;
      case FormEdit::Visible: form_.setVisible(edit.name, edit.on); break;
    }
  }
  if (!IsPanelKey(key)) return;
  if (outcome.record) state_.Probs[static_cast<size_t>(key)] = *outcome.record;
  if (outcome.solved) form_.setEnabled(BtGuard(key), true);
}

void Controller::setField(std::string_view name, std::string_view text) {
  if (form_.text(name) == text) return;
  form_.setText(name, text);
  changed(name);
}

void Controller::fieldChanged(std::string_view name) {
  marca(name, false);  // what the person types is typed, whatever stood there
  changed(name);
}

void Controller::changed(std::string_view name) {
  int i = 0;
  if (ctl::Index(name, ctl::Id, i)) {
    form_.setEnabled(BtGuard(0), false);
    setField(ctl::IdPA, "");
  } else if (name == ctl::IdK || name == ctl::IdA || name == ctl::IdB) {
    form_.setEnabled(BtGuard(1), false);
  } else if (ctl::Index(name, ctl::Idg, i)) {
    apply(-1, CanviIdg());
  } else if (name == ctl::IdKg || name == ctl::IdAg || name == ctl::IdBg) {
    apply(-1, CanvIntG());  // the interpolated terms go; the ratio stays shown
  } else if (ctl::Index(name, ctl::IdI, i)) {
    form_.setEnabled(BtGuard(4 + i / 4), false);
  }
}

void Controller::keyPressed(std::string_view name, int key) {
  int i = 0;
  if (name == ctl::LstSmbs) {
    // Enter adds the user's own text, only while no item of the list is selected.
    if (key == kEnter && form_.currentIndex(ctl::LstSmbs) < 0)
      addSymbol(SimbolDelText(form_.text(ctl::LstSmbs)));
  } else if (ctl::Index(name, ctl::Idg, i)) {
    if (i == 5 && key == kEnter) {
      solveFromSum();
      return;
    }
    SolveContext ctx = context();
    RespostaTecla answer = TeclaIdg(i, key, form_, ctx, state_.Vals);
    apply(2, answer.outcome);
    if (!answer.focus.empty() && hooks_.focus) hooks_.focus(answer.focus);
  } else if (hooks_.keyPressed) {
    hooks_.keyPressed(name, key);
  }
}

void Controller::solveFromSum() {
  // The infinite-sum entry is a Solve of the geometric row like its Ok button: the panel
  // becomes the active one and counts for "&Guardar todo".
  runSolve(2, [this](SolveContext& ctx) { return ResolSumaG(form_, ctx, state_.Vals); });
}

void Controller::clicked(std::string_view name) {
  // A disabled or hidden control cannot be clicked.
  if (!form_.enabled(name) || !form_.visible(name)) return;
  int key = 0;
  if (ctl::Index(name, ctl::BtGen, key)) {
    generate(key);
  } else if (ctl::Index(name, ctl::BtOk, key)) {
    solve(key);
  } else if (ctl::Index(name, ctl::BtRst, key)) {
    reset(key);
  } else if (ctl::Index(name, ctl::BtGuard, key)) {
    save(key);
  } else if (name == ctl::OkS) {
    solveFromSum();
  } else if (ctl::Index(name, ctl::Idg, key)) {
    apply(-1, ClicIdg(key, form_, state_.Vals));
  } else if (hooks_.clicked) {
    hooks_.clicked(name);
  }
}

void Controller::framePressed(std::string_view frame, bool insideTermList) {
  if (frame == ctl::PAritm) state_.DinsPA = insideTermList;
  if (frame == ctl::PGeom) state_.DinsPG = insideTermList;
}

void Controller::doubleClicked(std::string_view name) {
  // A hidden term list comes back only while its panel's solved case is current.
  if (name == ctl::PAritm) {
    if (form_.enabled(BtGuard(0)) && state_.DinsPA) form_.setVisible(ctl::IdPA, true);
  } else if (name == ctl::PGeom) {
    if (form_.enabled(BtGuard(2)) && state_.DinsPG) form_.setVisible(ctl::IdPG, true);
  } else if (name == ctl::IdPA || name == ctl::IdPG) {
    form_.setVisible(name, !form_.visible(name));
  }
}

void Controller::menu(std::string_view name) {
  if (!form_.enabled(name) || !form_.visible(name)) return;
  if (name == ctl::OpGuard) {
    saveAll();
  } else if (name == ctl::OpSurt) {
    // The program ends at once, keeping the chosen symbol as closing the window does.
    if (!leave()) return;
    close();
    state_.ended = true;
  } else if (name == ctl::OpObr) {
    state_.viewerKey = -1;  // the viewer shows a file, not a panel's problem
    ObrePrbls(ui_, state_.Idioma, state_.DocsFolder);
  } else if (const int16_t tool = IndexTool(name); tool > 0) {
    ExecutaTool(ui_, tool, state_.CarpIni, state_.Idioma);
  } else if (MenuInfo(ui_, name, state_.CarpIni, state_.Idioma)) {
    // OpInfo, OpWeb: the help document and the contact page
  } else if (hooks_.menu) {
    hooks_.menu(name);
  }
}

void Controller::showInfiniteSum(bool on) { apply(-1, MostraSumaInf(on)); }

SolveContext Controller::context() { return SolveContext{ui_, state_.Idioma, state_.Smb}; }

}  // namespace tolvi
