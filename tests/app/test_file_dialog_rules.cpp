#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "app/file_dialog_rules.h"
#include "documents/temp_folder.h"
#include "texts/catalogue.h"

namespace tolvi {
namespace {

using testing::WriteBytes;
using Strings = std::vector<std::string>;
namespace fs = std::filesystem;

TEST(TextsDlg, CaptionsFollowTheLanguageAndTheMode) {
  EXPECT_EQ(TextsDlg(kEnglish, kDlgGuardar).titol, "Save");
  EXPECT_EQ(TextsDlg(kCatalan, kDlgGuardar).cancela, "Cancel\xC2\xB7la");
  EXPECT_EQ(TextsDlg(kSpanish, kDlgObrir).novaCarpeta, "Nueva carpeta");
  EXPECT_EQ(TextsDlg(LanguageAt(9), kDlgObrir).titol, "Abrir");  // out of range reads as Spanish
}

TEST(FolderRules, FolderOfAPathAndItsParent) {
  const std::pair<const char*, const char*> folders[] = {
      {"/a/b", "/a/"}, {"/a/b/", "/a/b/"}, {"/", "/"}, {"/a", "/"}, {"probs.txt", ""}};
  for (const auto& [path, folder] : folders) EXPECT_EQ(CarpetaDe(path), folder) << path;
  const std::pair<const char*, const char*> ups[] = {
      {"/a/b", "/a/"}, {"/a/b/", "/a/"}, {"/a", "/"}, {"/", "/"}, {"/a/./b/../c", "/a/"}};
  for (const auto& [folder, up] : ups) EXPECT_EQ(CarpetaAmunt(folder), up) << folder;
}

TEST(TypeRules, TypesOfAFilterTheirPatternsAndExtension) {
  const std::pair<const char*, Strings> types[] = {
      {"*.exe|*.*", {"*.exe", "*.*"}}, {"*.txt", {"*.txt"}}, {"*.txt|", {"*.txt", ""}}, {"", {""}}};
  for (const auto& [filter, list] : types) EXPECT_EQ(TipusDelFiltre(filter), list) << filter;
  EXPECT_EQ(PatronsDelTipus("*.txt; *.doc"), (Strings{"*.txt", "*.doc"}));
  EXPECT_EQ(PatronsDelTipus(""), Strings{"*"});
  EXPECT_EQ(PatronsDelTipus("*.*"), Strings{"*"});
  const std::pair<const char*, const char*> extensions[] = {
      {"*.txt", ".txt"}, {"*.*", ""},     {"*", ""},
      {"*.", ""},        {"*.t?t", ""}, {"*.tar.gz", ".tar.gz"}, {"*.txt;*.doc", ".txt"}};
  for (const auto& [type, ext] : extensions) EXPECT_EQ(ExtensioDelTipus(type), ext) << type;
}

class DialogFolder : public ::testing::Test {
 protected:
  void SetUp() override {
    WriteBytes(dir / "old.txt", "E\r\nR:     1\r\n\r\n");
    WriteBytes(dir / "README", "r");
    fs::create_directory(dir.path() / "sub");
    fs::create_directory(dir.path() / "x.d");
  }
  testing::TempFolder dir;
};

TEST_F(DialogFolder, OkWithATypedName) {
  using enum AccioDlg::Kind;
  struct Row { DialogMode mode; std::string typed; const char* type; AccioDlg action; };
  const std::string old = dir / "old.txt";
  const Row rows[] = {
      {kDlgGuardar, "probs", "*.txt", {Tanca, dir / "probs.txt", "", ""}},
      {kDlgGuardar, "probs.dat", "*.txt", {Tanca, dir / "probs.dat", "", ""}},
      {kDlgGuardar, "README", "*.txt", {Tanca, dir / "README", "", ""}},  // exists: kept
      {kDlgGuardar, "sub", "*.txt", {VesACarpeta, dir / "sub", "", ""}},
      {kDlgGuardar, "", "*.txt", {}},
      {kDlgObrir, "old.txt", "*.txt", {Tanca, old, "", ""}},
      {kDlgObrir, "missing.txt", "*.txt", {Missatge, "", "File not found", dir / "missing.txt"}},
      {kDlgObrir, "missing", "*.txt", {Missatge, "", "Path not found", "missing"}},
      {kDlgObrir, "x.d", "*.*", {Missatge, "", "File not found", dir / "x.d"}},  // no file
      {kDlgObrir, "sub", "*.txt", {VesACarpeta, dir / "sub", "", ""}},
  };
  for (const Row& r : rows)
    EXPECT_EQ(AcceptaNom(r.mode, dir.str(), r.typed, r.type, kEnglish), r.action) << r.typed;
  EXPECT_EQ(AcceptaNom(kDlgGuardar, "/", "tolvi-no-such-name", "*.txt", kSpanish).path,
            "/tolvi-no-such-name.txt");
}

TEST_F(DialogFolder, StartFolderBackUpOkAndCancel) {
  DlgFtxModel missing(kDlgGuardar, dir / "Prbls", "*.txt|*.*", dir / "sub");
  EXPECT_EQ(missing.carpAct(), dir / "sub");  // a missing start folder: the current one
  EXPECT_FALSE(missing.rereActiu());
  EXPECT_EQ(missing.tipus(), (Strings{"*.txt", "*.*"}));
  EXPECT_EQ(missing.tipusActual(), "*.txt");

  DlgFtxModel dlg(kDlgObrir, dir / "sub", "*.txt|*.*", dir.str());
  EXPECT_TRUE(dlg.rereActiu());  // the tree moved from the current folder at start
  dlg.canviaCarpeta(dir / "x.d");
  dlg.rere();
  EXPECT_EQ(dlg.carpAct(), dir / "sub");
  dlg.rere();
  EXPECT_EQ(dlg.carpAct(), dir / "x.d");
  EXPECT_TRUE(dlg.amunt());
  EXPECT_EQ(dlg.carpAct(), dir.str());
  EXPECT_EQ(dlg.carpAnt(), dir / "x.d");
  EXPECT_EQ(dlg.accepta("missing.txt").kind, AccioDlg::Missatge);
  EXPECT_FALSE(dlg.tancat());
  EXPECT_EQ(dlg.resultat(), "");  // a refused name is never a result
  dlg.cancela();
  EXPECT_TRUE(dlg.tancat());
  EXPECT_EQ(dlg.resultat(), "");

  DlgFtxModel root(kDlgObrir, "/", "*.*", "/");
  EXPECT_FALSE(root.amunt());
  EXPECT_EQ(root.carpAct(), "/");

  DlgFtxModel save(kDlgGuardar, dir.str(), "*.txt|*.*", dir.str());
  save.posaTipus("*.*");
  EXPECT_EQ(save.accepta("sub").kind, AccioDlg::VesACarpeta);
  EXPECT_FALSE(save.tancat());
  EXPECT_EQ(save.accepta("probs").kind, AccioDlg::Tanca);
  EXPECT_TRUE(save.tancat());
  EXPECT_EQ(save.resultat(), dir / "sub/probs");
}

TEST_F(DialogFolder, NewFolderAndErase) {
  EXPECT_TRUE(CreaCarpeta(dir.str(), "  Nueva carpeta "));
  EXPECT_TRUE(fs::is_directory(dir.path() / "Nueva carpeta"));
  EXPECT_TRUE(CreaCarpeta(dir.str(), "   "));  // nothing to make
  const std::pair<const char*, FileErrorKind> refused[] = {
      {"sub", FileErrorKind::Exists},      {"README", FileErrorKind::Exists},
      {"a/b", FileErrorKind::InvalidName}, {"..", FileErrorKind::InvalidName}};
  for (const auto& [typed, kind] : refused) {
    const FileResult r = CreaCarpeta(dir.str(), typed);
    EXPECT_EQ(r.error, kind) << typed;
    EXPECT_EQ(r.path, UneixCami(dir.str(), typed));
  }

  EXPECT_TRUE(EsborraFtx(dir / "old.txt"));
  EXPECT_FALSE(fs::exists(dir.path() / "old.txt"));
  EXPECT_EQ(EsborraFtx(dir / "old.txt").error, FileErrorKind::NotFound);
  EXPECT_EQ(EsborraFtx(dir / "sub").error, FileErrorKind::IsFolder);
  EXPECT_TRUE(fs::is_directory(dir.path() / "sub"));
}

}  // namespace
}  // namespace tolvi
