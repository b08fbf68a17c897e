// The headless main window: it holds the window state (AppState) and runs the event flow of
// the panels' buttons, the field change handlers, the term lists, the currency list and the
// menus. The texts, enabled and visible states of the controls live in a Form (the Qt window,
// or a MemoryForm in tests and tolvi-cli); everything else the platform does goes through
// Services. Nothing here knows about Qt.
//
// How a front end drives it:
// - call start() once when the window is shown, close() when the user closes it;
// - call fieldChanged(name) for edits made by the user only. Texts the controller writes go
//   through the form's setText and the controller raises the change handler itself, once, so
//   the window must not report its own programmatic changes (QLineEdit::textEdited is enough);
// - buttons: clicked("BtOk(3)"), clicked("BtGen(0)"), ... or the named calls solve(3), etc.;
// - the currency list "LstSmbs": its edit text is text("LstSmbs") and currentIndex is -1 while
//   the user's own typed text stands in it (no item selected). symbolSelected(i) when the user
//   picks item i; keyPressed("LstSmbs", 13) for Enter. The controller adds the list's items
//   (the window must not insert typed texts by itself).
// - before closing, ask leave(); after menu("OpSurt") (which asks it and writes what close()
//   writes) the program ends at once, and close() then writes nothing more.
#pragma once
#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>
#include "app/app_state.h"
#include "solvers/controls.h"
#include "solvers/form.h"
#include "solvers/services.h"
#include "solvers/solve.h"

namespace tolvi {

class Atzar;

inline constexpr int kEnter = 13;

// Places where later parts of the program plug in. An empty hook does nothing.
struct ControllerHooks {
  // start-up: builds the Tools menu instead of the built-in reading of Tools.rel
  std::function<void()> buildTools;
  // The focus moves to a control (Enter walks through the geometric fields).
  std::function<void(std::string_view name)> focus;
  // Events the controller does not handle itself: the windows only a front end opens (the
  // tools editor "OpEdTools", the About box "OpQuant"), keys and clicks of other controls.
  // A hook answers true when it handled the event.
  std::function<bool(std::string_view name, int key)> keyPressed;
  std::function<bool(std::string_view name)> clicked;
  std::function<bool(std::string_view name)> menu;
  // A quantity field became one the last solve found (true) or one the person typed (false),
  // so the window can show the two apart.
  std::function<void(std::string_view name, bool computed)> computed;
  // The working of panel key changed: a solve (solved or refused) or its reset.
  std::function<void(int key)> steps;
};

// The status line: what a solve read differently from what was typed, and the typed values it
// recomputed. Written by the controller, never a modal box.
inline constexpr std::string_view kEstat = ctl::EtEstat;

// The question asked before leaving while solved problems have not been saved.
inline constexpr std::string_view kPreguntaSortir = "\u00BFSalir sin guardar los problemas?";
inline constexpr std::string_view kNoPreguntar = "No volver a preguntar";

// The settings file that keeps the window's choices besides the currency symbol.
inline constexpr const char* kAjustesFile = "Ajustes.txt";

class Controller {
 public:
  // A panel's Solve: what the window should write for panel key. The default runs the
  // panel's solver (ResolA, InterpA, ResolG, InterpG, ResolI).
  using Solver = std::function<SolveOutcome(int key, const Form&, SolveContext&)>;

  // workdir is the settings folder (CarpIni), where NSmb.txt, Tools.rel and Lng.txt live;
  // docs holds the problem folder Prbls (workdir when empty). An empty workdir means no
  // settings files: NSmb.txt is neither read nor written (tolvi-cli). rng is seeded by its
  // owner: from the clock by the window, from --seed by tolvi-cli.
  Controller(Form& form, Services& ui, Atzar& rng, std::string workdir, std::string docs = {});

