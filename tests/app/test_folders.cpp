// Where the program keeps its files: the working folder of an old install, --folder, or the
// user's configuration and documents folders; never the root or the home folder itself.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "app/folders.h"
#include "solvers/controls.h"
#include "app/info.h"
#include "app/window.h"

namespace tolvi {
namespace {

namespace fs = std::filesystem;
using testing::ReadBytes;
using testing::TempFolder;
using testing::WriteBytes;

struct FolderChoice : ::testing::Test {
  TempFolder dir;
  Places places;
  FolderChoice() {
    places.home = dir / "home";
    places.config = dir / "home/.config/tolvi";
    places.documents = dir / "home/Documents";
    fs::create_directories(dir.path() / "home");
  }
};

TEST_F(FolderChoice, AWorkingFolderWithTheProgramsFilesKeepsThem) {
  for (const char* held : {"NSmb.txt", "Tools.rel", "Lng.txt", "Prbls/"}) {
    SCOPED_TRACE(held);
    TempFolder old;
    if (std::string(held).ends_with('/')) fs::create_directory(old / held);
    else WriteBytes(old / held, "1$");
    places.workdir = old.str();
    const Folders f = ChooseFolders(places, "");
    EXPECT_EQ(f.layout, Layout::Working);
    EXPECT_EQ(f.settings, old.str());
    EXPECT_EQ(f.problems, old.str());
  }
}

TEST_F(FolderChoice, OtherwiseTheConfigurationAndDocumentsFoldersAreUsed) {
  WriteBytes(dir / "home/NSmb.txt", "1$");  // left by an earlier version started from a menu
  WriteBytes(dir / "stray.txt", "");
  for (const std::string& workdir : {dir.str(), dir / "home", dir / "home/", std::string("/"),
                                     std::string()}) {
    SCOPED_TRACE(workdir);
    places.workdir = workdir;
    const Folders f = ChooseFolders(places, "");
    EXPECT_EQ(f.layout, Layout::Standard);
    EXPECT_EQ(f.settings, places.config);
    EXPECT_EQ(f.problems, dir / "home/Documents/Tolvi");
  }
  places.documents.clear();
  EXPECT_EQ(ChooseFolders(places, "").problems, dir / "home/Tolvi");
}

TEST_F(FolderChoice, AChosenFolderHoldsEverything) {
  WriteBytes(dir / "NSmb.txt", "1$");
  places.workdir = dir.str();
  const Folders f = ChooseFolders(places, (dir / "class/") + "../class2");
  EXPECT_EQ(f.layout, Layout::Chosen);
  EXPECT_EQ(f.settings, dir / "class2");
  EXPECT_EQ(f.problems, dir / "class2");
}

TEST_F(FolderChoice, TheRootAndTheHomeFolderAreNeverWrittenInto) {
  struct Row { std::string folder; bool forbidden; };
  const Row rows[] = {{"/", true},           {"/.", true},         {dir / "home", true},
                      {dir / "home/", true}, {dir / "home/x/..", true},
                      {dir / "home/Tolvi", false}, {dir.str(), false}, {"/tmp", false}};
  for (const Row& r : rows)
    EXPECT_EQ(IsForbiddenFolder(r.folder, places.home), r.forbidden) << r.folder;
}

TEST_F(FolderChoice, SettingsLeftInTheHomeFolderAreAdoptedOnce) {
  WriteBytes(dir / "home/NSmb.txt", "1$");
  WriteBytes(dir / "home/Tools.rel", "Calc\r\ngalculator\r\n\r\n\r\n\r\n");
  ASSERT_TRUE(PrepareFolder(places.config));
  WriteBytes(places.config + "/Tools.rel", "mine\r\n");
  AdoptSettings(places.home, places.config);
  EXPECT_EQ(ReadBytes(places.config + "/NSmb.txt"), "1$");
  EXPECT_EQ(ReadBytes(places.config + "/Tools.rel"), "mine\r\n");  // the new one stays
  EXPECT_FALSE(fs::exists(places.config + "/Lng.txt"));
}

TEST_F(FolderChoice, AFolderThatCannotBeMadeIsAFailureNamingIt) {
  EXPECT_TRUE(PrepareFolder(dir / "a/b/c"));
  EXPECT_TRUE(fs::is_directory(dir.path() / "a/b/c"));
  WriteBytes(dir / "file", "");
  const FileResult r = PrepareFolder(dir / "file/settings");
  EXPECT_FALSE(r);
  EXPECT_EQ(r.path, dir / "file/settings");
}

// A settings folder that cannot be written is said once, at start; closing then says nothing.
TEST(ControllerSettings, AnUnwritableSettingsFolderIsToldOnceAtStart) {
  TempFolder dir;
  WriteBytes(dir / "file", "");
  MemoryForm form;
  RecordingServices ui;
  Atzar rng{1};
  Controller c{form, ui, rng, dir / "file/tolvi", dir / "docs"};
  c.start();
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].title, "Ajustes sin guardar");
  EXPECT_TRUE(ui.messages[0].text.starts_with(dir / "file/tolvi" + "\r\n\r\n"));
  EXPECT_NE(ui.messages[0].text.find("tolvi --folder"), std::string::npos);
  EXPECT_TRUE(c.close());
  EXPECT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(c.state().DocsFolder, dir / "docs");
}

TEST(ControllerSettings, ProblemsGoToTheDocumentsFolder) {
  testing::TestWindow w;
  Controller c{w.form, w.ui, w.rng, w.dir / "settings", w.dir / "docs/Tolvi"};
  c.start();
  EXPECT_TRUE(fs::is_directory(w.dir.path() / "settings"));
  c.menu(ctl::OpObr);
  ASSERT_EQ(w.ui.fileRequests.size(), 1u);
  EXPECT_EQ(w.ui.fileRequests[0].folder, w.dir / "docs/Tolvi/Prbls");
  EXPECT_TRUE(c.close());
  EXPECT_EQ(ReadBytes(w.dir / "settings/NSmb.txt"), "0\u20AC\r\n");
}

TEST(InfoFolders, TheInstalledDataFolderIsLookedInAfterTheProgramsFolder) {
  const std::vector<std::string> folders = CarpetesInfo("/nowhere");
  ASSERT_EQ(folders.size(), 3u);
  EXPECT_EQ(folders[0], "/nowhere");
  EXPECT_EQ(folders[1], CarpetaPrograma());
  EXPECT_EQ(folders[2], Utf8Of(fs::path(CarpetaPrograma()).parent_path() / "share/tolvi"));
}

}  // namespace
}  // namespace tolvi
