#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "app/documents_flow.h"
#include "solvers/recording_services.h"
#include "documents/temp_folder.h"

namespace tolvi {
namespace {

using testing::ReadBytes;
namespace fs = std::filesystem;

// Panels 0, 3 and 7 solved; panel 5 holds a record that no test lists in SelGuard.
ProbTable Solved() {
  ProbTable probs{};
  probs[0] = {"En una progresi\xC3\xB3n aritm\xC3\xA9tica: a1 = 2\r\nCalcula: a5", "a5 = 14"};
  probs[3] = {"Interpola 2 medios entre 2 y 54", "r = 3\r\nProgresi\xC3\xB3n:  2, 6, 18, 54"};
  probs[5] = {"never saved", "not in SelGuard"};
  probs[7] = {"Amortiza 1000", "a = 250"};
  return probs;
}

constexpr const char* kZeroThenThree =
    "En una progresi\xC3\xB3n aritm\xC3\xA9tica: a1 = 2\r\nCalcula: a5\r\nR:     a5 = 14\r\n\r\n"
    "Interpola 2 medios entre 2 y 54\r\nR:     r = 3\r\nProgresi\xC3\xB3n:  2, 6, 18, 54\r\n\r\n";
constexpr const char* kSeven = "Amortiza 1000\r\nR:     a = 250\r\n\r\n";

bool Silent(const RecordingServices& ui) {
  return ui.messages.empty() && ui.questions.empty() && ui.fileRequests.empty() &&
         ui.problems.empty() && ui.started.empty() && ui.opened.empty();
}

struct DocumentsFlow : ::testing::Test {
  testing::TempFolder dir;
  RecordingServices ui;
};

TEST_F(DocumentsFlow, NothingToSaveShowsNothingAndAPanelKeyShowsItsProblem) {
  EXPECT_FALSE(GuardaPanell(ui, Solved(), -1, "", kSpanish, dir.str()));
  EXPECT_FALSE(GuardaPanell(ui, Solved(), 8, "03", kSpanish, dir.str()));
  EXPECT_FALSE(GuardaPanell(ui, Solved(), -2, "03", kSpanish, dir.str()));
  EXPECT_TRUE(Silent(ui));
  EXPECT_FALSE(fs::exists(dir.path() / "Prbls"));

  EXPECT_FALSE(GuardaPanell(ui, Solved(), 3, "", kSpanish, dir.str()));
  ASSERT_EQ(ui.problems.size(), 1u);
  EXPECT_EQ(ui.problems[0].first, "Problema");
  EXPECT_EQ(ui.problems[0].second, Solved()[3]);
  EXPECT_TRUE(ui.fileRequests.empty());
}

TEST_F(DocumentsFlow, SaveAllWritesTheSelectedPanelsInOrderAndASecondSaveAppends) {
  const std::string file = dir / "Prbls/probs.txt";
  ui.fileAnswers = {file, file};
  EXPECT_TRUE(GuardaPanell(ui, Solved(), -1, "0x3-7", kSpanish, dir.str()));  // non-digits skipped
  ASSERT_EQ(ui.fileRequests.size(), 1u);
  EXPECT_EQ(ui.fileRequests[0].mode, DialogMode::Save);
  EXPECT_EQ(ui.fileRequests[0].folder, dir / "Prbls");
  EXPECT_EQ(ui.fileRequests[0].filter, "*.txt|*.*");
  EXPECT_EQ(ReadBytes(file), std::string(kZeroThenThree) + kSeven);
  ASSERT_EQ(ui.questions.size(), 1u);
  EXPECT_EQ(ui.questions[0].text, file + "\r\n\r\n\xC2\xBFVer?");
  EXPECT_EQ(ui.questions[0].title, "Guardado en ...  ");
  EXPECT_TRUE(ui.started.empty());  // answered No

  EXPECT_TRUE(GuardaPrb(ui, {"edited", "42"}, kSpanish, dir.str()));
  EXPECT_EQ(ReadBytes(file), std::string(kZeroThenThree) + kSeven + "edited\r\nR:     42\r\n\r\n");
  EXPECT_TRUE(ui.messages.empty());
}

TEST_F(DocumentsFlow, ACancelledDialogWritesNothing) {
  EXPECT_FALSE(GuardaPanell(ui, Solved(), -1, "03", kSpanish, dir.str()));
  EXPECT_FALSE(GuardaPrb(ui, {"E", "R"}, kEnglish, dir.str()));
  EXPECT_EQ(ui.fileRequests.size(), 2u);
  EXPECT_TRUE(ui.messages.empty());
  EXPECT_TRUE(ui.questions.empty());
  EXPECT_TRUE(fs::is_empty(dir.path() / "Prbls"));
}

TEST_F(DocumentsFlow, TheSavedNoticeSpeaksTheLanguageAndYesOpensTheFile) {
  const std::string path = dir / "with blanks and \"quotes\"; rm -rf x.txt";
  ui.defaultYesNo = true;
  VeureGuardat(ui, path, kEnglish);
  ASSERT_EQ(ui.questions.size(), 1u);
  EXPECT_EQ(ui.questions[0].title, "Saved at...  ");
  EXPECT_EQ(ui.questions[0].text, path + "\r\n\r\nDo you want see it?");
  EXPECT_EQ(ui.opened, std::vector<std::string>{path});
  EXPECT_TRUE(ui.started.empty());
}

TEST_F(DocumentsFlow, AFileThatCannotBeWrittenIsAMessageNotANotice) {
  fs::create_directory(dir.path() / "taken.txt");
  struct Row { std::string path; Language idioma; const char* title; const char* reason; };
  const Row rows[] = {
      {dir / "taken.txt", kEnglish, "Not saved", "There is a folder of that name."},
      {dir / "gone/p.txt", kCatalan, "No s'ha guardat", "La carpeta no existeix."},
      {"/dev/full", kSpanish, "No se ha guardado",  // a device: refused before anything is written
       "No es un archivo normal (es un dispositivo o una tuber\xC3\xAD" "a)."},
  };
  for (const Row& r : rows) {
    if (r.path == "/dev/full" && !fs::exists(r.path)) continue;
    RecordingServices failing;
    failing.fileAnswers = {r.path};
    failing.defaultYesNo = true;
    EXPECT_FALSE(GuardaPrb(failing, {"E", "R"}, r.idioma, dir.str())) << r.path;
    ASSERT_EQ(failing.messages.size(), 1u) << r.path;
    EXPECT_EQ(failing.messages[0].title, r.title);
    EXPECT_EQ(failing.messages[0].text, r.path + "\r\n\r\n" + r.reason);
    EXPECT_TRUE(failing.questions.empty());
    EXPECT_TRUE(failing.started.empty());
  }
}

TEST_F(DocumentsFlow, CharactersAWindows1252FileCannotTakeAreNamedBeforeTheNotice) {
  const std::string file = dir / "old.txt";
  testing::WriteBytes(file, "progresi\xF3n\r\n");
  ui.fileAnswers = {file};
  ASSERT_TRUE(GuardaPrb(ui, {"\xE2\x88\x9A" "2", "R"}, kEnglish, dir.str()));  // √2
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].title, "Saved with changes");
  EXPECT_EQ(ui.messages[0].text, file + "\r\n\r\nThe file is in Windows-1252, which has no "
                                        "\xE2\x88\x9A (U+221A): they were written as \"?\".");
  EXPECT_EQ(ui.questions.size(), 1u);  // the saved notice follows
}