  // The window's design states, then the load steps in order. A settings folder that cannot
  // be made or written is told once, here; the close step then writes nothing.
  void start();
  // The window closed: NSmb.txt is replaced (atomically) by the chosen symbol. A file that
  // cannot be written is reported in a message. Answers false then; does nothing after
  // "&Salir" or when the settings folder was found unwritable at start.
  bool close();
  // Whether the person may leave now: while solved problems have not been saved, asks once
  // (unless told not to ask again, which Ajustes.txt keeps). Closing the window and "&Salir"
  // both ask it.
  bool leave();
  // The problem viewer saved the record it was given last (through BtGuard of a panel).
  void viewerSaved();

  void generate(int key);  // BtGen(key)
  void solve(int key);     // BtOk(key)
  void reset(int key);     // BtRst(key)
  void save(int key);      // BtGuard(key): the panel's record in the problem viewer
  // OpGuard: SelGuard = Resolts, then the records of those panels appended to one file
  // chosen in the file dialog.
  void saveAll();

  void fieldChanged(std::string_view name);  // the user changed a field's text
  // Enter in LstSmbs adds the typed symbol; keys in Idg(0..5) run the geometric row's
  // handlers (Enter in Idg(5) solves from the infinite sum). Others go to hooks().keyPressed.
  void keyPressed(std::string_view name, int key);
  // BtGen/BtOk/BtRst/BtGuard(key), OkS, Idg(i); others go to hooks().clicked. A disabled or
  // hidden control is not clicked.
  void clicked(std::string_view name);
  // A mouse press on the frame "PAritm" or "PGeom"; insideTermList tells whether it fell on
  // the rectangle of the frame's term list (IdPA / IdPG), edges included.
  void framePressed(std::string_view frame, bool insideTermList);
  void doubleClicked(std::string_view name);  // "PAritm", "PGeom", "IdPA", "IdPG"
  void symbolSelected(int index);             // an item of LstSmbs chosen (-1: none)
  void menu(std::string_view name);

  // Applies what a solver or the generator wants written, in the window's order: the edits
  // (text edits raise the change handlers), then the record into Probs(key) if there is one,
  // then BtGuard(key) enabled when solved. A key outside 0..7 applies the edits alone.
  void apply(int key, const SolveOutcome& outcome);
  // Writes a field and raises its change handler when the text changed.
  void setField(std::string_view name, std::string_view text);
  // MostraSumaInf: offers (true) or withdraws the geometric infinite-sum row.
  void showInfiniteSum(bool on);

  const AppState& state() const { return state_; }
  AppState& state() { return state_; }
  SolveContext context();
  ControllerHooks& hooks() { return hooks_; }
  void setSolver(Solver solver) { solver_ = std::move(solver); }
  Form& form() { return form_; }
  Services& services() { return ui_; }

 private:
  void changed(std::string_view name);
  // A Solve of panel key by `solver`: at most one message box, the status line, the found
  // fields marked, and a refused solve's stale found fields emptied.
  void runSolve(int key, const std::function<SolveOutcome(SolveContext&)>& solver);
  void marca(std::string_view name, bool computed);
  void llegeixAjustes();
  void solved(int key);
  void solveFromSum();
  void posaSimbols();
  void llegeixNSmb();
  void addSymbol(std::string symbol);

  Form& form_;
  Services& ui_;
  Atzar& rng_;
  AppState state_;
  ControllerHooks hooks_;
  Solver solver_;
};

// The solver of panel key (0..7) as the window runs it; Vals holds the quantities of the
// geometric row between its solves.
SolveOutcome SolvePanel(int key, const Form& form, SolveContext& ctx, std::array<double, 6>& Vals);

// The quantity fields of panel key that a person types and a solve may find (the subscript
// boxes and the read-only result boxes are not among them).
std::vector<std::string> CampsPanell(int key);

// Panel keys are 0..7.
inline bool IsPanelKey(int key) { return key >= 0 && key <= 7; }

}  // namespace tolvi
