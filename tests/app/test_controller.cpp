// The main window's event flow, driven through an in-memory form and scripted services.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "app/panells.h"
#include "app/window.h"
#include "solvers/controls.h"

namespace tolvi {
namespace {

// The field each fake solve writes as its found value.
std::string FoundField(int key) {
  static const std::string fields[] = {ctl::Id(4),  ctl::Idd,    ctl::Idg(4),  ctl::IdR,
                                 ctl::IdI(3), ctl::IdI(7), ctl::IdI(11), ctl::IdI(15)};
  return fields[key];
}

Prob RecordOf(int key) { return {"enun " + std::to_string(key), "resp " + std::to_string(key)}; }

// A solve that completes: found field, term list (progression panels), record, Save enabled.
SolveOutcome Completed(int16_t key, const Form&, SolveContext&) {
  SolveOutcome out;
  out.setText(FoundField(key), "42");
  if (key == 0 || key == 2) {
    const char* list = key == 0 ? ctl::IdPA : ctl::IdPG;
    out.setText(list, " 1, 2, 3, ...");
    out.setVisible(list, true);
  }
  out.record = RecordOf(key);
  out.solved = true;
  return out;
}

// A solve that stops with a message and writes nothing.
SolveOutcome Refused(int16_t, const Form&, SolveContext& ctx) {
  ctx.ui.message("Se necesita 3 datos", "Datos insuficientes", Icon::Exclamation);
  return {};
}

struct Window : testing::TestWindow {
  Window() {
    c.setSolver(Completed);
    c.start();
  }
};

TEST(ControllerStart, WindowStartsAsDesigned) {
  Window w;
  std::vector<std::string> disabled = {ctl::OpGuard, ctl::OkS, ctl::EtS, ctl::EtInf, ctl::Etdecr};
  std::vector<std::string> hidden = {ctl::IdPA, ctl::IdPG, ctl::Idg(5)};
  for (int k = 0; k <= 7; ++k) disabled.push_back(ctl::BtGuard(k));
  for (int i = 1; i <= 12; ++i) hidden.push_back(ctl::ITool(i));
  for (const std::string& name : disabled) EXPECT_FALSE(w.form.enabled(name)) << name;
  for (const std::string& name : hidden) EXPECT_FALSE(w.form.visible(name)) << name;
  EXPECT_TRUE(w.form.enabled(ctl::BtOk(0)));
  EXPECT_EQ(w.c.state().PanAct, -1);  // k starts at 1: every solve row of the tables shows it
  EXPECT_EQ(w.c.state().Idioma, kSpanish);
  EXPECT_EQ(w.c.state().CarpIni, w.dir.str());
  EXPECT_TRUE(w.ui.messages.empty());
}

// The edits of a solve raise the change handlers in order: a term list written before a found
// field is emptied by that field's handler. A field rewritten with its own text raises nothing.
TEST(ControllerSolve, EditsRaiseTheChangeHandlersInOrder) {
  Window w;
  w.c.solve(0);
  EXPECT_EQ(w.form.text(ctl::IdPA), " 1, 2, 3, ...");
  EXPECT_TRUE(w.form.visible(ctl::IdPA));
  w.c.setField(ctl::Id(4), "42");
  EXPECT_TRUE(w.saveEnabled(0));
  EXPECT_EQ(w.form.text(ctl::IdPA), " 1, 2, 3, ...");

  w.c.setSolver([](int16_t, const Form&, SolveContext&) {
    SolveOutcome out;
    out.setText(ctl::IdPA, " 9, ...");
    out.setText(ctl::Id(3), "7");
    out.solved = true;
    return out;
  });
  w.c.solve(0);
  EXPECT_EQ(w.form.text(ctl::IdPA), "");
  EXPECT_TRUE(w.saveEnabled(0));
}

TEST(ControllerSolve, ResoltsKeepsEachDigitOnceInOrder) {
  struct Row { std::vector<int16_t> solves; std::string resolts; };
  const Row rows[] = {
      {{5, 0}, "05"}, {{7, 3, 3, 1}, "137"}};
  for (const Row& r : rows) {
    Window w;
    for (int16_t key : r.solves) w.c.solve(key);
    EXPECT_EQ(w.c.state().Resolts, r.resolts);
  }
}

// One panel through the rows of its state table.
TEST(ControllerStates, PanelLifeCycle) {
  Window w;
  auto state = [&] {
    return std::string(w.saveEnabled(0) ? "save" : "-") +
           (w.c.state().Resolts == "0" ? " listed" : "");
  };
  EXPECT_EQ(state(), "-");
  w.c.setSolver(Refused);
  w.c.clicked(ctl::BtOk(0));
  EXPECT_EQ(state(), "- listed");  // a failed solve is listed, with its empty record
  EXPECT_EQ(w.c.state().Probs[0], Prob{});
  EXPECT_TRUE(w.form.enabled(ctl::OpGuard));
  EXPECT_EQ(w.ui.messages.size(), 1u);  // the solver's, none of the window's own
  w.c.setSolver(Completed);
  w.c.clicked(ctl::BtGen(0));
  EXPECT_EQ(state(), "save listed");
  w.c.setSolver(Refused);
  w.c.clicked(ctl::BtOk(0));
  // A failed solve keeps the record, but empties the fields the last one found: the panel
  // no longer shows that case, so its Save goes.
  EXPECT_EQ(state(), "- listed");
  EXPECT_EQ(w.c.state().Probs[0], RecordOf(0));
  EXPECT_EQ(w.form.text(FoundField(0)), "");
  w.c.clicked(ctl::BtRst(0));
  EXPECT_EQ(state(), "-");
}

// Every panel solved, each with its record and its Save button; then one field edited: which
// Save button goes off, which term list is emptied (it stays visible).
TEST(ControllerFields, ChangeDisablesOnlyItsPanelsSave) {
  struct Row { std::string field; int key; const char* emptied; };
  std::vector<Row> rows;
  for (int i = 0; i <= 4; ++i) rows.push_back({ctl::Id(i), 0, ctl::IdPA});
  for (const char* f : {ctl::IdK, ctl::IdA, ctl::IdB}) rows.push_back({f, 1, nullptr});
  for (int i = 0; i <= 5; ++i) rows.push_back({ctl::Idg(i), 2, ctl::IdPG});
  for (const char* f : {ctl::IdKg, ctl::IdAg, ctl::IdBg}) rows.push_back({f, 3, ctl::IdTG});
  for (int i = 0; i <= 15; ++i) rows.push_back({ctl::IdI(i), 4 + i / 4, nullptr});
  // Fields without a change handler of their own.
  for (const char* f : {ctl::Id1a, ctl::Id1g, ctl::Idd, ctl::IdTrms, ctl::IdR})
    rows.push_back({f, -1, nullptr});

  for (const Row& r : rows) {
    SCOPED_TRACE(r.field);
    Window w;
    for (int k = 0; k <= 7; ++k) w.c.clicked(ctl::BtOk(k));
    w.form.setText(ctl::IdTG, "4, 8, 16");
    w.type(r.field, "5");
    for (int k = 0; k <= 7; ++k) {
      EXPECT_EQ(w.saveEnabled(k), k != r.key) << k;
      EXPECT_EQ(w.c.state().Probs[k], RecordOf(k)) << k;
    }
    for (const char* list : {ctl::IdPA, ctl::IdPG, ctl::IdTG})
      EXPECT_EQ(w.form.text(list).empty(), r.emptied && std::string(list) == r.emptied) << list;
    EXPECT_TRUE(w.form.visible(ctl::IdPA));
    EXPECT_EQ(w.c.state().Resolts, "01234567");
    EXPECT_EQ(w.c.state().PanAct, 7);
  }
}

TEST(ControllerReset, ClearsThePanelAndItsSolvedState) {
  std::vector<std::string> every;  // every field of every panel but the rows' k
  for (const Panell& p : Panells())
    for (const std::string& f : p.fields)
      if (f != ctl::Id1a && f != ctl::Id1g) every.push_back(f);

  for (int16_t key = 0; key <= 7; ++key) {
    SCOPED_TRACE(key);
    Window w;
    for (const std::string& f : every) w.form.setText(f, "9");
    w.form.setText(ctl::Id1a, "3");
    w.form.setText(ctl::Id1g, "4");
    w.c.solve(key);
    w.c.solve(key == 7 ? 6 : 7);  // another panel stays solved
    w.c.showInfiniteSum(true);
    w.form.setVisible(ctl::IdPA, true);
    w.form.setVisible(ctl::IdPG, true);
    w.c.clicked(ctl::BtRst(key));

    const std::vector<std::string>& mine = Panells()[static_cast<size_t>(key)].fields;
    for (const std::string& f : every)
      EXPECT_EQ(w.form.text(f).empty(), std::find(mine.begin(), mine.end(), f) != mine.end()) << f;
    EXPECT_EQ(w.form.text(ctl::Id1a), key == 0 ? "1" : "3");
    EXPECT_EQ(w.form.text(ctl::Id1g), key == 3 ? "1" : "4");  // key 2 leaves it
    EXPECT_EQ(w.form.visible(ctl::IdPA), key != 0);
    EXPECT_EQ(w.form.visible(ctl::IdPG), key != 2);
    EXPECT_EQ(w.form.visible(ctl::Idg(5)), key != 2);
    for (const char* c : {ctl::OkS, ctl::EtS, ctl::EtInf, ctl::Etdecr})
      EXPECT_EQ(w.form.enabled(c), key != 2) << c;
    EXPECT_FALSE(w.saveEnabled(key));
    EXPECT_EQ(w.c.state().Resolts, key == 7 ? "6" : "7");
    EXPECT_TRUE(w.form.enabled(ctl::OpGuard));
  }
}

TEST(ControllerReset, SaveAllGoesWhenNothingIsLeftSolved) {
  Window w;
  w.c.reset(3);  // never solved, nothing solved
  EXPECT_FALSE(w.form.enabled(ctl::OpGuard));
  w.c.solve(1);
  w.c.solve(5);
  w.c.reset(3);  // never solved: Resolts unchanged, OpGuard stays
  EXPECT_EQ(w.c.state().Resolts, "15");
  w.c.reset(5);
  EXPECT_TRUE(w.form.enabled(ctl::OpGuard));
  w.c.reset(1);  // the last solved panel
  EXPECT_EQ(w.c.state().Resolts, "");
  EXPECT_FALSE(w.form.enabled(ctl::OpGuard));
}

TEST(ControllerGenerate, RefusedSolveKeepsTheGeneratedValues) {
  Window w;
  w.c.setSolver(Refused);
  w.c.generate(6);
  EXPECT_FALSE(w.form.text(ctl::IdI(9)).empty());
  EXPECT_EQ(w.c.state().Resolts, "6");
  EXPECT_EQ(w.ui.messages.size(), 1u);
}

TEST(ControllerSave, PanelSaveShowsItsRecordAndSaveAllListsTheSolvedPanelsInKeyOrder) {
  Window w;
  w.c.clicked(ctl::BtGuard(2));  // disabled: nothing
  w.c.menu(ctl::OpGuard);        // disabled at start
  w.c.saveAll();                 // nothing solved: not even the dialog
  EXPECT_TRUE(w.ui.problems.empty() && w.ui.fileRequests.empty());
  w.c.solve(2);
  w.c.clicked(ctl::BtGuard(2));
  ASSERT_EQ(w.ui.problems.size(), 1u);
  EXPECT_EQ(w.ui.problems[0].second, RecordOf(2));

  w.c.solve(5);
  w.c.solve(0);
  w.c.setSolver(Refused);
  w.c.solve(3);  // refused: still listed, with its empty record
  w.ui.fileAnswers = {w.dir / "hoja.txt"};
  w.c.menu(ctl::OpGuard);
  EXPECT_EQ(w.c.state().SelGuard, "0235");  // what is written is the documents flow's test
  w.c.reset(3);
  w.c.reset(5);
  w.c.menu(ctl::OpGuard);  // cancelled
  EXPECT_EQ(w.c.state().SelGuard, "02");
}

// A double click on a frame brings its term list back only on the list's rectangle and only
// while the panel's solved case is current.
TEST(ControllerTermLists, DoubleClickOnTheFrame) {
  struct Row { bool geometric, current, inside; };
  for (const Row& r : {Row{false, true, true}, Row{false, true, false}, Row{false, false, true},
                       Row{true, true, true}, Row{true, true, false}, Row{true, false, true}}) {
    const char* frame = r.geometric ? ctl::PGeom : ctl::PAritm;
    const char* list = r.geometric ? ctl::IdPG : ctl::IdPA;
    SCOPED_TRACE(std::string(frame) + (r.current ? " current" : " edited") +
                 (r.inside ? " inside" : " outside"));
    Window w;
    w.c.solve(r.geometric ? 2 : 0);
    if (!r.current) w.c.fieldChanged(r.geometric ? ctl::Idg(0) : ctl::Id(0));
    w.c.doubleClicked(list);  // hides the shown list
    EXPECT_FALSE(w.form.visible(list));
    w.c.framePressed(r.geometric ? ctl::PAritm : ctl::PGeom, true);  // the other frame's press
    w.c.framePressed(frame, r.inside);
    w.c.doubleClicked(frame);
    EXPECT_EQ(w.form.visible(list), r.current && r.inside);
  }
}

TEST(ControllerEvents, UnhandledEventsGoToTheHooks) {
  Window w;
  std::vector<std::string> seen;
  auto hook = [&seen](std::string kind) {
    return [&seen, kind](std::string_view name) {
      seen.push_back(kind + std::string(name));
      return true;
    };
  };
  w.c.hooks().clicked = hook("click ");
  w.c.hooks().menu = hook("menu ");
  w.c.hooks().keyPressed = [&](std::string_view name, int key) {
    return hook("key ")(std::string(name) + " " + std::to_string(key));
  };
  w.c.keyPressed(ctl::Id(0), kEnter);
  w.c.clicked(ctl::Etdecr);             // disabled at start
  w.c.keyPressed(ctl::Idg(1), kEnter);  // the geometric row handles its own keys
  w.c.clicked(ctl::IdA);
  w.c.menu(ctl::ITool(3));  // hidden until the Tools menu is built
  w.c.menu(ctl::OpQuant);
  EXPECT_EQ(seen, (std::vector<std::string>{"key Id(0) 13", "click IdA", "menu OpQuant"}));
}

// The geometric row's wiring with its real handlers (their rules are the solver's tests): Enter
// on the ratio offers the infinite-sum row; its Ok button solves the row (Enter on the sum is
// how tolvi-cli solves from it, in the behaviour tables).
TEST(ControllerGeometric, SumEntryIsASolveOfTheRow) {
  testing::TestWindow w;
  w.c.start();
  w.type(ctl::Idg(1), "0.5");
  w.c.keyPressed(ctl::Idg(1), kEnter);
  EXPECT_TRUE(w.form.visible(ctl::Idg(5)) && w.form.enabled(ctl::OkS));
  for (const auto& [field, text] : {std::pair{ctl::Idg(0), "1"}, {ctl::Idg(1), ""},
                                    {ctl::Idg(2), "4"}, {ctl::Idg(5), "2"}})
    w.type(field, text);
  w.c.clicked(ctl::OkS);
  EXPECT_TRUE(w.saveEnabled(2));
  EXPECT_EQ(w.c.state().Resolts, "2");
  EXPECT_EQ(w.c.state().PanAct, 2);
  EXPECT_TRUE(w.form.enabled(ctl::OpGuard));
}

// A solve that says three things (one of them twice) and is refused.
SolveOutcome Talkative(int16_t, const Form&, SolveContext& ctx) {
  ctx.ui.message("a\u2081: Divisi\u00F3n por cero", "Error", Icon::None);
  ctx.ui.message("a\u2081: Divisi\u00F3n por cero", "Error", Icon::None);
  ctx.ui.message("", "Error", Icon::None);
  ctx.ui.message("Se necesita 3 datos", "Datos insuficientes", Icon::Exclamation);
  return {};
}

TEST(ControllerSolve, OneBoxPerSolveNeverEmpty) {
  Window w;
  w.c.setSolver(Talkative);
  w.c.solve(4);
  ASSERT_EQ(w.ui.messages.size(), 1u);
  EXPECT_EQ(w.ui.messages[0].text,
            std::string("a\u2081: Divisi\u00F3n por cero") + NL + "Se necesita 3 datos");
  EXPECT_EQ(w.ui.messages[0].title, "Error");
  EXPECT_EQ(w.ui.messages[0].icon, Icon::Exclamation);
}

// The status line of a real solve: a text read only in part is told, and so is a typed value
// the solve recomputed to another number (not one written otherwise, nor a found one); the
// next solve's line replaces it.
TEST(ControllerSolve, StatusLineTellsPartReadingsAndRecomputedValues) {
  struct Row { const char* a1; const char* sn; const char* status; };
  const Row rows[] = {
      {"12abc", "", "a\u2081: \u00AB12abc\u00BB le\u00EDdo como 12"},
      {"3", "120.5", "S\u2099 recalculado: 120 (se hab\u00EDa escrito 120.5)"},
      {"3", "120.0", ""},
      {"3", "", ""},
  };
  testing::TestWindow w;
  w.c.start();
  for (const Row& r : rows) {
    const std::pair<std::string, std::string> typed[] = {
        {ctl::Id(0), r.a1}, {ctl::Id(1), "2"}, {ctl::Id(2), "10"}, {ctl::Id(3), ""}, {ctl::Id(4), r.sn}};
    for (const auto& [field, text] : typed) w.type(field, text);
    w.c.solve(0);
    EXPECT_EQ(w.form.text(ctl::EtEstat), r.status) << r.a1 << " " << r.sn;
  }
  EXPECT_TRUE(w.ui.messages.empty());
}

// The question before leaving: only with solved problems not saved, and never again once
// the person said so, also in the next run (Ajustes.txt).
TEST(ControllerLeave, AsksWhileProblemsAreUnsavedUntilToldNotTo) {
  Window w;
  EXPECT_TRUE(w.c.leave());
  w.c.generate(0);
  w.c.generate(4);
  w.c.reset(4);
  w.ui.yesNoAnswers = {false};
  EXPECT_FALSE(w.c.leave());
  w.c.save(0);
  w.c.viewerSaved();  // the viewer wrote panel 0's problem
  EXPECT_TRUE(w.c.leave());
  EXPECT_EQ(w.ui.questions.size(), 1u);

  w.c.generate(5);
  w.ui.yesNoAnswers = {true};
  w.ui.optOutAnswers = {true};
  EXPECT_TRUE(w.c.leave());
  EXPECT_EQ(w.ui.questions.size(), 2u);

  MemoryForm form;
  RecordingServices ui;
  Controller next(form, ui, w.rng, w.dir.str());
  next.start();
  next.generate(0);
  EXPECT_TRUE(next.leave());
  EXPECT_TRUE(ui.questions.empty());
}

}  // namespace
}  // namespace tolvi
