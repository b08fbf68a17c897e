#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "app/documents_flow.h"
#include "documents/temp_folder.h"

namespace tolvi {
namespace {

using testing::ReadBytes;
using testing::TempFolder;
namespace fs = std::filesystem;

// Services with scripted answers that record every call.
struct Recorded : Services {
  struct FileCall {
    int mode;
    std::string folder;
    std::string filter;
  };
  struct Box {
    std::string text;
    std::string title;
  };
  std::vector<FileCall> files;
  std::vector<Box> messages;
  std::vector<Box> questions;
  std::vector<std::pair<std::string, Prob>> shown;
  std::vector<Command> started;
  std::vector<std::string> documents;

  std::string answerFile;
  bool answerYes = false;
  bool canStart = true;
  bool canOpen = true;

  void message(std::string_view text, std::string_view title, Icon) override {
    messages.push_back({std::string(text), std::string(title)});
  }
  bool askYesNo(std::string_view text, std::string_view title) override {
    questions.push_back({std::string(text), std::string(title)});
    return answerYes;
  }
  int chooseOption(std::string_view, std::string_view) override { return 0; }
  std::string chooseFile(int mode, std::string folder, std::string_view filter) override {
    files.push_back({mode, std::move(folder), std::string(filter)});
    return answerFile;
  }
  void showProblem(std::string_view caption, const Prob& prob) override {
    shown.emplace_back(std::string(caption), prob);
  }
  bool startProgram(const Command& command, WindowStyle style) override {
    EXPECT_EQ(style, WindowStyle::Normal);
    started.push_back(command);
    return canStart;
  }
  bool openDocument(const std::string& path) override {
    documents.push_back(path);
    return canOpen;
  }
  bool silent() const {
    return files.empty() && messages.empty() && questions.empty() && shown.empty() &&
           started.empty() && documents.empty();
  }
};

// Each test sees a known text editor, whatever the machine's environment says.
class DocumentsFlow : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* name : {"VISUAL", "EDITOR"}) {
      const char* value = std::getenv(name);
      saved_.emplace_back(name, value ? std::optional<std::string>(value) : std::nullopt);
    }
    ::setenv("VISUAL", "tolvi-editor", 1);
    ::unsetenv("EDITOR");
  }
  void TearDown() override {
    for (const auto& [name, value] : saved_) {
      if (value) ::setenv(name.c_str(), value->c_str(), 1);
      else ::unsetenv(name.c_str());
    }
  }

  ProbTable SolvedZeroAndThree() {
    ProbTable probs{};
    probs[0] = {"En una progresi\xC3\xB3n aritm\xC3\xA9tica: a1 = 2\r\nCalcula: a5", "a5 = 14"};
    probs[3] = {"Interpola 2 medios entre 2 y 54", "r = 3\r\nProgresi\xC3\xB3n:  2, 6, 18, 54"};
    probs[5] = {"never saved", "not in SelGuard"};
    return probs;
  }

  TempFolder dir;
  Recorded ui;

 private:
  std::vector<std::pair<std::string, std::optional<std::string>>> saved_;
};

constexpr const char* kZeroThenThree =
    "En una progresi\xC3\xB3n aritm\xC3\xA9tica: a1 = 2\r\nCalcula: a5\r\n"
    "R:     a5 = 14\r\n"
    "\r\n"
    "Interpola 2 medios entre 2 y 54\r\n"
    "R:     r = 3\r\nProgresi\xC3\xB3n:  2, 6, 18, 54\r\n"
    "\r\n";

TEST_F(DocumentsFlow, SaveAllWithNothingSolvedShowsNothing) {
  EXPECT_FALSE(GuardaPanell(ui, SolvedZeroAndThree(), -1, "", 2, dir.path().string()));
  EXPECT_TRUE(ui.silent());
  EXPECT_FALSE(fs::exists(dir.path() / "Prbls"));
}

