// The worksheet builder (Archivo -> "Hoja de ejercicios..."): which panels and how many cases
// of each, the seed (shown and editable: the same seed gives the same sheet everywhere, and
// the same as `tolvi-cli worksheet`), the title and header lines, numbering, whether the key
// shows the worked steps, and previews of the sheet and of the key. It saves the sheet and
// the key as PDF (two files, or one with the key on pages of its own), prints through the
// system's print dialog, and writes the problem-file text and a Moodle XML quiz.
#pragma once
#include <QDialog>
#include <cstdint>
#include <string>

#include "app/worksheet.h"
#include "gui/print_actions.h"
#include "render/worksheet_pdf.h"

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPrintPreviewWidget;
class QPrinter;
class QPushButton;
class QSpinBox;
class QTabWidget;

namespace tolvi {

class DHoja : public QDialog {
  Q_OBJECT

 public:
  // symbol: the currency symbol the statements write after amounts.
  explicit DHoja(std::string symbol, QWidget* parent = nullptr);

  // The request and the look as the controls stand.
  WorksheetRequest request() const;
  SheetOptions options() const;
  // The worksheet last composed (by the preview or an export).
  const Worksheet& worksheet() const { return sheet_; }

  // Where the exports ask for their files (the file dialog unless a test says otherwise).
  void setSaveChooser(SaveChooser chooser) { chooser_ = std::move(chooser); }

  // The buttons' work, callable from tests: each composes the sheet afresh first.
  void refresh();       // BtVista: the previews
  bool exportPdf();     // BtPdf
  bool exportText();    // BtText
  bool exportMoodle();  // BtMoodle
  void print();         // BtImprimir: the document of the preview tab shown

  // The captions in the interface language (the sheet's own title and lines are the
  // person's and stay).
  void retranslate();

 private:
  void compose();
  void newSeed();
  QString title() const;
  // Tells in the status line what was saved where (the key's text, with %1 and %2 the files).
  bool done(const char* what, const QString& path, const QString& second = {});

  std::string symbol_;
  Worksheet sheet_;
  SaveChooser chooser_;

  QGroupBox* which_;
  QCheckBox* panels_[8];
  QSpinBox* counts_[8];
  QLineEdit* seed_;
  QPushButton* again_;
  QLabel* seedLabel_;
  QLabel* titleLabel_;
  QLabel* headerLabel_;
  QLineEdit* title_;
  QPlainTextEdit* header_;
  QCheckBox* numbered_;
  QCheckBox* steps_;
  QCheckBox* together_;
  QTabWidget* tabs_;
  QPrintPreviewWidget* sheetPreview_;
  QPrintPreviewWidget* keyPreview_;
  QLabel* status_;
  QPushButton* buttons_[5];  // BtVista, BtPdf, BtImprimir, BtText, BtMoodle
};

}  // namespace tolvi
