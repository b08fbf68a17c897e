#include "gui/print_actions.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMenu>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>

#include "app/file_messages.h"
#include "app/worksheet.h"
#include "documents/textfile.h"

namespace tolvi {

SaveChooser DefaultSaveChooser() {
  return
      [](QWidget* parent, const QString& caption, const QString& suggested, const QString& filter) {
        return QFileDialog::getSaveFileName(parent, caption, suggested, filter);
      };
}

bool WriteAtomically(QWidget* parent, const QString& path, const QByteArray& bytes) {
  const FileResult r = EscriuBytes(
      std::string_view(bytes.constData(), static_cast<size_t>(bytes.size())), path.toStdString());
  if (r) return true;
  QMessageBox::warning(parent,
                       QString::fromStdString(std::string(TitolError(FileOperation::Save, 2))),
                       QString::fromStdString(TextError(r, 2)));
  return false;
}

bool SavePdf(QWidget* parent, const PrintDocument& doc, const QString& title, const QString& path) {
  const QByteArray pdf = PdfBytes(doc, title);
  if (pdf.isEmpty()) {
    QMessageBox::warning(parent, QStringLiteral("PDF"),
                         QStringLiteral("%1\n\nNo se pudo dibujar el documento.").arg(path));
    return false;
  }
  return WriteAtomically(parent, path, pdf);
}

bool PrintWithDialog(QWidget* parent, const PrintDocument& doc, const QString& title) {
  QPrinter printer(QPrinter::HighResolution);
  printer.setDocName(title);
  QPrintDialog dialog(&printer, parent);
  dialog.setWindowTitle(QStringLiteral("Imprimir"));
  if (dialog.exec() != QDialog::Accepted) return false;
  if (PaintOnPrinter(doc, printer) == 0) {
    QMessageBox::warning(parent, QStringLiteral("Imprimir"),
                         QStringLiteral("No se pudo imprimir en %1.").arg(printer.printerName()));
    return false;
  }
  return true;
}

ProblemPrinting::ProblemPrinting(QWidget* viewer, std::function<Prob()> shown)
    : QObject(viewer),
      viewer_(viewer),
      shown_(std::move(shown)),
      save_(DefaultSaveChooser()),
      open_([](QWidget* parent) {
        return QFileDialog::getOpenFileName(parent, QStringLiteral("Archivo de problemas"), {},
                                            QStringLiteral("Problemas (*.txt);;Todos (*)"));
      }),
      menu_(new QMenu(viewer)) {
  setObjectName(QStringLiteral("ImpPrb"));
  auto add = [this](const char* name, const QString& caption, auto slot) {
    QAction* a = menu_->addAction(caption);
    a->setObjectName(QString::fromLatin1(name));
    connect(a, &QAction::triggered, this, slot);
  };
  const QString one = QStringLiteral("Problema");
  add("OpImpPrb", QStringLiteral("Imprimir este problema..."),
      [this, one] { PrintWithDialog(viewer_, ProblemsDocument({shown_()}, one), one); });
  add("OpPdfPrb", QStringLiteral("Este problema en PDF..."), [this] { pdfOfShown(); });
  menu_->addSeparator();
  add("OpImpFtx", QStringLiteral("Imprimir un archivo de problemas..."), [this] {
    const QString path = open_(viewer_);
    if (path.isEmpty()) return;
    const std::vector<Prob> problems = readFile(path);
    if (!problems.empty())
      PrintWithDialog(viewer_, ProblemsDocument(problems, QFileInfo(path).fileName()),
                      QFileInfo(path).fileName());
  });
  add("OpPdfFtx", QStringLiteral("Un archivo de problemas en PDF..."), [this] { pdfOfFile(); });
}

std::vector<Prob> ProblemPrinting::readFile(const QString& path) {
  std::string bytes;
  const FileResult r = ReadFileBytes(path.toStdString(), bytes, 0);
  if (!r) {
    QMessageBox::warning(viewer_,
                         QString::fromStdString(std::string(TitolError(FileOperation::Open, 2))),
                         QString::fromStdString(TextError(r, 2)));
    return {};
  }
  std::vector<Prob> problems = LlegeixPrbs(LlegeixFtx(path.toStdString()));
  if (problems.empty())
    QMessageBox::information(viewer_, QStringLiteral("Archivo de problemas"),
                             QStringLiteral("%1\n\nNo contiene ning\u00FAn problema.").arg(path));
  return problems;
}

bool ProblemPrinting::pdfOfShown() {
  const QString path = save_(viewer_, QStringLiteral("Guardar el problema en PDF"),
                             QStringLiteral("problema.pdf"), QStringLiteral("PDF (*.pdf)"));
  const QString title = QStringLiteral("Problema");
  return !path.isEmpty() && SavePdf(viewer_, ProblemsDocument({shown_()}, title), title, path);
}

bool ProblemPrinting::pdfOfFile() {
  const QString from = open_(viewer_);
  if (from.isEmpty()) return false;
  const std::vector<Prob> problems = readFile(from);
  if (problems.empty()) return false;
  const QFileInfo info(from);
  const QString path = save_(viewer_, QStringLiteral("Guardar los problemas en PDF"),
                             info.dir().filePath(info.completeBaseName() + QStringLiteral(".pdf")),
                             QStringLiteral("PDF (*.pdf)"));
  return !path.isEmpty() &&
         SavePdf(viewer_, ProblemsDocument(problems, info.fileName()), info.fileName(), path);
}

}  // namespace tolvi
