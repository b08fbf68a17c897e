#include "render/worksheet_pdf.h"

#include <QAbstractTextDocumentLayout>
#include <QBuffer>
#include <QFont>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QTextDocument>
#include <cmath>
#include <memory>

#include "texts/catalogue.h"

namespace tolvi {

namespace {

QString Html(const std::string& text) { return QString::fromStdString(FormulaHtml(text)); }

QString Escaped(const std::string& text) { return FromUtf8(text).toHtmlEscaped(); }

QString Tq(std::string_view key) { return QString::fromStdString(Tx(key)); }

QString TitleOf(const SheetOptions& options) {
  return options.title.empty() ? DefaultSheetTitle() : FromUtf8(options.title);
}

// The title, the header lines and the seed that gives the same sheet again.
QString HeaderBlock(const QString& title, const SheetOptions& options) {
  QString html = QStringLiteral("<h2 align=center>%1</h2>").arg(title.toHtmlEscaped());
  for (const std::string& line : options.header)
    if (!line.empty()) html += QStringLiteral("<p align=center>%1</p>").arg(Escaped(line));
  return html;
}

QString Number(const SheetOptions& options, int n) {
  return options.numbered ? QStringLiteral("<b>%1.</b>&nbsp; ").arg(n) : QString();
}

QString Footer(const QString& what, uint64_t seed) {
  return QString::fromStdString(TxF("sheet.footer", {what.toStdString(), std::to_string(seed)}));
}

// The blocks of the sheet (key false) or of the key (key true), the first carrying the
// header; a panel's name goes with its first problem, so it never ends a page alone.
std::vector<QString> Blocks(const Worksheet& sheet, const SheetOptions& options, bool key) {
  std::vector<QString> blocks;
  const QString title = key ? KeyTitle(TitleOf(options)) : TitleOf(options);
  QString pending = HeaderBlock(title, options);
  int16_t panel = -1;
  int n = 0;
  for (const WorksheetCase& c : sheet.cases) {
    if (!c.solved) continue;
    ++n;
    QString html = pending;
    pending.clear();
    if (c.panel != panel) {
      panel = c.panel;
      html += QStringLiteral("<h3>%1</h3>").arg(Escaped(NomPanell(c.panel)));
    }
    if (!key) {
      html += QStringLiteral("<p>%1%2</p>").arg(Number(options, n), Html(c.problem.Enun));
    } else {
      html += QStringLiteral("<p style='color:#404040'>%1%2</p>")
                  .arg(Number(options, n), Html(c.problem.Enun));
      html += QStringLiteral("<p style='margin-left:24px'><b>R:</b>&nbsp; %1</p>")
                  .arg(Html(c.problem.Resp));
      if (options.steps && !c.working.steps.empty())
        html += QStringLiteral(
                    "<p style='margin-left:24px'><i>%1</i></p>"
                    "<div style='margin-left:24px'>%2</div>")
                    .arg(Tq("sheet.steps_title").toHtmlEscaped(),
                         QString::fromStdString(StepsHtml(c.working)));
    }
    blocks.push_back(html);
  }
  if (!pending.isEmpty()) blocks.push_back(pending);  // a sheet without problems: its header
  return blocks;
}

QFont BodyFont() {
  QFont font;
  font.setFamilies({QStringLiteral("DejaVu Serif"), QStringLiteral("Liberation Serif"),
                    QStringLiteral("Noto Serif"), QStringLiteral("serif")});
  font.setPointSizeF(11);
  return font;
}

QFont FootFont() {
  QFont font;
  font.setFamilies({QStringLiteral("DejaVu Sans"), QStringLiteral("Liberation Sans"),
                    QStringLiteral("Noto Sans"), QStringLiteral("sans-serif")});
  font.setPointSizeF(8.5);
  return font;
}

struct Placed {
  std::unique_ptr<QTextDocument> doc;
  int page = 0;
  qreal y = 0;
};

int Draw(const PrintDocument& doc, QPagedPaintDevice& device, bool a4) {
  if (a4) device.setPageSize(QPageSize(QPageSize::A4));
  device.setPageMargins(QMarginsF(20, 20, 20, 20), QPageLayout::Millimeter);
  QPainter painter;
  if (!painter.begin(&device)) return 0;

  const QFont body = BodyFont();
  const QFont foot = FootFont();
  const qreal width = device.width();
  const QFontMetricsF footMetrics(foot, &device);
  const qreal footHeight = 2.5 * footMetrics.lineSpacing();
  const qreal height = device.height() - footHeight;
  const qreal gap = QFontMetricsF(body, &device).lineSpacing() * 0.8;

  // Where each block goes: a block that does not fit under the ones before it starts a new
  // page, and so does each part.
  std::vector<Placed> placed;
  int page = 0;
  qreal y = 0;
  for (size_t p = 0; p < doc.parts.size(); ++p) {
    if (p > 0 && (y > 0 || !placed.empty())) {
      ++page;
      y = 0;
    }
    for (const QString& html : doc.parts[p]) {
      auto text = std::make_unique<QTextDocument>();
      text->documentLayout()->setPaintDevice(&device);
      text->setDocumentMargin(0);
      text->setDefaultFont(body);
      text->setHtml(html);
      text->setTextWidth(width);
      const qreal h = text->size().height();
      if (y > 0 && y + h > height) {
        ++page;
        y = 0;
      }
      placed.push_back({std::move(text), page, y});
      if (h > height) {  // taller than a page: it runs on over the next ones
        const int more = static_cast<int>(std::ceil(h / height)) - 1;
        page += more;
        y = h - more * height + gap;
      } else {
        y += h + gap;
      }
    }
  }
  const int pages = page + 1;

  for (int current = 0; current < pages; ++current) {
    if (current > 0) device.newPage();
    for (const Placed& b : placed) {
      const int shift = current - b.page;  // the pieces of a block taller than a page
      const qreal h = b.doc->size().height();
      if (shift < 0 || shift * height >= h) continue;
      painter.save();
      painter.translate(0, b.y - shift * height);
      b.doc->drawContents(&painter,
                          QRectF(0, shift * height, width, std::min(height, h - shift * height)));
      painter.restore();
    }
    painter.setFont(foot);
    painter.setPen(QColor(0x60, 0x60, 0x60));
    const QRectF footRect(0, device.height() - footMetrics.lineSpacing(), width,
                          footMetrics.lineSpacing());
    painter.drawText(footRect, Qt::AlignLeft | Qt::AlignVCenter, doc.footer);
    painter.drawText(footRect, Qt::AlignRight | Qt::AlignVCenter,
                     QString::fromStdString(
                         TxF("sheet.page", {std::to_string(current + 1), std::to_string(pages)})));
  }
  painter.end();
  return pages;
}

}  // namespace

QString DefaultSheetTitle() { return Tq("sheet.default_title"); }

QString KeyTitle(const QString& title) {
  return QString::fromStdString(TxF("sheet.key_title", {title.toStdString()}));
}

QString FromUtf8(const std::string& text) {
  QString t = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
  t.replace(QLatin1String("\r\n"), QLatin1String("\n"));
  return t;
}

PrintDocument SheetDocument(const Worksheet& sheet, const SheetOptions& options) {
  return {{Blocks(sheet, options, false)}, Footer(TitleOf(options), sheet.seed)};
}

PrintDocument KeyDocument(const Worksheet& sheet, const SheetOptions& options) {
  return {{Blocks(sheet, options, true)}, Footer(Tq("sheet.solutions"), sheet.seed)};
}

PrintDocument SheetAndKeyDocument(const Worksheet& sheet, const SheetOptions& options) {
  return {{Blocks(sheet, options, false), Blocks(sheet, options, true)},
          Footer(TitleOf(options), sheet.seed)};
}

PrintDocument ProblemsDocument(const std::vector<Prob>& problems, const QString& title) {
  std::vector<QString> blocks;
  QString pending = QStringLiteral("<h2 align=center>%1</h2>").arg(title.toHtmlEscaped());
  int n = 0;
  for (const Prob& p : problems) {
    blocks.push_back(pending + QStringLiteral("<p><b>%1.</b>&nbsp; %2</p>"
                                              "<p style='margin-left:24px'><b>R:</b>&nbsp; %3</p>")
                                   .arg(++n)
                                   .arg(Html(p.Enun), Html(p.Resp)));
    pending.clear();
  }
  if (!pending.isEmpty()) blocks.push_back(pending);
  return {{blocks}, title};
}

int Paint(const PrintDocument& doc, QPagedPaintDevice& device) { return Draw(doc, device, true); }

int PaintOnPrinter(const PrintDocument& doc, QPrinter& printer) {
  return Draw(doc, printer, false);
}

QByteArray PdfBytes(const PrintDocument& doc, const QString& title) {
  QBuffer buffer;
  buffer.open(QIODevice::WriteOnly);
  {
    QPdfWriter writer(&buffer);
    writer.setTitle(title);
    writer.setCreator(QStringLiteral("Tolvi"));
    writer.setResolution(600);
    if (Draw(doc, writer, true) == 0) return {};
  }
  return buffer.data();
}

}  // namespace tolvi
