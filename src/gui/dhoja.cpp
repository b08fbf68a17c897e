#include "gui/dhoja.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPageLayout>
#include <QPageSize>
#include <QPlainTextEdit>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QSpinBox>
#include <QTabWidget>
#include <QVBoxLayout>

#include "solvers/atzar.h"

namespace tolvi {

namespace {

QString Nm(const char* group, int i) {
  return QStringLiteral("%1(%2)").arg(QLatin1String(group)).arg(i);
}

QByteArray Bytes(const std::string& text) {
  return QByteArray(text.data(), static_cast<qsizetype>(text.size()));
}

QPrintPreviewWidget* Preview(QWidget* parent, const char* name) {
  auto* printer = new QPrinter(QPrinter::ScreenResolution);
  printer->setPageSize(QPageSize(QPageSize::A4));
  auto* preview = new QPrintPreviewWidget(printer, parent);
  preview->setObjectName(QString::fromLatin1(name));
  // The printer belongs to no widget: it goes with its preview.
  QObject::connect(preview, &QObject::destroyed, [printer] { delete printer; });
  preview->setZoomMode(QPrintPreviewWidget::FitToWidth);
  return preview;
}

}  // namespace

DHoja::DHoja(std::string symbol, QWidget* parent)
    : QDialog(parent), symbol_(std::move(symbol)), chooser_(DefaultSaveChooser()) {
  setObjectName(QStringLiteral("DHoja"));
  setWindowTitle(QStringLiteral("Hoja de ejercicios"));

  auto* which = new QGroupBox(QStringLiteral("Problemas de cada panel"), this);
  auto* grid = new QGridLayout(which);
  for (int16_t key = 0; key < 8; ++key) {
    panels_[key] = new QCheckBox(QString::fromStdString(NomPanell(key)), which);
    panels_[key]->setObjectName(Nm("ChkPanell", key));
    counts_[key] = new QSpinBox(which);
    counts_[key]->setObjectName(Nm("SpnCasos", key));
    counts_[key]->setRange(1, 100);
    counts_[key]->setValue(2);
    counts_[key]->setAccessibleName(
        QStringLiteral("Casos de %1").arg(QString::fromStdString(NomPanell(key))));
    grid->addWidget(panels_[key], key, 0);
    grid->addWidget(counts_[key], key, 1);
  }
  panels_[0]->setChecked(true);

  seed_ = new QLineEdit(this);
  seed_->setObjectName(QStringLiteral("IdLlavor"));
  seed_->setValidator(
      new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{1,20}")), seed_));
  auto* again = new QPushButton(QStringLiteral("Otra"), this);
  again->setObjectName(QStringLiteral("BtLlavor"));
  again->setAutoDefault(false);
  auto* seedRow = new QHBoxLayout;
  seedRow->addWidget(seed_, 1);
  seedRow->addWidget(again);
  title_ = new QLineEdit(QStringLiteral("Hoja de ejercicios"), this);
  title_->setObjectName(QStringLiteral("IdTitol"));
  header_ = new QPlainTextEdit(this);
  header_->setObjectName(QStringLiteral("IdCap"));
  header_->setPlaceholderText(QStringLiteral("Centro\nCurso\nFecha"));
  header_->setTabChangesFocus(true);
  header_->setFixedHeight(4 * fontMetrics().lineSpacing() + 12);
  numbered_ = new QCheckBox(QStringLiteral("Numerar los problemas"), this);
  numbered_->setObjectName(QStringLiteral("ChkNum"));
  numbered_->setChecked(true);
  steps_ = new QCheckBox(QStringLiteral("La clave con los pasos resueltos"), this);
  steps_->setObjectName(QStringLiteral("ChkPassos"));
  together_ =
      new QCheckBox(QStringLiteral("Un solo PDF, con la clave en p\u00E1ginas aparte"), this);
  together_->setObjectName(QStringLiteral("ChkJunt"));

  auto* form = new QFormLayout;
  auto* seedLabel = new QLabel(QStringLiteral("&Semilla:"), this);
  seedLabel->setBuddy(seed_);
  form->addRow(seedLabel, seedRow);
  auto* titleLabel = new QLabel(QStringLiteral("&T\u00EDtulo:"), this);
  titleLabel->setBuddy(title_);
  form->addRow(titleLabel, title_);
  auto* headerLabel = new QLabel(QStringLiteral("&Encabezado:"), this);
  headerLabel->setBuddy(header_);
  form->addRow(headerLabel, header_);
  form->addRow(numbered_);
  form->addRow(steps_);
  form->addRow(together_);

  auto* left = new QVBoxLayout;
  left->addWidget(which);
  left->addLayout(form);
  left->addStretch(1);

  tabs_ = new QTabWidget(this);
  tabs_->setObjectName(QStringLiteral("Vistes"));
  sheetPreview_ = Preview(tabs_, "VistaHoja");
  keyPreview_ = Preview(tabs_, "VistaClau");
  tabs_->addTab(sheetPreview_, QStringLiteral("Hoja"));
  tabs_->addTab(keyPreview_, QStringLiteral("Clave"));
  connect(sheetPreview_, &QPrintPreviewWidget::paintRequested, this, [this](QPrinter* printer) {
    PaintOnPrinter(SheetDocument(sheet_, options()), *printer);
  });
  connect(keyPreview_, &QPrintPreviewWidget::paintRequested, this,
          [this](QPrinter* printer) { PaintOnPrinter(KeyDocument(sheet_, options()), *printer); });

  auto* top = new QHBoxLayout;
  top->addLayout(left);
  top->addWidget(tabs_, 1);

  auto* buttons = new QDialogButtonBox(this);
  auto add = [this, buttons](const char* name, const QString& caption, auto slot) {
    auto* b = buttons->addButton(caption, QDialogButtonBox::ActionRole);
    b->setObjectName(QString::fromLatin1(name));
    b->setAutoDefault(false);
    connect(b, &QPushButton::clicked, this, slot);
    return b;
  };
  add("BtVista", QStringLiteral("&Vista previa"), [this] { refresh(); });
  add("BtPdf", QStringLiteral("&PDF..."), [this] { exportPdf(); });
  add("BtImprimir", QStringLiteral("&Imprimir..."), [this] { print(); });
  add("BtText", QStringLiteral("Te&xto..."), [this] { exportText(); });
  add("BtMoodle", QStringLiteral("&Moodle..."), [this] { exportMoodle(); });
  QPushButton* close = buttons->addButton(QDialogButtonBox::Close);
  close->setObjectName(QStringLiteral("BtTanca"));
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

  status_ = new QLabel(this);
  status_->setObjectName(QStringLiteral("EtEstat"));
  status_->setTextFormat(Qt::PlainText);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top, 1);
  layout->addWidget(status_);
  layout->addWidget(buttons);
  resize(1000, 700);

  connect(again, &QPushButton::clicked, this, [this] { newSeed(); });
  newSeed();
}

WorksheetRequest DHoja::request() const {
  WorksheetRequest r;
  for (int16_t key = 0; key < 8; ++key) {
    if (!panels_[key]->isChecked()) continue;
    r.panels.push_back(key);
    r.counts.push_back(counts_[key]->value());
  }
  r.seed = seed_->text().toULongLong();
  r.symbol = symbol_;
  return r;
}

SheetOptions DHoja::options() const {
  SheetOptions o;
  o.title = title_->text().toStdString();
  for (const QString& line : header_->toPlainText().split(QLatin1Char('\n')))
    if (!line.trimmed().isEmpty()) o.header.push_back(line.trimmed().toStdString());
  o.numbered = numbered_->isChecked();
  o.steps = steps_->isChecked();
  return o;
}

QString DHoja::title() const {
  return title_->text().isEmpty() ? QStringLiteral("Hoja de ejercicios") : title_->text();
}

void DHoja::compose() {
  sheet_ = ComposeWorksheet(request());
  int unsolved = 0;
  for (const WorksheetCase& c : sheet_.cases) unsolved += c.solved ? 0 : 1;
  status_->setText(
      unsolved == 0
          ? QString()
          : QStringLiteral("%1 casos no se pudieron resolver y no aparecen.").arg(unsolved));
}

void DHoja::newSeed() {
  Atzar clock;
  seed_->setText(QString::number(clock.seedFromClock()));
}

void DHoja::refresh() {
  compose();
  sheetPreview_->updatePreview();
  keyPreview_->updatePreview();
}

bool DHoja::done(const QString& what, const QString& path) {
  status_->setText(QStringLiteral("%1 guardada en %2").arg(what, QDir::toNativeSeparators(path)));
  return true;
}

bool DHoja::exportPdf() {
  compose();
  const SheetOptions o = options();
  const QString sheetFile = chooser_(this, QStringLiteral("Guardar la hoja en PDF"),
                                     QStringLiteral("hoja.pdf"), QStringLiteral("PDF (*.pdf)"));
  if (sheetFile.isEmpty()) return false;
  if (together_->isChecked())
    return SavePdf(this, SheetAndKeyDocument(sheet_, o), title(), sheetFile) &&
           done(QStringLiteral("Hoja con la clave"), sheetFile);
  if (!SavePdf(this, SheetDocument(sheet_, o), title(), sheetFile)) return false;
  const QFileInfo info(sheetFile);
  const QString suggested =
      info.dir().filePath(info.completeBaseName() + QStringLiteral("-clave.pdf"));
  const QString keyFile = chooser_(this, QStringLiteral("Guardar la clave en PDF"), suggested,
                                   QStringLiteral("PDF (*.pdf)"));
  if (keyFile.isEmpty()) return done(QStringLiteral("Hoja"), sheetFile);
  return SavePdf(this, KeyDocument(sheet_, o), QStringLiteral("Soluciones: ") + title(), keyFile) &&
         done(QStringLiteral("Hoja y clave"), sheetFile + QStringLiteral(", ") + keyFile);
}

bool DHoja::exportText() {
  compose();
  const QString file = chooser_(this, QStringLiteral("Guardar los problemas"),
                                QStringLiteral("hoja.txt"), QStringLiteral("Texto (*.txt)"));
  return !file.isEmpty() &&
         WriteAtomically(this, file, Bytes(WorksheetText(sheet_, steps_->isChecked()))) &&
         done(QStringLiteral("Hoja"), file);
}

bool DHoja::exportMoodle() {
  compose();
  const QString file = chooser_(this, QStringLiteral("Guardar el cuestionario de Moodle"),
                                QStringLiteral("hoja.xml"), QStringLiteral("Moodle XML (*.xml)"));
  return !file.isEmpty() &&
         WriteAtomically(this, file, Bytes(MoodleXml(sheet_, title().toStdString()))) &&
         done(QStringLiteral("Cuestionario"), file);
}

void DHoja::print() {
  compose();
  const SheetOptions o = options();
  if (tabs_->currentWidget() == keyPreview_)
    PrintWithDialog(this, KeyDocument(sheet_, o), QStringLiteral("Soluciones: ") + title());
  else if (together_->isChecked())
    PrintWithDialog(this, SheetAndKeyDocument(sheet_, o), title());
  else
    PrintWithDialog(this, SheetDocument(sheet_, o), title());
}

}  // namespace tolvi
