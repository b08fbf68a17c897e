#include "gui/frmabout.h"

#include <QApplication>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

#include "gui/program_icon.h"
#include "texts/catalogue.h"

namespace tolvi {

QPointer<frmAbout> frmAbout::instance_;

namespace {

// The program's picture: the application's icon when one is set, else painted.
QPixmap ProgramPicture(int size) {
  const QIcon own = QApplication::windowIcon();
  if (!own.isNull()) return own.pixmap(size, size);
  return PaintProgramPicture(size);
}

QLabel* Label(QWidget* parent, const char* name, const QString& text) {
  auto* l = new QLabel(text, parent);
  l->setObjectName(QString::fromLatin1(name));
  l->setTextFormat(Qt::PlainText);
  return l;
}

}  // namespace

frmAbout* frmAbout::Mostra(QWidget* parent) {
  if (!instance_) {
    instance_ = new frmAbout(parent);
    instance_->setAttribute(Qt::WA_DeleteOnClose);
  }
  instance_->show();
  instance_->raise();
  instance_->activateWindow();
  return instance_;
}

frmAbout::frmAbout(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("frmAbout"));
  setModal(false);
  const QString title = QString::fromLatin1(kTitolPrograma);
  setWindowTitle(QString::fromStdString(TxF("about.title", {title.toStdString()})));

  // Shape1: the band that holds the picture and the name.
  auto* shape = new QFrame(this);
  shape->setObjectName(QStringLiteral("Shape1"));
  shape->setFrameStyle(QFrame::Box | QFrame::Plain);
  shape->setAutoFillBackground(true);
  QPalette band = shape->palette();
  band.setColor(QPalette::Window, QColor(128, 128, 255));
  band.setColor(QPalette::WindowText, QColor(40, 40, 110));
  shape->setPalette(band);

  auto* picIcon = new QLabel(shape);
  picIcon->setObjectName(QStringLiteral("picIcon"));
  picIcon->setPixmap(ProgramPicture(48));
  QLabel* label1 = Label(shape, "Label1", title);
  QFont comic(QStringLiteral("Comic Sans MS"));
  comic.setStyleHint(QFont::Cursive);
  comic.setPointSizeF(font().pointSizeF() * 2.6);
  comic.setBold(true);
  label1->setFont(comic);
  label1->setStyleSheet(QStringLiteral("color: white;"));
  auto* bandLayout = new QHBoxLayout(shape);
  bandLayout->setContentsMargins(14, 10, 18, 10);
  bandLayout->setSpacing(14);
  bandLayout->addWidget(picIcon);
  bandLayout->addWidget(label1);
  bandLayout->addStretch(1);

  QLabel* lblTitle = Label(this, "lblTitle", title);
  QFont bold = lblTitle->font();
  bold.setBold(true);
  bold.setPointSizeF(bold.pointSizeF() * 1.3);
  lblTitle->setFont(bold);
  QLabel* lblVersion =
      Label(this, "lblVersion", QString::fromStdString(TxF("about.version", {TOLVI_VERSION})));
  QLabel* lblDescription =
      Label(this, "lblDescription", QString::fromStdString(Tx("about.description")));
  lblDescription->setWordWrap(true);
  lblDescription->setMinimumWidth(fontMetrics().averageCharWidth() * 48);

  auto* line1 = new QFrame(this);
  line1->setObjectName(QStringLiteral("Line1"));
  line1->setFrameShape(QFrame::HLine);
  line1->setFrameShadow(QFrame::Sunken);

  auto* cmdOK = new QPushButton(QStringLiteral("OK"), this);
  cmdOK->setObjectName(QStringLiteral("cmdOK"));
  cmdOK->setDefault(true);
  connect(cmdOK, &QPushButton::clicked, this, &QDialog::close);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(16, 16, 16, 12);
  layout->setSpacing(8);
  layout->addWidget(shape);
  layout->addSpacing(4);
  layout->addWidget(lblTitle);
  layout->addWidget(lblVersion);
  layout->addSpacing(4);
  layout->addWidget(lblDescription);
  layout->addSpacing(6);
  layout->addWidget(line1);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(cmdOK);
  layout->addLayout(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);
}

}  // namespace tolvi