TEST_F(DocumentsFlow, SaveAllWritesTheSelectedPanelsInOrderAndOffersTheFile) {
  const std::string carpIni = dir.path().string();
  ui.answerFile = dir / "Prbls/probs.txt";
  // Anything but a panel digit in SelGuard is skipped.
  EXPECT_TRUE(GuardaPanell(ui, SolvedZeroAndThree(), -1, "0x3-", 2, carpIni));

  ASSERT_EQ(ui.files.size(), 1u);
  EXPECT_EQ(ui.files[0].mode, 1);
  EXPECT_EQ(ui.files[0].folder, dir / "Prbls");
  EXPECT_EQ(ui.files[0].filter, "*.txt|*.*");
  EXPECT_EQ(ReadBytes(ui.answerFile), kZeroThenThree);
  ASSERT_EQ(ui.questions.size(), 1u);
  EXPECT_EQ(ui.questions[0].text, ui.answerFile + "\r\n\r\n\xC2\xBFVer?");
  EXPECT_EQ(ui.questions[0].title, "Guardado en ...  ");
  EXPECT_TRUE(ui.started.empty());  // answered No
  EXPECT_TRUE(ui.messages.empty());
}

TEST_F(DocumentsFlow, SavingTwiceAppendsTheSecondAfterTheFirst) {
  ui.answerFile = dir / "twice.txt";
  ASSERT_TRUE(GuardaPanell(ui, SolvedZeroAndThree(), -1, "03", 2, dir.path().string()));
  ASSERT_TRUE(GuardaPrb(ui, {"edited", "42"}, 2, dir.path().string()));
  EXPECT_EQ(ReadBytes(ui.answerFile),
            std::string(kZeroThenThree) + "edited\r\nR:     42\r\n\r\n");
}

TEST_F(DocumentsFlow, ACancelledDialogWritesNothing) {
  ui.answerFile = "";
  EXPECT_FALSE(GuardaPanell(ui, SolvedZeroAndThree(), -1, "03", 2, dir.path().string()));
  EXPECT_FALSE(GuardaPrb(ui, {"E", "R"}, 0, dir.path().string()));
  EXPECT_EQ(ui.files.size(), 2u);
  EXPECT_TRUE(ui.messages.empty());
  EXPECT_TRUE(ui.questions.empty());
  EXPECT_TRUE(fs::is_empty(dir.path() / "Prbls"));
}

TEST_F(DocumentsFlow, APanelKeyShowsItsProblemInTheViewer) {
  const ProbTable probs = SolvedZeroAndThree();
  EXPECT_FALSE(GuardaPanell(ui, probs, 3, "", 2, dir.path().string()));
  ASSERT_EQ(ui.shown.size(), 1u);
  EXPECT_EQ(ui.shown[0].first, "Problema");
  EXPECT_EQ(ui.shown[0].second, probs[3]);
  EXPECT_TRUE(ui.files.empty());

  Recorded other;
  GuardaPanell(other, probs, 8, "03", 2, dir.path().string());
  GuardaPanell(other, probs, -2, "03", 2, dir.path().string());
  EXPECT_TRUE(other.silent());
}

TEST_F(DocumentsFlow, TheSavedNoticeSpeaksTheLanguageAndYesOpensTheEditor) {
  const struct {
    int16_t idioma;
    const char* title;
    const char* question;
  } cases[] = {
      {0, "Saved at...  ", "Do you want see it?"},
      {1, "Guardat a...  ", "Veure?"},
      {2, "Guardado en ...  ", "\xC2\xBFVer?"},
  };
  const std::string path = dir / "with blanks and \"quotes\"; rm -rf x.txt";
  for (const auto& c : cases) {
    Recorded yes;
    yes.answerYes = true;
    VeureGuardat(yes, path, c.idioma);
    ASSERT_EQ(yes.questions.size(), 1u) << c.idioma;
    EXPECT_EQ(yes.questions[0].title, c.title);
    EXPECT_EQ(yes.questions[0].text, path + "\r\n\r\n" + c.question);
    ASSERT_EQ(yes.started.size(), 1u);
    EXPECT_EQ(yes.started[0], (Command{"tolvi-editor", {path}, ""}));
  }
}

