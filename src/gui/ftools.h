// The tools editor FTools: the list of tool titles, the four fields of the tool being edited
// (title, file, work directory, parameters) in the frame "Ped", and the buttons to store the
// fields (OkEd), start a new tool (BtNou), remove the selected one (BtBrr), browse for the
// file (BtCerc), write "Tools.rel" and close (BtOk) or close without writing (BtEsc).
// Opening it decides the interface language again (command-line argument, else "Lng.txt").
// Modeless; there is one editor at a time.
#pragma once
#include <QDialog>
#include <QPointer>
#include <QString>
#include <array>
#include <cstdint>
#include <string>

#include "app/app_state.h"
#include "app/tools.h"
#include "solvers/form.h"
#include "solvers/services.h"
#include "texts/catalogue.h"

class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace tolvi {

class FTools : public QDialog {
  Q_OBJECT

 public:
  // EditaTools: shows the editor without blocking. The first call (or the first after the
  // editor closed) makes and loads it; an editor already open is brought to the front as it
  // stands. formMenu is the window whose "&Utilidades" menu follows the saved list.
  static FTools* EditaTools(Services& ui, AppState& state, std::string arguments, Form& formMenu,
                            QWidget* parent);

  // The load step: DirIni, the language (state.Idioma) from the arguments (the command line
  // as one text) or "Lng.txt" in state.CarpIni, the captions, and the list of "Tools.rel".
  FTools(Services& ui, AppState& state, std::string arguments, Form* formMenu,
         QWidget* parent = nullptr);

  const ToolList& tools() const { return tools_; }
  int16_t toolAct() const { return toolAct_; }
  bool senseLng() const { return senseLng_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  void retranslate(Language idioma);
  void llistaTools();  // LlistaTools
  void netejaTool();   // NetejaTool
  void triaTool(int row);
  void okEd();
  void eliminaTool();
  void cercaFitxer();
  void desa();  // BtOk; BtEsc, the Esc key and closing the window write nothing

  Services& ui_;
  AppState& state_;
  Form* formMenu_;
  ToolList tools_;
  int16_t toolAct_ = 0;
  bool senseLng_ = false;
  bool loaded_ = false;
  QString dirIni_;

  QLabel* etTools_;
  QListWidget* lst_;
  QGroupBox* ped_;
  std::array<QLabel*, 4> et_{};
  std::array<QLineEdit*, 4> ed_{};
  QPushButton* okEd_;
  QPushButton* btNou_;
  QPushButton* btBrr_;
  QPushButton* btCerc_;
  QPushButton* btOk_;
  QPushButton* btEsc_;

  static QPointer<FTools> instance_;
};

}  // namespace tolvi
