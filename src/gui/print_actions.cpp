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

namespace {

QString T(std::string_view key, Language idioma) { return QString::fromStdString(Tx(key, idioma)); }

QString TF(std::string_view key, Language idioma, const QString& arg) {
  return QString::fromStdString(TxF(key, idioma, {arg.toStdString()}));
}

}  // namespace

SaveChooser DefaultSaveChooser() {
  return
      [](QWidget* parent, const QString& caption, const QString& suggested, const QString& filter) {
        return QFileDialog::getSaveFileName(parent, caption, suggested, filter);
      };
}

bool WriteAtomically(QWidget* parent, const QString& path, const QByteArray& bytes,
                     Language idioma) {
  const FileResult r = EscriuBytes(
      std::string_view(bytes.constData(), static_cast<size_t>(bytes.size())), path.toStdString());
  if (r) return true;
  QMessageBox::warning(parent,
                       QString::fromStdString(std::string(TitolError(FileOperation::Save, idioma))),
                       QString::fromStdString(TextError(r, idioma)));
  return false;
}

bool SavePdf(QWidget* parent, const PrintDocument& doc, const QString& title, const QString& path,
             Language idioma) {
  const QByteArray pdf = PdfBytes(doc, title);
  if (pdf.isEmpty()) {
    QMessageBox::warning(parent, QStringLiteral("PDF"), TF("print.not_drawn", idioma, path));
    return false;
  }
  return WriteAtomically(parent, path, pdf, idioma);
}

bool PrintWithDialog(QWidget* parent, const PrintDocument& doc, const QString& title,
                     Language idioma) {
  QPrinter printer(QPrinter::HighResolution);
  printer.setDocName(title);
  QPrintDialog dialog(&printer, parent);
  dialog.setWindowTitle(T("print.title", idioma));
  if (dialog.exec() != QDialog::Accepted) return false;
  if (PaintOnPrinter(doc, printer) == 0) {
    QMessageBox::warning(parent, T("print.title", idioma),
                         TF("print.failed", idioma, printer.printerName()));
    return false;
  }
  return true;
}

ProblemPrinting::ProblemPrinting(QWidget* viewer, std::function<Prob()> shown)
    : QObject(viewer),
      viewer_(viewer),
      shown_(std::move(shown)),
      save_(DefaultSaveChooser()),
      open_([this](QWidget* parent) {
        return QFileDialog::getOpenFileName(parent, T("print.open", idioma_), {},
                                            T("print.open.filter", idioma_));
      }),
      menu_(new QMenu(viewer)) {
  setObjectName(QStringLiteral("ImpPrb"));
  auto add = [this](const char* name, auto slot) {
    QAction* a = menu_->addAction(QString());
    a->setObjectName(QString::fromLatin1(name));
    connect(a, &QAction::triggered, this, slot);
  };
  // The document's title is part of the document, whose statements are Spanish.
  const QString one = QStringLiteral("Problema");
  add("OpImpPrb",
      [this, one] { PrintWithDialog(viewer_, ProblemsDocument({shown_()}, one), one, idioma_); });
  add("OpPdfPrb", [this] { pdfOfShown(); });
  menu_->addSeparator();
  add("OpImpFtx", [this] {
    const QString path = open_(viewer_);
    if (path.isEmpty()) return;
    const std::vector<Prob> problems = readFile(path);
    if (!problems.empty())
      PrintWithDialog(viewer_, ProblemsDocument(problems, QFileInfo(path).fileName()),
                      QFileInfo(path).fileName(), idioma_);
  });
  add("OpPdfFtx", [this] { pdfOfFile(); });
  retranslate(idioma_);
}

void ProblemPrinting::retranslate(Language idioma) {
  idioma_ = idioma;
  for (const auto& [name, key] : {std::pair{"OpImpPrb", "print.shown"},
                                  {"OpPdfPrb", "print.shown_pdf"},
                                  {"OpImpFtx", "print.file"},
                                  {"OpPdfFtx", "print.file_pdf"}})
    if (auto* a = menu_->findChild<QAction*>(QString::fromLatin1(name))) a->setText(T(key, idioma));
}

std::vector<Prob> ProblemPrinting::readFile(const QString& path) {
  std::string bytes;
  const FileResult r = ReadFileBytes(path.toStdString(), bytes, 0);
  if (!r) {
    QMessageBox::warning(
        viewer_, QString::fromStdString(std::string(TitolError(FileOperation::Open, idioma_))),
        QString::fromStdString(TextError(r, idioma_)));
    return {};
  }
  std::vector<Prob> problems = LlegeixPrbs(LlegeixFtx(path.toStdString()));
  if (problems.empty())
    QMessageBox::information(viewer_, T("print.open", idioma_),
                             TF("print.no_problems", idioma_, path));
  return problems;
}

bool ProblemPrinting::pdfOfShown() {
  const QString path = save_(viewer_, T("print.ask.shown", idioma_), T("print.shown_file", idioma_),
                             QStringLiteral("PDF (*.pdf)"));
  const QString title = QStringLiteral("Problema");
  return !path.isEmpty() &&
         SavePdf(viewer_, ProblemsDocument({shown_()}, title), title, path, idioma_);
}

bool ProblemPrinting::pdfOfFile() {
  const QString from = open_(viewer_);
  if (from.isEmpty()) return false;
  const std::vector<Prob> problems = readFile(from);
  if (problems.empty()) return false;
  const QFileInfo info(from);
  const QString path = save_(viewer_, T("print.ask.file", idioma_),
                             info.dir().filePath(info.completeBaseName() + QStringLiteral(".pdf")),
                             QStringLiteral("PDF (*.pdf)"));
  return !path.isEmpty() && SavePdf(viewer_, ProblemsDocument(problems, info.fileName()),
                                    info.fileName(), path, idioma_);
}

}  // namespace tolvi
