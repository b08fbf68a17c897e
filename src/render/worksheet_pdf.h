// Printed worksheets, answer keys and problem files: A4 pages with margins, the formula look
// (subscripts and superscripts), a footer with the page number, and no problem cut between
// two pages. One drawing serves the PDF files, the system's printers and the previews.
#pragma once
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <string>
#include <vector>

#include "app/worksheet.h"
#include "documents/prob.h"

class QPagedPaintDevice;
class QPrinter;

namespace tolvi {

struct SheetOptions {
  std::string title;                // "": DefaultSheetTitle()
  std::vector<std::string> header;  // lines under the title: centre, course, date...
  bool numbered = true;             // "1.", "2." before each problem
  bool steps = false;               // the key shows the worked steps of each case
};

// What is drawn: parts that each begin on a new page, made of blocks of rich text (HTML)
// that are never split between pages unless one alone is taller than a page.
struct PrintDocument {
  std::vector<std::vector<QString>> parts;
  QString footer;  // at the left of every page's foot; the page number goes at the right
};

// The statements of the worksheet, under the title, the header lines and each panel's name.
PrintDocument SheetDocument(const Worksheet& sheet, const SheetOptions& options);
// The answer key: each statement again, its answer and, when asked, its worked steps.
PrintDocument KeyDocument(const Worksheet& sheet, const SheetOptions& options);
// The sheet with the key after it, on pages of its own.
PrintDocument SheetAndKeyDocument(const Worksheet& sheet, const SheetOptions& options);
// The problems of a problem file as the file holds them: each statement with its answer.
PrintDocument ProblemsDocument(const std::vector<Prob>& problems, const QString& title);

// Lays the document out on A4 pages with 20 mm margins and draws it on the device (a
// QPdfWriter or a QPrinter, whose page size and margins it sets). Answers the pages drawn.
int Paint(const PrintDocument& doc, QPagedPaintDevice& device);
// The same on a printer chosen in a print dialog or a preview, keeping the printer's own
// paper but our margins.
int PaintOnPrinter(const PrintDocument& doc, QPrinter& printer);

// The document as a PDF file's bytes, drawn in memory (written to disk by the caller through
// the project's safe file writing).
QByteArray PdfBytes(const PrintDocument& doc, const QString& title);

// The title of a sheet that has none, and the title of the answer key of a sheet, in the
// interface language ("Hoja de ejercicios", "Soluciones: TITLE").
QString DefaultSheetTitle();
QString KeyTitle(const QString& title);

// A program text (UTF-8, CR LF) as a QString with "\n" line breaks.
QString FromUtf8(const std::string& text);

}  // namespace tolvi