TEST_F(DocumentsFlow, AFileThatCannotBeWrittenIsAMessageNotANotice) {
  fs::create_directory(dir.path() / "taken.txt");
  const struct {
    const char* name;
    std::string path;
    int16_t idioma;
    const char* title;
    const char* reason;
  } cases[] = {
      {"a folder of that name", dir / "taken.txt", 0, "Not saved",
       "There is a folder of that name."},
      {"folder missing", dir / "gone/p.txt", 1, "No s'ha guardat", "La carpeta no existeix."},
      {"disk full", "/dev/full", 2, "No se ha guardado", "El disco est\xC3\xA1 lleno."},
  };
  for (const auto& c : cases) {
    if (c.path == "/dev/full" && !fs::exists(c.path)) continue;
    Recorded failing;
    failing.answerFile = c.path;
    failing.answerYes = true;
    EXPECT_FALSE(GuardaPrb(failing, {"E", "R"}, c.idioma, dir.path().string())) << c.name;
    ASSERT_EQ(failing.messages.size(), 1u) << c.name;
    EXPECT_EQ(failing.messages[0].title, c.title) << c.name;
    EXPECT_EQ(failing.messages[0].text, c.path + "\r\n\r\n" + c.reason) << c.name;
    EXPECT_TRUE(failing.questions.empty()) << c.name;
    EXPECT_TRUE(failing.started.empty()) << c.name;
  }
}

TEST_F(DocumentsFlow, OpenChoosesAFileAndShowsItInTheEditor) {
  ui.answerFile = dir / "Prbls/my problems.txt";
  ObrePrbls(ui, 2, dir.path().string());
  ASSERT_EQ(ui.files.size(), 1u);
  EXPECT_EQ(ui.files[0].mode, 0);
  EXPECT_EQ(ui.files[0].folder, dir / "Prbls");
  EXPECT_EQ(ui.files[0].filter, "*.txt|*.*");
  ASSERT_EQ(ui.started.size(), 1u);
  EXPECT_EQ(ui.started[0], (Command{"tolvi-editor", {ui.answerFile}, ""}));

  EXPECT_FALSE(fs::exists(dir.path() / "Prbls"));  // only a save makes the folder

  Recorded cancelled;
  ObrePrbls(cancelled, 2, dir.path().string());
  EXPECT_TRUE(cancelled.started.empty());
  EXPECT_TRUE(cancelled.messages.empty());
}

TEST_F(DocumentsFlow, AnEditorThatWillNotStartFallsBackToTheSystemViewer) {
  const std::string path = dir / "p.txt";
  ui.canStart = false;
  EXPECT_TRUE(ObreEditor(ui, path, 0));
  EXPECT_EQ(ui.documents, std::vector<std::string>{path});
  EXPECT_TRUE(ui.messages.empty());

  Recorded neither;
  neither.canStart = false;
  neither.canOpen = false;
  EXPECT_FALSE(ObreEditor(neither, path, 0));
  ASSERT_EQ(neither.messages.size(), 1u);
  EXPECT_EQ(neither.messages[0].title, "Not opened");
  EXPECT_EQ(neither.messages[0].text.rfind(path + "\r\n\r\n", 0), 0u);
}

TEST(EditorCommand, TheFileIsAlwaysOneArgumentOfItsOwn) {
  const std::string path = "/home/t/my \"probs\"; echo x.txt";
  const struct {
    const char* name;
    const char* visual;
    const char* editor;
    Command command;
  } cases[] = {
      {"VISUAL first", "gedit", "vi", {"gedit", {path}, ""}},
      {"EDITOR when VISUAL is empty", "", "kate", {"kate", {path}, ""}},
      {"options split at blanks", " code  --wait ", "", {"code", {"--wait", path}, ""}},
      {"neither: the desktop's opener", "", "", {"xdg-open", {path}, ""}},
  };
  for (const auto& c : cases)
    EXPECT_EQ(EditorCommand(path, c.visual, c.editor), c.command) << c.name;
}

}  // namespace
}  // namespace tolvi
