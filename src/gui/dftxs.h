// The program's own file dialog DFtxs: a drive list (the mounted volumes), a folder tree, a
// file list filtered by the type pattern, a name field, a type combo and a row of small
// buttons (back, up one level, open the folder with Dunvelo.exe, new folder). The folder
// shown (in bold in the tree, its path above the lists) is always the one a typed name goes
// into: one click on a folder opens it; from the keyboard the arrows highlight a folder and
// Enter, or Ok with no name, opens it. Modal; its
// captions follow the interface language. The rules it follows (what Ok does with a name,
// back, up, the extension of a type) live in app/file_dialog_rules.h; this is their window.
#pragma once
#include <QDialog>
#include <QString>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "app/file_dialog_rules.h"
#include "solvers/services.h"
#include "texts/catalogue.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QToolButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace tolvi {

class DFtxs : public QDialog {
  Q_OBJECT

 public:
  // What the dialog asks of the platform. An empty hook uses a Qt message box or starts the
  // program with QProcess.
  struct Hooks {
    std::function<void(std::string_view text, std::string_view title)> message;
    std::function<bool(std::string_view text, std::string_view title)> askYesNo;
    std::function<bool(const Command&, WindowStyle)> startProgram;
  };

  // DlgFtx: shows the dialog modally (to open or to save a file) on folder with the filter
  // ("*.txt|*.*") and returns the chosen path; the empty string when cancelled or closed.
  static QString choose(QWidget* parent, DialogMode mode, const QString& folder,
                        const QString& filter, Language idioma, Hooks hooks = {});
  static std::string DlgFtx(QWidget* parent, DialogMode mode, const std::string& folder,
                            std::string_view filter, Language idioma, Hooks hooks = {});

  // Prepares a showing (PreparaDlg) without showing it; exec() or open() shows it.
  DFtxs(DialogMode mode, const QString& folder, const QString& filter, Language idioma,
        QWidget* parent = nullptr, Hooks hooks = {});

  // The chosen path; empty unless the dialog closed through Ok.
  QString result() const;
  const DlgFtxModel& model() const { return model_; }

  void reject() override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void changeEvent(QEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  void build();
  void retranslate(Language idioma);
  void fillDrives();
  void driveChosen(int index);
  void folderChosen(QTreeWidgetItem* item);
  // Shows the model's folder in the tree (in bold, and highlighted), its path above the
  // lists, the drive list and the file list.
  void showFolder();
  QTreeWidgetItem* folderItem(const QString& path) const;
  void refreshFiles();
  void typeChosen();
  void okClicked();
  void back();
  void up();
  void openOutside();
  void newFolderAsked();
  void newFolderEntered();
  void eraseAsked();

  void say(std::string_view text, std::string_view title);
  bool ask(std::string_view text, std::string_view title);

  DlgFtxModel model_;
  Language idioma_;
  Hooks hooks_;
  QString proposedFolder_;

  QComboBox* lDsks_;
  QTreeWidget* lDirs_;
  QListWidget* lFtxs_;
  QComboBox* lTps_;
  QLineEdit* idNom_;
  QLineEdit* idNova_;
  QLabel* etCarp_;  // the path of the folder shown: where a name typed goes
  QLabel* etNom_;
  QLabel* etTp_;
  QPushButton* btOk_;
  QPushButton* btFuig_;
  QToolButton* btRere_;
  QToolButton* btAm_;
  QToolButton* btObr_;
  QToolButton* btNova_;
};

}  // namespace tolvi
