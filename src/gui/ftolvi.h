// FTolvi, the main window: the two group frames with the eight exercise panels, the currency
// list and the menus. It is a passive view: every user action is handed to the Controller,
// which writes back through a QtForm over these widgets. Every control carries its name as
// its objectName ("Id(0)", "BtOk(3)", "IdI(15)", "LstSmbs", "OpGuard"...).
#pragma once
#include <QDialog>
#include <QIcon>
#include <QMainWindow>
#include <QPointer>
#include <memory>
#include <string>
#include "app/controller.h"
#include "app/folders.h"
#include "solvers/atzar.h"
#include "texts/catalogue.h"

class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QTabWidget;
class QTableWidget;
class QTextBrowser;

namespace tolvi {

class ChartPane;
class QtForm;
struct Schedule;

// The pictures of every panel's Generate and Save buttons, painted once per window.
struct ButtonPictures {
  QIcon die, save;
};

// Shows a quantity field as found by a solve (a tint of the palette's selection colour, in
// italics) or as typed (its own look).
void MarkComputed(QLineEdit& field, bool computed);

class FTolvi : public QMainWindow {
  Q_OBJECT

 public:
  // folders says where the settings files (CarpIni) and the problem folder are. Messages and
  // dialogs go to services; when it is null the window shows them itself with Qt. The
  // controller's start-up runs here.
  explicit FTolvi(Folders folders, Services* services = nullptr, QWidget* parent = nullptr);
  // Settings and problems in one folder, as an old install keeps them.
  explicit FTolvi(std::string folder, Services* services = nullptr, QWidget* parent = nullptr);
  ~FTolvi() override;

  // The command-line text the tools editor decides the language from ("cat", "esp", ...).
  // Until it is set, the arguments after the program's name.
  void setLanguageArguments(std::string text) { languageArguments_ = std::move(text); }

  // The interface language: the window's texts, what
  // screen readers say of its controls, the messages, the secondary windows and Qt's own
  // buttons all follow it. chooseLanguage is the Idioma menu: it also keeps the choice in the
  // settings folder's Lng.txt, which from then on decides over the command line's word.
  void setLanguage(Language idioma);
  void chooseLanguage(Language idioma);

  Controller& controller() { return *controller_; }
  QtForm& form() { return *form_; }
  Atzar& atzar() { return atzar_; }

  // Whether a point of a frame ("PAritm", "PGeom"; in the frame's coordinates) lies on the
  // rectangle of its term list, shown or not, edges included.
  bool onTermList(const QWidget& frame, const QPoint& pos) const;

 protected:
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void buildMenus();
  QGroupBox* buildProgressions();
  QGroupBox* buildInterest();
  QGroupBox* buildSteps();
  void showSteps(int key);
  QFrame* buildAritm();
  QFrame* buildGeom();
  QFrame* buildSimple(int key, const QString& caption, const QString& formula);
  QFrame* buildAnual();
  void wire();
  void quitNow();
  // The window's texts in the interface language; what screen readers say of every control
  // (its name and description), the buttons' tooltips; labels tied to their fields.
  void retranslate();
  void describeControls();
  void buildLanguageMenu();
  void tieLabels();
  void openWorksheet();

  ButtonPictures pictures_;
  std::unique_ptr<Services> ownServices_;
  Atzar atzar_;
  std::unique_ptr<QtForm> form_;
  std::unique_ptr<Controller> controller_;
  std::string languageArguments_;
  QTextBrowser* steps_ = nullptr;  // the working of the last solve
  int stepsKey_ = -1;              // the panel whose working the pane shows
  QPointer<QDialog> worksheet_;
  // The period table of the last solved interest case, beside the working.
  QWidget* buildScheduleTab();
  void showSchedule(int key);
  void exportSchedule(bool spanish);
  QTabWidget* paneTabs_ = nullptr;
  QTableWidget* table_ = nullptr;
  QLabel* tableNote_ = nullptr;
  std::unique_ptr<Schedule> schedule_;
  ChartPane* chart_ = nullptr;  // the chart of the same solve
};

}  // namespace tolvi
