// The main window's event flow, driven through an in-memory form and scripted services.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app/controller.h"
#include "app/recording_services.h"
#include "app/temp_dir.h"
#include "solvers/atzar.h"

namespace tolvi {
namespace {

using testing::TempDir;

// The field each fake solve writes as its "found" value, and whether that field has a change
// handler of the panel's own (so writing it disables the Save button on the way).
const char* FoundField(int key) {
  static const char* fields[] = {"Id(4)", "Idd", "Idg(4)", "IdR",
                                 "IdI(3)", "IdI(7)", "IdI(11)", "IdI(15)"};
  return fields[key];
}

Prob RecordOf(int key) { return {"enun " + std::to_string(key), "resp " + std::to_string(key)}; }

// A solve that completes: found field, term list (progression panels), record, Save enabled.
SolveOutcome Completed(int16_t key, const Form&, SolveContext&) {
  SolveOutcome out;
  out.setText(FoundField(key), "42");
  if (key == 0 || key == 2) {
    const char* list = key == 0 ? "IdPA" : "IdPG";
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

struct Window {
  TempDir dir;
  MemoryForm form;
  RecordingServices ui;
  Atzar rng{12345};
  Controller c{form, ui, rng, dir.str()};
  Window() {
    c.setSolver(Completed);
    c.start();
  }
  bool saveEnabled(int key) { return form.enabled(Nom("BtGuard", key)); }
};

TEST(ControllerStart, WindowStartsAsDesigned) {
  Window w;
  struct Row { std::string control; char what; bool expected; };  // 'e' enabled, 'v' visible
  std::vector<Row> rows = {{"OpGuard", 'e', false}, {"OkS", 'e', false}, {"IdPA", 'v', false},
                           {"IdPG", 'v', false},   {"Idg(5)", 'v', false}, {"EtS", 'e', false},
                           {"EtInf", 'e', false},  {"Etdecr", 'e', false}, {"BtOk(0)", 'e', true}};
  for (int k = 0; k <= 7; ++k) rows.push_back({Nom("BtGuard", k), 'e', false});
  for (int i = 1; i <= 12; ++i) rows.push_back({Nom("ITool", i), 'v', false});
  for (const Row& r : rows) {
    bool actual = r.what == 'e' ? w.form.enabled(r.control) : w.form.visible(r.control);
    EXPECT_EQ(actual, r.expected) << r.control << " " << r.what;
  }
  EXPECT_EQ(w.form.text("Id1a"), "1");
  EXPECT_EQ(w.form.text("Id1g"), "1");
  EXPECT_EQ(w.form.text("Id(0)"), "");
  EXPECT_EQ(w.c.state().PanAct, -1);
  EXPECT_EQ(w.c.state().Idioma, 2);
  EXPECT_EQ(w.c.state().Resolts, "");
  EXPECT_EQ(w.c.state().SelGuard, "");
  EXPECT_EQ(w.c.state().CarpIni, w.dir.str());
  EXPECT_TRUE(w.ui.messages.empty());
}

TEST(ControllerSolve, EverySolvedPanelEndsWithSaveEnabled) {
  for (int16_t key = 0; key <= 7; ++key) {
    SCOPED_TRACE(key);
    Window w;
    w.c.clicked(Nom("BtOk", key));
    EXPECT_TRUE(w.saveEnabled(key));
    EXPECT_EQ(w.form.text(FoundField(key)), "42");
    EXPECT_EQ(w.c.state().Probs[key], RecordOf(key));
    EXPECT_EQ(w.c.state().Resolts, std::string(1, static_cast<char>('0' + key)));
    EXPECT_EQ(w.c.state().PanAct, key);
    EXPECT_TRUE(w.form.enabled("OpGuard"));
    for (int other = 0; other <= 7; ++other) {
      if (other != key) {
        EXPECT_FALSE(w.saveEnabled(other)) << other;
      }
    }
  }
}

TEST(ControllerSolve, TermListWrittenAfterFoundFieldsStays) {
  Window w;
  w.c.solve(0);
  EXPECT_EQ(w.form.text("IdPA"), " 1, 2, 3, ...");
  EXPECT_TRUE(w.form.visible("IdPA"));

  // The change handlers run while the edits are applied: a list written before a found field
  // is emptied by that field's handler.
  w.c.setSolver([](int16_t, const Form&, SolveContext&) {
    SolveOutcome out;
    out.setText("IdPA", " 9, ...");
    out.setText("Id(3)", "7");
    out.solved = true;
    return out;
  });
  w.c.solve(0);
  EXPECT_EQ(w.form.text("IdPA"), "");
  EXPECT_TRUE(w.saveEnabled(0));
}

TEST(ControllerSolve, ResoltsKeepsEachDigitOnceInOrder) {
  struct Row { std::vector<int16_t> solves; std::string resolts; };
  const Row rows[] = {{{5, 0}, "05"}, {{0, 0}, "0"}, {{7, 3, 3, 1}, "137"}, {{2, 6, 4, 2, 0}, "0246"}};
  for (const Row& r : rows) {
    Window w;
    for (int16_t key : r.solves) w.c.solve(key);
    EXPECT_EQ(w.c.state().Resolts, r.resolts);
  }
}

TEST(ControllerSolve, RefusedSolveStillCountsForSaveAll) {
  Window w;
  w.c.setSolver(Refused);
  w.c.solve(4);
  EXPECT_FALSE(w.saveEnabled(4));
  EXPECT_EQ(w.c.state().Resolts, "4");
  EXPECT_TRUE(w.form.enabled("OpGuard"));
  EXPECT_EQ(w.c.state().Probs[4], Prob{});
  ASSERT_EQ(w.ui.messages.size(), 1u);
  EXPECT_EQ(w.ui.messages[0].text, "Se necesita 3 datos");

  // After a completed solve, a refused one leaves the Save button and the record as they were.
  w.c.setSolver(Completed);
  w.c.solve(4);
  w.c.setSolver(Refused);
  w.c.solve(4);
  EXPECT_TRUE(w.saveEnabled(4));
  EXPECT_EQ(w.c.state().Probs[4], RecordOf(4));
}

TEST(ControllerSolve, RewritingAFieldWithItsOwnTextRaisesNoChange) {
  Window w;
  w.c.solve(0);
  w.c.setField("Id(4)", "42");
  EXPECT_TRUE(w.saveEnabled(0));
  EXPECT_EQ(w.form.text("IdPA"), " 1, 2, 3, ...");
  w.c.setField("Id(4)", "43");
  EXPECT_FALSE(w.saveEnabled(0));
  EXPECT_EQ(w.form.text("IdPA"), "");
}

// Editing a field after every panel was solved: which Save button goes off, which term list
// is emptied (it stays visible).
TEST(ControllerFields, ChangeDisablesOnlyItsPanelsSave) {
  struct Row { std::string field; int key; const char* emptied; };
  std::vector<Row> rows;
  for (int i = 0; i <= 4; ++i) rows.push_back({Nom("Id", i), 0, "IdPA"});
  for (const char* f : {"IdK", "IdA", "IdB"}) rows.push_back({f, 1, nullptr});
  for (int i = 0; i <= 5; ++i) rows.push_back({Nom("Idg", i), 2, "IdPG"});
  for (const char* f : {"IdKg", "IdAg", "IdBg"}) rows.push_back({f, 3, "IdTG"});
  for (int i = 0; i <= 15; ++i) rows.push_back({Nom("IdI", i), 4 + i / 4, nullptr});
  // Fields without a change handler of their own.
  for (const char* f : {"Id1a", "Id1g", "Idd", "IdTrms", "IdR", "Id(5)", "IdI(16)", "Id"})
    rows.push_back({f, -1, nullptr});

  for (const Row& r : rows) {
    SCOPED_TRACE(r.field);
    Window w;
    for (int16_t k = 0; k <= 7; ++k) w.c.solve(k);
    w.form.setText("IdTG", "4, 8, 16");
    w.form.setText(r.field, "5");
    w.c.fieldChanged(r.field);
    for (int k = 0; k <= 7; ++k) EXPECT_EQ(w.saveEnabled(k), k != r.key) << k;
    for (const char* list : {"IdPA", "IdPG", "IdTG"}) {
      bool emptied = r.emptied && std::string(list) == r.emptied;
      EXPECT_EQ(w.form.text(list).empty(), emptied) << list;
    }
    EXPECT_TRUE(w.form.visible("IdPA"));
    EXPECT_EQ(w.c.state().Resolts, "01234567");
  }
}

TEST(ControllerReset, ClearsThePanelAndItsSolvedState) {
  struct Row {
    int16_t key;
    std::vector<std::string> emptied;
  };
  std::vector<Row> rows = {
      {0, {"Id(0)", "Id(1)", "Id(2)", "Id(3)", "Id(4)"}},
      {1, {"IdK", "IdA", "IdB", "IdTrms", "Idd"}},
      {2, {"Idg(0)", "Idg(1)", "Idg(2)", "Idg(3)", "Idg(4)", "Idg(5)"}},
      {3, {"IdKg", "IdAg", "IdBg", "IdTG", "IdR"}},
  };
  for (int16_t k = 4; k <= 7; ++k) {
    Row r{k, {}};
    for (int j = 0; j < 4; ++j) r.emptied.push_back(Nom("IdI", 4 * (k - 4) + j));
    rows.push_back(r);
  }
  const std::vector<std::string> everyField = {
      "Id(0)", "Id(1)", "Id(2)", "Id(3)", "Id(4)", "IdK", "IdA", "IdB", "IdTrms", "Idd",
      "Idg(0)", "Idg(1)", "Idg(2)", "Idg(3)", "Idg(4)", "Idg(5)", "IdKg", "IdAg", "IdBg",
      "IdTG", "IdR", "IdI(0)", "IdI(5)", "IdI(10)", "IdI(15)"};

  for (const Row& r : rows) {
    SCOPED_TRACE(r.key);
    Window w;
    for (const std::string& f : everyField) w.form.setText(f, "9");
    w.form.setText("Id1a", "3");
    w.form.setText("Id1g", "4");
    w.c.solve(r.key);
    w.c.solve(r.key == 7 ? 6 : 7);  // another panel stays solved
    w.c.showInfiniteSum(true);
    w.form.setVisible("IdPA", true);
    w.form.setVisible("IdPG", true);
    w.c.clicked(Nom("BtRst", r.key));

    for (const std::string& f : everyField) {
      bool cleared = std::find(r.emptied.begin(), r.emptied.end(), f) != r.emptied.end();
      EXPECT_EQ(w.form.text(f).empty(), cleared) << f;
    }
    EXPECT_EQ(w.form.text("Id1a"), r.key == 0 ? "1" : "3");
    EXPECT_EQ(w.form.text("Id1g"), r.key == 3 ? "1" : "4");  // key 2 leaves it
    EXPECT_EQ(w.form.visible("IdPA"), r.key != 0);
    EXPECT_EQ(w.form.visible("IdPG"), r.key != 2);
    EXPECT_EQ(w.form.visible("Idg(5)"), r.key != 2);
    for (const char* c : {"OkS", "EtS", "EtInf", "Etdecr"}) EXPECT_EQ(w.form.enabled(c), r.key != 2) << c;
    EXPECT_FALSE(w.saveEnabled(r.key));
    EXPECT_EQ(w.c.state().Resolts, r.key == 7 ? "6" : "7");
    EXPECT_TRUE(w.form.enabled("OpGuard"));
  }
}

TEST(ControllerReset, SaveAllGoesWhenNothingIsLeftSolved) {
  Window w;
  w.c.reset(3);  // never solved, nothing solved
  EXPECT_EQ(w.c.state().Resolts, "");
  EXPECT_FALSE(w.form.enabled("OpGuard"));

  w.c.solve(1);
  w.c.solve(5);
  w.c.reset(3);  // never solved: Resolts unchanged, OpGuard stays
  EXPECT_EQ(w.c.state().Resolts, "15");
  EXPECT_TRUE(w.form.enabled("OpGuard"));
  w.c.reset(5);
  EXPECT_TRUE(w.form.enabled("OpGuard"));
  w.c.reset(1);  // the last solved panel
  EXPECT_EQ(w.c.state().Resolts, "");
  EXPECT_FALSE(w.form.enabled("OpGuard"));
}

// One panel through its states: empty, solved and current, solved and edited, empty again.
TEST(ControllerStates, PanelLifeCycle) {
  Window w;
  auto state = [&] {
    bool listed = w.c.state().Resolts.find('0') != std::string::npos;
    return std::string(w.saveEnabled(0) ? "save" : "-") + (listed ? " listed" : "");
  };
  EXPECT_EQ(state(), "-");
  w.c.clicked("BtOk(0)");
  EXPECT_EQ(state(), "save listed");
  w.form.setText("Id(1)", "2,5");
  w.c.fieldChanged("Id(1)");
  EXPECT_EQ(state(), "- listed");
  w.c.clicked("BtGen(0)");
  EXPECT_EQ(state(), "save listed");
  w.c.setSolver(Refused);
  w.c.clicked("BtOk(0)");
  EXPECT_EQ(state(), "save listed");  // a refused solve leaves the button as it was
  w.c.clicked("BtRst(0)");
  EXPECT_EQ(state(), "-");
  w.c.clicked("BtOk(0)");
  EXPECT_EQ(state(), "- listed");
}

TEST(ControllerGenerate, RefusedSolveKeepsTheGeneratedValues) {
  for (int16_t key = 0; key <= 7; ++key) {
    SCOPED_TRACE(key);
    Window w;
    w.c.setSolver(Refused);
    w.c.generate(key);
    std::string filled = key == 0 ? "Id(1)" : key == 1 ? "IdK" : key == 2 ? "Idg(1)"
                       : key == 3 ? "IdKg" : Nom("IdI", 4 * (key - 4) + 1);
    EXPECT_FALSE(w.form.text(filled).empty());
    EXPECT_EQ(w.c.state().Resolts, std::string(1, static_cast<char>('0' + key)));
    EXPECT_EQ(w.ui.messages.size(), 1u);
  }
}

TEST(ControllerSave, PanelSaveShowsItsRecord) {
  Window w;
  w.c.clicked("BtGuard(2)");  // disabled: nothing
  EXPECT_TRUE(w.ui.problems.empty());
  w.c.solve(2);
  w.c.clicked("BtGuard(2)");
  ASSERT_EQ(w.ui.problems.size(), 1u);
  EXPECT_EQ(w.ui.problems[0].first, "Problema");
  EXPECT_EQ(w.ui.problems[0].second, RecordOf(2));
}

TEST(ControllerSave, SaveAllWritesTheSolvedPanelsInKeyOrder) {
  Window w;
  w.c.menu("OpGuard");  // disabled at start
  w.c.saveAll();        // nothing solved: not even the dialog
  EXPECT_TRUE(w.ui.fileRequests.empty());

  const std::string file = w.dir.file("hoja.txt");
  w.c.solve(5);
  w.c.solve(0);
  w.c.setSolver(Refused);
  w.c.solve(3);  // refused: still listed, with its empty record
  w.ui.fileAnswers = {file};
  w.c.menu("OpGuard");
  EXPECT_EQ(w.c.state().SelGuard, "035");
  ASSERT_EQ(w.ui.fileRequests.size(), 1u);
  EXPECT_EQ(w.ui.fileRequests[0].mode, 1);
  EXPECT_EQ(w.ui.fileRequests[0].folder, w.dir.file("Prbls"));
  EXPECT_EQ(w.dir.read("hoja.txt"),
            "enun 0\r\nR:     resp 0\r\n\r\n\r\nR:     \r\n\r\nenun 5\r\nR:     resp 5\r\n\r\n");

  w.c.reset(3);
  w.c.reset(5);
  w.ui.fileAnswers = {""};  // cancelled
  w.c.menu("OpGuard");
  EXPECT_EQ(w.c.state().SelGuard, "0");
  EXPECT_EQ(w.ui.fileRequests.size(), 2u);
}

TEST(ControllerSave, OpenAsksForASavedProblemFile) {
  Window w;
  w.c.menu("OpObr");
  ASSERT_EQ(w.ui.fileRequests.size(), 1u);
  EXPECT_EQ(w.ui.fileRequests[0].mode, 0);
  EXPECT_EQ(w.ui.fileRequests[0].folder, w.dir.file("Prbls"));
  EXPECT_TRUE(w.ui.started.empty());
}

// A double click on a frame brings its term list back only on the list's rectangle and only
// while the panel's solved case is current.
TEST(ControllerTermLists, DoubleClickOnTheFrame) {
  struct Row { const char* frame; const char* list; int key; bool current; bool inside; bool shown; };
  const Row rows[] = {
      {"PAritm", "IdPA", 0, true, true, true},   {"PAritm", "IdPA", 0, true, false, false},
      {"PAritm", "IdPA", 0, false, true, false}, {"PGeom", "IdPG", 2, true, true, true},
      {"PGeom", "IdPG", 2, true, false, false},  {"PGeom", "IdPG", 2, false, true, false},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(std::string(r.frame) + (r.current ? " current" : " edited") +
                 (r.inside ? " inside" : " outside"));
    Window w;
    w.c.solve(static_cast<int16_t>(r.key));
    if (!r.current) w.c.fieldChanged(r.key == 0 ? "Id(0)" : "Idg(0)");
    w.c.doubleClicked(r.list);  // hides the shown list
    EXPECT_FALSE(w.form.visible(r.list));
    // The other frame's press does not count.
    w.c.framePressed(r.key == 0 ? "PGeom" : "PAritm", true);
    w.c.framePressed(r.frame, r.inside);
    w.c.doubleClicked(r.frame);
    EXPECT_EQ(w.form.visible(r.list), r.shown);
  }
}

TEST(ControllerEvents, UnhandledEventsGoToTheHooks) {
  Window w;
  std::vector<std::string> seen;
  w.c.hooks().keyPressed = [&](std::string_view name, int key) {
    seen.push_back("key " + std::string(name) + " " + std::to_string(key));
    return true;
  };
  w.c.hooks().clicked = [&](std::string_view name) {
    seen.push_back("click " + std::string(name));
    return true;
  };
  w.c.hooks().menu = [&](std::string_view name) {
    seen.push_back("menu " + std::string(name));
    return true;
  };
  w.c.keyPressed("Id(0)", kEnter);
  w.c.clicked("Etdecr");             // disabled at start
  w.c.keyPressed("Idg(1)", kEnter);  // the geometric row handles its own keys
  w.c.clicked("IdA");
  w.c.menu("ITool(3)");              // hidden until the Tools menu is built
  w.c.menu("OpQuant");
  EXPECT_EQ(seen, (std::vector<std::string>{"key Id(0) 13", "click IdA", "menu OpQuant"}));
}

// The geometric row with its real handlers: Enter walks the fields and offers the
// infinite-sum row; the sum entry solves the row like its Ok button.
struct GeometricWindow : Window {
  std::vector<std::string> focus;
  GeometricWindow() {
    c.setSolver(nullptr);
    c.hooks().focus = [this](std::string_view name) { focus.emplace_back(name); };
  }
  void type(const std::string& field, const std::string& text) {
    form.setText(field, text);
    c.fieldChanged(field);
  }
};

TEST(ControllerGeometric, EnterWalksTheFieldsAndOffersTheSumRow) {
  struct Row { const char* field; const char* text; bool rowShown; const char* focus; };
  const Row rows[] = {{"Idg(1)", "0.5", true, "Idg(2)"}, {"Idg(1)", "2", false, "Idg(2)"},
                      {"Idg(4)", "3", false, "Idg(0)"}};
  for (const Row& r : rows) {
    SCOPED_TRACE(std::string(r.field) + " " + r.text);
    GeometricWindow w;
    w.type(r.field, r.text);
    w.c.keyPressed(r.field, kEnter);
    EXPECT_EQ(w.form.visible("Idg(5)"), r.rowShown);
    EXPECT_EQ(w.form.enabled("OkS"), r.rowShown);
    EXPECT_EQ(w.focus.empty() ? "" : w.focus.back(), std::string(r.focus));
    w.c.keyPressed(r.field, 'x');  // other keys do nothing
    EXPECT_LE(w.focus.size(), 1u);
  }
}

TEST(ControllerGeometric, SumEntryIsASolveOfTheRow) {
  for (const char* how : {"Enter", "OkS"}) {
    SCOPED_TRACE(how);
    GeometricWindow w;
    w.type("Idg(1)", "0.5");
    w.c.keyPressed("Idg(1)", kEnter);  // offers the row
    w.c.clicked("Idg(5)");             // empty S: n, an and Sn are emptied
    w.type("Idg(0)", "1");
    w.type("Idg(1)", "");
    w.type("Idg(2)", "4");
    w.type("Idg(5)", "2");
    if (std::string(how) == "Enter")
      w.c.keyPressed("Idg(5)", kEnter);
    else
      w.c.clicked("OkS");
    EXPECT_TRUE(w.saveEnabled(2));
    EXPECT_EQ(w.form.text("Idg(1)"), "1/2");
    EXPECT_EQ(w.c.state().Resolts, "2");
    EXPECT_EQ(w.c.state().PanAct, 2);
    EXPECT_TRUE(w.form.enabled("OpGuard"));
    EXPECT_FALSE(w.c.state().Probs[2].Enun.empty());
  }
}

}  // namespace
}  // namespace tolvi
