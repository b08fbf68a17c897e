#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "app/file_dialog_rules.h"
#include "documents/temp_folder.h"

namespace tolvi {
namespace {

using testing::TempFolder;
using testing::WriteBytes;
namespace fs = std::filesystem;

TEST(TextsDlg, CaptionsFollowTheLanguageAndTheMode) {
  EXPECT_EQ(TextsDlg(0, kDlgGuardar).titol, "Save");
  EXPECT_EQ(TextsDlg(1, kDlgObrir).titol, "Obrir");
  EXPECT_EQ(TextsDlg(1, kDlgGuardar).cancela, "Cancel\xC2\xB7la");
  EXPECT_EQ(TextsDlg(2, kDlgGuardar).titol, "Guardar");
  EXPECT_EQ(TextsDlg(2, kDlgObrir).novaCarpeta, "Nueva carpeta");
  EXPECT_EQ(TextsDlg(9, kDlgObrir).titol, "Abrir");  // out of range reads as Spanish
}

TEST(CarpetaDe, KeepsThePathUpToItsLastSeparator) {
  const struct {
    const char* path;
    const char* folder;
  } cases[] = {
      {"/a/b", "/a/"}, {"/a/b/", "/a/b/"}, {"/", "/"}, {"/a", "/"},
      {"probs.txt", ""}, {"", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(CarpetaDe(c.path), c.folder) << c.path;
}

TEST(CarpetaAmunt, GoesToTheParentAndStaysAtTheRoot) {
  const struct {
    const char* folder;
    const char* up;
  } cases[] = {
      {"/a/b", "/a/"}, {"/a/b/", "/a/"}, {"/a", "/"}, {"/", "/"}, {"/a/./b/../c", "/a/"},
  };
  for (const auto& c : cases) EXPECT_EQ(CarpetaAmunt(c.folder), c.up) << c.folder;
}

TEST(TipusDelFiltre, SplitsAtEveryBar) {
  const struct {
    const char* filter;
    std::vector<std::string> types;
  } cases[] = {
      {"*.txt|*.*", {"*.txt", "*.*"}},
      {"*.exe|*.*", {"*.exe", "*.*"}},
      {"*.txt", {"*.txt"}},
      {"*.txt|", {"*.txt", ""}},
      {"", {""}},
  };
  for (const auto& c : cases) EXPECT_EQ(TipusDelFiltre(c.filter), c.types) << c.filter;
  EXPECT_EQ(PatronsDelTipus("*.txt; *.doc"), (std::vector<std::string>{"*.txt", "*.doc"}));
  EXPECT_EQ(PatronsDelTipus(""), std::vector<std::string>{"*"});
  EXPECT_EQ(PatronsDelTipus("*.*"), std::vector<std::string>{"*"});
}

TEST(ExtensioDelTipus, TakesTheTypeFromItsFirstDot) {
  const struct {
    const char* type;
    const char* ext;
  } cases[] = {
      {"*.txt", ".txt"}, {"*.*", ""},         {"", ""},           {"*", ""},
      {"*.", ""},        {"*.tar.gz", ".tar.gz"}, {"*.t?t", ""}, {"*.txt;*.doc", ".txt"},
  };
  for (const auto& c : cases) EXPECT_EQ(ExtensioDelTipus(c.type), c.ext) << c.type;
}

class AcceptRules : public ::testing::Test {
 protected:
  void SetUp() override {
    WriteBytes(dir / "old.txt", "E\r\nR:     1\r\n\r\n");
    WriteBytes(dir / "README", "r");
    fs::create_directory(dir.path() / "sub");
    fs::create_directory(dir.path() / "x.d");
  }
  TempFolder dir;
};

TEST_F(AcceptRules, OkWithATypedName) {
  const std::string d = dir.path().string();
  const std::string absolute = dir / "old.txt";
  const struct {
    const char* name;
    int16_t mode;
    std::string typed;
    const char* type;
    AccioDlg action;
  } cases[] = {
      {"save bare name gets the type's extension", kDlgGuardar, "probs", "*.txt",
       {AccioDlg::Tanca, dir / "probs.txt", "", ""}},
      {"save keeps probs.dat", kDlgGuardar, "probs.dat", "*.txt",
       {AccioDlg::Tanca, dir / "probs.dat", "", ""}},
      {"save with all files adds nothing", kDlgGuardar, "probs", "*.*",
       {AccioDlg::Tanca, dir / "probs", "", ""}},
      {"save onto an existing file", kDlgGuardar, "old.txt", "*.txt",
       {AccioDlg::Tanca, dir / "old.txt", "", ""}},
      {"save, an existing file without a dot", kDlgGuardar, "README", "*.txt",
       {AccioDlg::Tanca, dir / "README", "", ""}},
      {"a folder's name moves there", kDlgGuardar, "sub", "*.txt",
       {AccioDlg::VesACarpeta, dir / "sub", "", ""}},
      {"no name, nothing happens", kDlgGuardar, "", "*.txt", {}},
      {"open an existing file", kDlgObrir, "old.txt", "*.txt",
       {AccioDlg::Tanca, dir / "old.txt", "", ""}},
      {"open an absolute path", kDlgObrir, absolute, "*.txt",
       {AccioDlg::Tanca, absolute, "", ""}},
      {"open a missing file", kDlgObrir, "missing.txt", "*.txt",
       {AccioDlg::Missatge, "", "File not found", dir / "missing.txt"}},
      {"open a missing bare name", kDlgObrir, "missing", "*.txt",
       {AccioDlg::Missatge, "", "Path not found", "missing"}},
      {"open a folder with a dot is no file", kDlgObrir, "x.d", "*.*",
       {AccioDlg::Missatge, "", "File not found", dir / "x.d"}},
      {"open a folder's name moves there", kDlgObrir, "sub", "*.txt",
       {AccioDlg::VesACarpeta, dir / "sub", "", ""}},
  };
  for (const auto& c : cases) EXPECT_EQ(AcceptaNom(c.mode, d, c.typed, c.type), c.action) << c.name;
}

TEST_F(AcceptRules, TheRootFolderGetsNoSecondSeparator) {
  EXPECT_EQ(AcceptaNom(kDlgGuardar, "/", "tolvi-no-such-name", "*.txt").path,
            "/tolvi-no-such-name.txt");
}

TEST_F(AcceptRules, AMissingStartFolderIsReplacedByTheCurrentOne) {
  DlgFtxModel dlg(kDlgGuardar, dir / "Prbls", "*.txt|*.*", dir / "sub");
  EXPECT_EQ(dlg.carpAct(), dir / "sub");
  EXPECT_FALSE(dlg.rereActiu());
  EXPECT_EQ(dlg.tipus(), (std::vector<std::string>{"*.txt", "*.*"}));
  EXPECT_EQ(dlg.tipusActual(), "*.txt");
}

TEST_F(AcceptRules, BackTwiceReturnsAndUpClimbs) {
  DlgFtxModel dlg(kDlgObrir, dir / "sub", "*.txt|*.*", dir.path().string());
  EXPECT_EQ(dlg.carpAct(), dir / "sub");
  EXPECT_TRUE(dlg.rereActiu());  // the tree moved from the current folder at start
  dlg.canviaCarpeta(dir / "x.d");
  dlg.rere();
  EXPECT_EQ(dlg.carpAct(), dir / "sub");
  dlg.rere();
  EXPECT_EQ(dlg.carpAct(), dir / "x.d");

  EXPECT_TRUE(dlg.amunt());
  EXPECT_EQ(dlg.carpAct(), dir.path().string());
  EXPECT_EQ(dlg.carpAnt(), dir / "x.d");

  DlgFtxModel root(kDlgObrir, "/", "*.*", "/");
  EXPECT_FALSE(root.amunt());
  EXPECT_EQ(root.carpAct(), "/");
}

TEST_F(AcceptRules, OkClosesWithThePathAndCancelGivesNothing) {
  DlgFtxModel save(kDlgGuardar, dir.path().string(), "*.txt|*.*", dir.path().string());
  save.posaTipus("*.*");
  EXPECT_EQ(save.accepta("sub").kind, AccioDlg::VesACarpeta);
  EXPECT_EQ(save.carpAct(), dir / "sub");
  EXPECT_FALSE(save.tancat());
  EXPECT_EQ(save.accepta("probs").kind, AccioDlg::Tanca);
  EXPECT_TRUE(save.tancat());
  EXPECT_EQ(save.resultat(), dir / "sub/probs");

  DlgFtxModel open(kDlgObrir, dir.path().string(), "*.txt|*.*", dir.path().string());
  EXPECT_EQ(open.accepta("missing.txt").kind, AccioDlg::Missatge);
  EXPECT_FALSE(open.tancat());
  EXPECT_EQ(open.resultat(), "");  // a refused name is never a result
  open.cancela();
  EXPECT_TRUE(open.tancat());
  EXPECT_EQ(open.resultat(), "");
}

TEST_F(AcceptRules, NewFolderAndErase) {
  const std::string d = dir.path().string();
  EXPECT_TRUE(CreaCarpeta(d, "  Nueva carpeta "));
  EXPECT_TRUE(fs::is_directory(dir.path() / "Nueva carpeta"));
  EXPECT_TRUE(CreaCarpeta(d, "   "));  // nothing to make

  const struct {
    const char* name;
    const char* typed;
    FileErrorKind kind;
  } refused[] = {
      {"existing folder", "sub", FileErrorKind::Exists},
      {"existing file", "README", FileErrorKind::Exists},
      {"separator in the name", "a/b", FileErrorKind::InvalidName},
      {"parent step", "..", FileErrorKind::InvalidName},
  };
  for (const auto& c : refused) {
    const FileResult r = CreaCarpeta(d, c.typed);
    EXPECT_EQ(r.error, c.kind) << c.name;
    EXPECT_EQ(r.path, UneixCami(d, c.typed)) << c.name;
  }

  EXPECT_TRUE(EsborraFtx(dir / "old.txt"));
  EXPECT_FALSE(fs::exists(dir.path() / "old.txt"));
  EXPECT_EQ(EsborraFtx(dir / "old.txt").error, FileErrorKind::NotFound);
  EXPECT_EQ(EsborraFtx(dir / "sub").error, FileErrorKind::IsFolder);
  EXPECT_TRUE(fs::is_directory(dir.path() / "sub"));
}

}  // namespace
}  // namespace tolvi
