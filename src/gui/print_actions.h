// What the windows do with a printable document: print it through the system's print dialog,
// or save it as a PDF through the project's safe file writing, telling a failure (with the
// file's name and the reason) in a message box.
#pragma once
#include <QObject>
#include <QString>
#include <functional>
#include <vector>

#include "documents/prob.h"
#include "render/worksheet_pdf.h"
#include "texts/catalogue.h"

class QMenu;
class QWidget;

namespace tolvi {

// Asks for a file to write: the dialog's caption, the name offered, the filter. "" when the
// person cancelled. Tests replace the file dialog with their own answers.
using SaveChooser = std::function<QString(QWidget* parent, const QString& caption,
                                          const QString& suggested, const QString& filter)>;
SaveChooser DefaultSaveChooser();

// Writes the bytes to the file at once (temporary file, flush, rename). On failure shows the
// message naming the file and the reason and answers false. The messages below are said in
// the language given, the interface's unless a window speaks another.
bool WriteAtomically(QWidget* parent, const QString& path, const QByteArray& bytes,
                     Language idioma = IdiomaActual());

// The document drawn as a PDF into path; false (after telling why) when it failed.
bool SavePdf(QWidget* parent, const PrintDocument& doc, const QString& title, const QString& path,
             Language idioma = IdiomaActual());

// The system's print dialog, then the document on the printer chosen. False when cancelled.
bool PrintWithDialog(QWidget* parent, const PrintDocument& doc, const QString& title,
                     Language idioma = IdiomaActual());

// The problem viewer's printing: the problem shown, or a saved problem file, printed or saved
// as a PDF (each statement with its answer, as the file holds them).
class ProblemPrinting : public QObject {
  Q_OBJECT

 public:
  // shown gives the viewer's texts at the moment of printing.
  ProblemPrinting(QWidget* viewer, std::function<Prob()> shown);

  // The menu of the viewer's print button: OpImpPrb, OpPdfPrb, OpImpFtx, OpPdfFtx.
  QMenu* menu() const { return menu_; }
  // The menu, the file dialogs and the messages in the language given (the viewer's).
  void retranslate(Language idioma);
  void setSaveChooser(SaveChooser chooser) { save_ = std::move(chooser); }
  // Asks for a problem file to read; "" when cancelled.
  void setOpenChooser(std::function<QString(QWidget*)> chooser) { open_ = std::move(chooser); }

  // The problems of the file at path; an unreadable file or one without problems is told
  // in a message and gives none.
  std::vector<Prob> readFile(const QString& path);
  bool pdfOfShown();
  bool pdfOfFile();

 private:
  QWidget* viewer_;
  std::function<Prob()> shown_;
  SaveChooser save_;
  std::function<QString(QWidget*)> open_;
  QMenu* menu_;
  Language idioma_ = IdiomaActual();
};

}  // namespace tolvi
