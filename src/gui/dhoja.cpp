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
#include "texts/catalogue.h"

namespace tolvi {

namespace {

QString Nm(const char* group, int i) {
  return QStringLiteral("%1(%2)").arg(QLatin1String(group)).arg(i);
}

QString T(std::string_view key) { return QString::fromStdString(Tx(key)); }

QString PanelTitle(int key) { return T("pane.title." + std::to_string(key)); }

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

  which_ = new QGroupBox(this);
  which_->setObjectName(QStringLiteral("PPanells"));
  auto* grid = new QGridLayout(which_);
  for (int16_t key = 0; key < 8; ++key) {
    panels_[key] = new QCheckBox(which_);
    panels_[key]->setObjectName(Nm("ChkPanell", key));
    counts_[key] = new QSpinBox(which_);
    counts_[key]->setObjectName(Nm("SpnCasos", key));
    counts_[key]->setRange(1, 100);
    counts_[key]->setValue(2);
    grid->addWidget(panels_[key], key, 0);
    grid->addWidget(counts_[key], key, 1);
  }
  panels_[0]->setChecked(true);

  seed_ = new QLineEdit(this);
  seed_->setObjectName(QStringLiteral("IdLlavor"));
  seed_->setValidator(
      new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{1,20}")), seed_));
  again_ = new QPushButton(this);
  again_->setObjectName(QStringLiteral("BtLlavor"));
  again_->setAutoDefault(false);
  auto* seedRow = new QHBoxLayout;
  seedRow->addWidget(seed_, 1);
  seedRow->addWidget(again_);
  // The sheet's title is part of the sheet, whose statements are Spanish.
  title_ = new QLineEdit(DefaultSheetTitle(), this);
  title_->setObjectName(QStringLiteral("IdTitol"));
  header_ = new QPlainTextEdit(this);
  header_->setObjectName(QStringLiteral("IdCap"));
  header_->setTabChangesFocus(true);
  header_->setFixedHeight(4 * fontMetrics().lineSpacing() + 12);
  numbered_ = new QCheckBox(this);
  numbered_->setObjectName(QStringLiteral("ChkNum"));
  numbered_->setChecked(true);
  steps_ = new QCheckBox(this);
  steps_->setObjectName(QStringLiteral("ChkPassos"));
  together_ = new QCheckBox(this);
  together_->setObjectName(QStringLiteral("ChkJunt"));

  auto* form = new QFormLayout;
  seedLabel_ = new QLabel(this);
  seedLabel_->setBuddy(seed_);
  form->addRow(seedLabel_, seedRow);
  titleLabel_ = new QLabel(this);
  titleLabel_->setBuddy(title_);
  form->addRow(titleLabel_, title_);
  headerLabel_ = new QLabel(this);
  headerLabel_->setBuddy(header_);
  form->addRow(headerLabel_, header_);
  form->addRow(numbered_);
  form->addRow(steps_);
  form->addRow(together_);

  auto* left = new QVBoxLayout;
  left->addWidget(which_);
  left->addLayout(form);
  left->addStretch(1);

  tabs_ = new QTabWidget(this);
  tabs_->setObjectName(QStringLiteral("Vistes"));
  sheetPreview_ = Preview(tabs_, "VistaHoja");
  keyPreview_ = Preview(tabs_, "VistaClau");
  tabs_->addTab(sheetPreview_, QString());
  tabs_->addTab(keyPreview_, QString());
  connect(sheetPreview_, &QPrintPreviewWidget::paintRequested, this, [this](QPrinter* printer) {
    PaintOnPrinter(SheetDocument(sheet_, options()), *printer);
  });
  connect(keyPreview_, &QPrintPreviewWidget::paintRequested, this,
          [this](QPrinter* printer) { PaintOnPrinter(KeyDocument(sheet_, options()), *printer); });

  auto* top = new QHBoxLayout;
  top->addLayout(left);
  top->addWidget(tabs_, 1);

  auto* buttons = new QDialogButtonBox(this);
  int added = 0;
  auto add = [this, buttons, &added](const char* name, auto slot) {
    auto* b = buttons->addButton(QString(), QDialogButtonBox::ActionRole);
    b->setObjectName(QString::fromLatin1(name));
    b->setAutoDefault(false);
    connect(b, &QPushButton::clicked, this, slot);
    buttons_[added++] = b;
  };
  add("BtVista", [this] { refresh(); });
  add("BtPdf", [this] { exportPdf(); });
  add("BtImprimir", [this] { print(); });
  add("BtText", [this] { exportText(); });
  add("BtMoodle", [this] { exportMoodle(); });
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

  connect(again_, &QPushButton::clicked, this, [this] {
    newSeed();
    refresh();
  });
  newSeed();
  retranslate();  // which also puts the sheet of the drawn seed on show from the start
}

void DHoja::retranslate() {
  setWindowTitle(T("sheet.window"));
  which_->setTitle(T("sheet.panels"));
  for (int key = 0; key < 8; ++key) {
    panels_[key]->setText(PanelTitle(key));
    counts_[key]->setAccessibleName(
        QString::fromStdString(TxF("sheet.cases", {Tx("pane.title." + std::to_string(key))})));
  }
  again_->setText(T("sheet.again"));
  seedLabel_->setText(T("sheet.seed"));
  titleLabel_->setText(T("sheet.title"));
  headerLabel_->setText(T("sheet.header"));
  header_->setPlaceholderText(T("sheet.header.hint"));
  numbered_->setText(T("sheet.numbered"));
  steps_->setText(T("sheet.steps"));
  together_->setText(T("sheet.together"));
  tabs_->setTabText(0, T("sheet.tab.sheet"));
  tabs_->setTabText(1, T("sheet.tab.key"));
  const char* const captions[] = {"sheet.preview", "sheet.pdf", "sheet.print", "sheet.text",
                                  "sheet.moodle"};
  for (int i = 0; i < 5; ++i) buttons_[i]->setText(T(captions[i]));
  // A title left as some language's default one takes this language's; the cases are composed
  // again, since their statements and answers are in the language too.
  for (size_t i = 0; i < NombreIdiomes(); ++i)
    if (title_->text() == QString::fromStdString(Tx("sheet.default_title", LanguageAt(i)))) {
      title_->setText(DefaultSheetTitle());
      break;
    }
  refresh();
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
  return title_->text().isEmpty() ? DefaultSheetTitle() : title_->text();
}

void DHoja::compose() {
  sheet_ = ComposeWorksheet(request());
  int unsolved = 0;
  for (const WorksheetCase& c : sheet_.cases) unsolved += c.solved ? 0 : 1;
  status_->setText(unsolved == 0
                       ? QString()
                       : QString::fromStdString(TxF("sheet.unsolved", {std::to_string(unsolved)})));
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

bool DHoja::done(const char* what, const QString& path, const QString& second) {
  const std::string shown = QDir::toNativeSeparators(path).toStdString();
  const std::string also = QDir::toNativeSeparators(second).toStdString();
  status_->setText(QString::fromStdString(TxF(what, {shown, also})));
  return true;
}

bool DHoja::exportPdf() {
  compose();
  const SheetOptions o = options();
  const QString sheetFile =
      chooser_(this, T("sheet.ask.pdf"), T("sheet.file") + QStringLiteral(".pdf"),
               QStringLiteral("PDF (*.pdf)"));
  if (sheetFile.isEmpty()) return false;
  if (together_->isChecked())
    return SavePdf(this, SheetAndKeyDocument(sheet_, o), title(), sheetFile) &&
           done("sheet.saved.together", sheetFile);
  if (!SavePdf(this, SheetDocument(sheet_, o), title(), sheetFile)) return false;
  const QFileInfo info(sheetFile);
  const QString suggested = info.dir().filePath(
      QString::fromStdString(TxF("sheet.key_file", {info.completeBaseName().toStdString()})));
  const QString keyFile =
      chooser_(this, T("sheet.ask.key"), suggested, QStringLiteral("PDF (*.pdf)"));
  if (keyFile.isEmpty()) return done("sheet.saved.sheet", sheetFile);
  return SavePdf(this, KeyDocument(sheet_, o), KeyTitle(title()), keyFile) &&
         done("sheet.saved.both", sheetFile, keyFile);
}

bool DHoja::exportText() {
  compose();
  const QString file = chooser_(this, T("sheet.ask.text"), T("sheet.file") + QStringLiteral(".txt"),
                                T("sheet.filter.text"));
  return !file.isEmpty() &&
         WriteAtomically(this, file, Bytes(WorksheetText(sheet_, steps_->isChecked()))) &&
         done("sheet.saved.sheet", file);
}

bool DHoja::exportMoodle() {
  compose();
  const QString file = chooser_(this, T("sheet.ask.quiz"), T("sheet.file") + QStringLiteral(".xml"),
                                QStringLiteral("Moodle XML (*.xml)"));
  return !file.isEmpty() &&
         WriteAtomically(this, file, Bytes(MoodleXml(sheet_, title().toStdString()))) &&
         done("sheet.saved.quiz", file);
}

void DHoja::print() {
  compose();
  const SheetOptions o = options();
  if (tabs_->currentWidget() == keyPreview_)
    PrintWithDialog(this, KeyDocument(sheet_, o), KeyTitle(title()));
  else if (together_->isChecked())
    PrintWithDialog(this, SheetAndKeyDocument(sheet_, o), title());
  else
    PrintWithDialog(this, SheetDocument(sheet_, o), title());
}

}  // namespace tolvi