TEST_F(DocumentsFlow, OpenChoosesAFileInTheProblemFolderAndShowsIt) {
  ObrePrbls(ui, kSpanish, dir.str());  // cancelled
  EXPECT_TRUE(ui.opened.empty());
  EXPECT_TRUE(fs::is_directory(dir.path() / "Prbls"));  // made, so the dialog starts there
  const std::string file = dir / "Prbls/my problems.txt";
  ui.fileAnswers = {file};
  ObrePrbls(ui, kSpanish, dir.str());
  ASSERT_EQ(ui.fileRequests.size(), 2u);
  EXPECT_EQ(ui.fileRequests[1].mode, DialogMode::Open);
  EXPECT_EQ(ui.opened, std::vector<std::string>{file});
  EXPECT_TRUE(ui.started.empty());  // no editor of $VISUAL or $EDITOR, which may need a terminal
  EXPECT_TRUE(ui.messages.empty());
}

// Without a system viewer the program's own viewer shows the file; without the file, a message.
TEST_F(DocumentsFlow, AFileNoViewerOpensIsShownInTheProgramsViewer) {
  const std::string path = dir / "p.txt";
  testing::WriteBytes(path, "Enunciado\nR:     4\n\n");
  ui.openSucceeds = false;
  EXPECT_TRUE(ObreEditor(ui, path, kEnglish));
  EXPECT_EQ(ui.opened, std::vector<std::string>{path});
  ASSERT_EQ(ui.problems.size(), 1u);
  EXPECT_EQ(ui.problems[0].first, "p.txt");
  EXPECT_EQ(ui.problems[0].second, (Prob{"Enunciado\r\nR:     4\r\n\r\n", ""}));
  EXPECT_TRUE(ui.started.empty());
  EXPECT_TRUE(ui.messages.empty());

  for (const std::string& unshown : {dir / "gone.txt", dir.str()}) {
    RecordingServices none;
    none.openSucceeds = false;
    EXPECT_FALSE(ObreEditor(none, unshown, kEnglish));
    ASSERT_EQ(none.messages.size(), 1u);
    EXPECT_EQ(none.messages[0].title, "Not opened");
    EXPECT_TRUE(none.messages[0].text.starts_with(unshown + "\r\n\r\n"));
    EXPECT_TRUE(none.problems.empty());
  }
}

}  // namespace
}  // namespace tolvi
