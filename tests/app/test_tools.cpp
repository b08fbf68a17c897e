// The tools list and its file, the Tools menu, the editor's rules, starting tools and
// opening the Info documents, with recording services (nothing is ever really started).
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "app/info.h"
#include "solvers/controls.h"
#include "app/tools.h"
#include "app/window.h"
#include "texts/catalogue.h"

namespace tolvi {
namespace {

using testing::TempFolder;
using Tools = std::vector<Tool>;

ToolList ListOf(const Tools& tools) {
  ToolList list;
  for (const Tool& t : tools) list.Tools[static_cast<size_t>(++list.NTools)] = t;
  return list;
}

Tools ToolsOf(const ToolList& list) {
  return {list.Tools.begin() + 1, list.Tools.begin() + 1 + list.NTools};
}

TEST(ToolsFile, WrittenToolsReadBackAsThemselves) {
  const Tools rows[] = {
      {{"A", "a.exe", "/opt/a", "-x"}, {"B", "b.pdf", "", ""}},
      {{"Ed", "ed", "", "\"my file.txt\" -v"}, {"Z", "z", "", ""}},
      {{" Sp ", "f", " d", "p "}},
      {},
  };
  for (const Tools& tools : rows) {
    SCOPED_TRACE(tools.empty() ? "no tools" : tools[0].Titol);
    TempFolder dir;
    ASSERT_TRUE(EscriuTools(ListOf(tools), dir.str()));
    ToolList read;
    read.NTools = 5;
    EXPECT_TRUE(LlegeixTools(read, dir.str()));
    EXPECT_EQ(ToolsOf(read), tools);
  }
  TempFolder dir;  // four lines per tool, then an empty line
  ASSERT_TRUE(EscriuTools(ListOf({{"A", "a.exe", "C:\\T", "-x"}, {"B, C", "b", "", ""}}),
                          dir.str()));
  EXPECT_EQ(testing::ReadBytes(dir / "Tools.rel"),
            "A\r\na.exe\r\nC:\\T\r\n-x\r\n\"B, C\"\r\nb\r\n\r\n\r\n\r\n");
}

TEST(ToolsFile, ReadsFilesItemByItem) {
  struct Row { const char* name; std::string text; Tools expected; };
  std::string thirteen;
  Tools twelve;
  for (int i = 1; i <= 13; ++i) {
    thirteen += "T" + std::to_string(i) + "\r\nf\r\n\r\n\r\n";
    if (i <= 12) twelve.push_back({"T" + std::to_string(i), "f", "", ""});
  }
  const Row rows[] = {
      {"commas split an old line", "A, notepad.exe ,C:\\,x.txt\r\n\r\n",
       {{"A", "notepad.exe", "C:\\", "x.txt"}}},
      {"a comma in an old field shifts the rest", "Calc, sci\r\ncalc\r\n\r\n\r\n\r\n",
       {{"Calc", "sci", "calc", ""}}},
      {"quotes and blanks dropped", "  \"Q\"  \r\n\"a,b\"\r\n d \r\n\r\n\r\n",
       {{"Q", "a,b", "d", ""}}},
      {"an empty title ends the list", "A\r\nf\r\n\r\n\r\n\r\nB\r\ng\r\n\r\n\r\n",
       {{"A", "f", "", ""}}},
      {"file ending inside a tool", "A\r\nf", {{"A", "f", "", ""}}},
      {"LF line ends", "A\nf\nd\np\n\n", {{"A", "f", "d", "p"}}},
      {"thirteen tools give the first twelve", thirteen, twelve},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    TempFolder dir;
    testing::WriteBytes(dir / "Tools.rel", r.text);
    ToolList read;
    EXPECT_TRUE(LlegeixTools(read, dir.str()));
    EXPECT_EQ(ToolsOf(read), r.expected);
  }
}

// The main window builds the menu at start-up and routes its entries here.
TEST(ToolsMenu, ShowsTheToolsHidesTheRestAndStartsThem) {
  testing::TestWindow w;
  EXPECT_FALSE(MenuTools(w.form, w.dir.str()));  // no file: the menu stays as it was
  EXPECT_TRUE(w.form.controls().empty());
  ASSERT_TRUE(EscriuTools(ListOf({{"Editor", "notepad.exe", "", "x.txt"}, {"B", "b", "", ""}}),
                          w.dir.str()));
  w.c.start();
  EXPECT_EQ(w.form.text(ctl::ITool(1)), "Editor");
  EXPECT_TRUE(w.form.visible(ctl::ITool(1)));
  for (int i = 1; i <= 12; ++i) w.form.setVisible(ctl::ITool(i), true);  // a longer list
  ASSERT_TRUE(MenuTools(w.form, w.dir.str()));
  EXPECT_EQ(w.form.text(ctl::ITool(2)), "B");
  EXPECT_TRUE(w.form.visible(ctl::ITool(2)));
  for (int i = 3; i <= 12; ++i) EXPECT_FALSE(w.form.visible(ctl::ITool(i))) << i;
  w.c.menu(ctl::ITool(1));
  ASSERT_EQ(w.ui.started.size(), 1u);
  EXPECT_EQ(w.ui.started[0].command.args, std::vector<std::string>{"x.txt"});
  w.c.menu(ctl::OpWeb);  // no contact page here
  EXPECT_EQ(w.ui.messages.size(), 1u);
}

TEST(ToolsEditor, StoresNewAndChangedToolsAndRefusesTheUnsound) {
  struct Row { const char* name; int16_t tools, toolAct; std::string title; RefusTool expected;
               int16_t toolsAfter, toolActAfter; };
  const Row rows[] = {
      {"new tool", 2, 0, "New", RefusTool::Cap, 3, 3},
      {"title of blanks", 2, 1, "   ", RefusTool::SenseTitol, 2, 1},
      {"thirteenth", 12, 0, "New", RefusTool::Ple, 12, 0},
      {"changed twelfth", 12, 12, "New", RefusTool::Cap, 12, 12},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    ToolList list = ListOf(Tools(static_cast<size_t>(r.tools), Tool{"T", "", "", ""}));
    int16_t toolAct = r.toolAct;
    EXPECT_EQ(DesaTool(list, toolAct, {r.title, "f", "", ""}), r.expected);
    EXPECT_EQ(list.NTools, r.toolsAfter);
    EXPECT_EQ(toolAct, r.toolActAfter);
    if (r.expected == RefusTool::Cap) {
      EXPECT_EQ(list.Tools[static_cast<size_t>(toolAct)].Titol, r.title);
    }
    EXPECT_EQ(AvisRefus(r.expected, kSpanish).text.empty(), r.expected == RefusTool::Cap);
  }
}

TEST(ToolsEditor, RemovingTheSecondOfThreeKeepsTheFirstAndThird) {
  ToolList list = ListOf({{"A", "a", "", ""}, {"B", "b", "", ""}, {"C", "c", "", ""}});
  EXPECT_FALSE(EliminaTool(list, 4));
  EXPECT_TRUE(EliminaTool(list, 2));
  EXPECT_EQ(ToolsOf(list), (Tools{{"A", "a", "", ""}, {"C", "c", "", ""}}));
}

TEST(ToolsEditor, BrowsedPathSplitsIntoFolderAndFile) {
  for (const char* path : {"/opt/eines/calc", "/calc", "calc"}) {
    std::string folder, file;
    SeparaCami(path, folder, file);
    EXPECT_EQ(UneixDir(folder, file), path);
    EXPECT_EQ(file, "calc");
  }
}

#ifndef _WIN32
TEST(ToolsStart, ProgramsStartWithTheirParametersAndDocumentsGoToTheOpener) {
  TempFolder dir;
  const std::string d = dir.str();
  testing::WriteBytes(dir / "eina", "#!/bin/sh\n");
  std::filesystem::permissions(dir / "eina", std::filesystem::perms::owner_exec,
                               std::filesystem::perm_options::add);
  testing::WriteBytes(dir / "manual.pdf", "%PDF");
  struct Row {
    const char* name;
    Tool tool;
    bool startOk;
    std::vector<Command> started;
    std::vector<std::string> opened;
    size_t messages;
  };
  const Row rows[] = {
      {"Dir ending in a separator", {"C", "calc.exe", "/opt/tools/", "-a  -b"}, true,
       {{"/opt/tools/calc.exe", {"-a", "-b"}, ""}}, {}, 0},
      {"program on PATH, quoted parameter", {"S", "sh", "", "-c \"echo a b\""}, true,
       {{"sh", {"-c", "echo a b"}, ""}}, {}, 0},
      {"executable file", {"E", "eina", d, "x y"}, true, {{d + "/eina", {"x", "y"}, ""}}, {}, 0},
      {"whole command as parameters", {"W", "", "", "notepad.exe x.txt"}, true,
       {{"notepad.exe", {"x.txt"}, ""}}, {}, 0},
      {"document", {"M", "manual.pdf", d, "ignored"}, true, {}, {d + "/manual.pdf"}, 0},
      {"missing document", {"M", "absent.pdf", d, ""}, true, {}, {}, 1},
      {"program that will not start", {"N", "notepad.exe", "", ""}, false,
       {{"notepad.exe", {}, ""}}, {}, 1},
      {"no file at all", {"X", "", "", ""}, true, {}, {}, 1},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    RecordingServices ui;
    ui.startSucceeds = r.startOk;
    EXPECT_EQ(ExecutaTool(ui, r.tool, d, kSpanish), r.startOk && r.messages == 0);
    std::vector<Command> started;
    for (const auto& s : ui.started) started.push_back(s.command);
    EXPECT_EQ(started, r.started);
    EXPECT_EQ(ui.opened, r.opened);
    EXPECT_EQ(ui.messages.size(), r.messages);
  }
}
#endif

TEST(InfoMenu, OpensTheDocumentsBesideTheProgramOrTellsWhatIsMissing) {
  TempFolder dir;
  testing::WriteBytes(dir / "Tolvi.html", "<html>");
  RecordingServices ui;
  EXPECT_TRUE(MenuInfo(ui, ctl::OpInfo, dir.str(), kSpanish));
  EXPECT_TRUE(MenuInfo(ui, ctl::OpWeb, dir.str(), kSpanish));
  EXPECT_FALSE(MenuInfo(ui, ctl::OpQuant, dir.str(), kSpanish));
#ifndef _WIN32
  EXPECT_EQ(ui.opened, std::vector<std::string>{dir / "Tolvi.html"});
#endif
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_NE(ui.messages[0].text.find("kelmor.htm"), std::string::npos);
}

// Two folders searched in order, the settings folder first: the page of the interface language
// wherever it is, the Spanish page only when that language has none.
TEST(InfoMenu, OpensThePageOfTheLanguageOrElseTheSpanishOne) {
  struct Row {
    const char* name;
    std::vector<std::string> first, second;  // the files each folder holds
    std::string_view page;
    Language idioma;
    std::string expected;  // "1/name" or "2/name", or "" for nothing found
  };
  const Row rows[] = {
      {"English beside the program", {}, {"Tolvi.html", "Tolvi.en.html"}, kHelpFile, kEnglish,
       "2/Tolvi.en.html"},
      {"the language's page beats the Spanish one in settings", {"Tolvi.html"},
       {"Tolvi.en.html"}, kHelpFile, kEnglish, "2/Tolvi.en.html"},
      {"a page in settings wins", {"kelmor.ca.htm"}, {"kelmor.ca.htm"}, kContactFile, kCatalan,
       "1/kelmor.ca.htm"},
      {"no Catalan page: Spanish", {"Tolvi.en.html"}, {"Tolvi.html"}, kHelpFile, kCatalan,
       "2/Tolvi.html"},
      {"Spanish is the plain name", {"Tolvi.en.html", "Tolvi.es.html"}, {"Tolvi.html"},
       kHelpFile, kSpanish, "2/Tolvi.html"},
      {"no such language: Spanish", {"Tolvi.html"}, {}, kHelpFile, LanguageAt(99), "1/Tolvi.html"},
      {"nothing at all", {"Tolvi.en.html"}, {}, kContactFile, kEnglish, ""},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    TempFolder one, two;
    for (const std::string& f : r.first) testing::WriteBytes(one / f, "<html>");
    for (const std::string& f : r.second) testing::WriteBytes(two / f, "<html>");
    const std::vector<std::string> folders{one.str(), two.str()};
    std::string expected;
    if (!r.expected.empty()) expected = (r.expected[0] == '1' ? one : two) / r.expected.substr(2);
    EXPECT_EQ(BuscaInfo(r.page, folders, r.idioma), expected);
  }
}

}  // namespace
}  // namespace tolvi
