#include "gui/fprbls.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyle>
#include <QTextDocument>
#include <QToolButton>
#include <QVBoxLayout>
#include <array>

#include "app/file_messages.h"
#include "gui/print_actions.h"
#include "texts/catalogue.h"

namespace tolvi {
namespace {

// The designer's measures are in twips; a pixel is 15 twips on a 96-dpi screen.
constexpr int Px(int twips) { return twips / 15; }

QString FromProgram(std::string_view text) {
  QString t = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
  t.replace(QLatin1String("\r\n"), QLatin1String("\n"));
  return t;
}

std::string ToProgram(const QString& text) {
  QString t = text;
  t.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
  return t.toStdString();
}

}  // namespace

QPointer<FPrbls> FPrbls::instance_;

FPrbls* FPrbls::instance(QWidget* owner) {
  if (!instance_) {
    instance_ = new FPrbls(owner);
    if (!owner) {
      QObject::connect(qApp, &QCoreApplication::aboutToQuit, instance_, [] { release(); });
    }
  }
  return instance_;
}

void FPrbls::release() { delete instance_.data(); }

FPrbls::FPrbls(QWidget* owner) : QWidget(owner, Qt::Window) {
  setObjectName(QStringLiteral("FPrbls"));
  setWindowTitle(QStringLiteral("Problema"));

  etEn_ = new QLabel(QStringLiteral("Enunciat"), this);
  etEn_->setObjectName(QStringLiteral("EtEn"));
  idEn_ = new QPlainTextEdit(this);
  idEn_->setObjectName(QStringLiteral("IdEn"));
  etResp_ = new QLabel(QStringLiteral("Resposta"), this);
  etResp_->setObjectName(QStringLiteral("EtResp"));
  idResp_ = new QPlainTextEdit(this);
  idResp_->setObjectName(QStringLiteral("IdResp"));
  btG_ = new QPushButton(style()->standardIcon(QStyle::SP_DialogSaveButton),
                         QStringLiteral(" Guardar "), this);
  btG_->setObjectName(QStringLiteral("BtG"));
  btG_->setAutoDefault(false);
  chPassos_ = new QCheckBox(QStringLiteral("con pasos"), this);
  chPassos_->setObjectName(QStringLiteral("ChPassos"));
  chPassos_->setToolTip(QStringLiteral("Escribir la soluci\u00F3n paso a paso bajo la respuesta"));
  chPassos_->hide();

  // Both boxes take the same share of the height and the whole width, so a taller window
  // lowers the answer and its label by half the difference and grows each box by half.
  // At its smallest each box still shows two lines of text.
  const int least = 2 * fontMetrics().lineSpacing() + 2 * idEn_->frameWidth() +
                    2 * static_cast<int>(idEn_->document()->documentMargin());
  for (QPlainTextEdit* box : {idEn_, idResp_}) {
    box->setMinimumSize(Px(2000), least);
    box->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
  }
  auto* top = new QHBoxLayout;
  top->addWidget(etEn_, 0, Qt::AlignBottom);
  top->addStretch(1);
  top->addWidget(chPassos_);
  // Printing and PDF: this problem, or a saved problem file.
  auto* btImp = new QToolButton(this);
  btImp->setObjectName(QStringLiteral("BtImp"));
  btImp->setText(QStringLiteral(" Imprimir "));
  btImp->setPopupMode(QToolButton::InstantPopup);
  btImp->setMenu((new ProblemPrinting(this, [this] { return texts(); }))->menu());
  top->addWidget(btImp);
  top->addWidget(btG_);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(Px(345), Px(150), Px(345), Px(345));
  layout->addLayout(top);
  layout->addWidget(idEn_, 1);
  layout->addSpacing(Px(210));
  layout->addWidget(etResp_);
  layout->addWidget(idResp_, 1);
  resize(Px(7125), Px(4455));

  connect(btG_, &QPushButton::clicked, this, &FPrbls::save);
  connect(chPassos_, &QCheckBox::toggled, this, &FPrbls::withSteps);
}

void FPrbls::setSteps(std::string_view steps) { steps_ = FromProgram(steps); }

void FPrbls::withSteps(bool on) {
  const QString text = idResp_->toPlainText();
  if (on && !steps_.isEmpty() && !text.endsWith(steps_)) {
    idResp_->setPlainText(text + steps_);
  } else if (!on && text.endsWith(steps_)) {
    idResp_->setPlainText(text.left(text.size() - steps_.size()));
  }
}

void FPrbls::retranslate(Language idioma) {
  const Language i = IdiomaValid(idioma);
  etEn_->setText(QString::fromStdString(Tx("viewer.exercise", i)));
  etResp_->setText(QString::fromStdString(Tx("viewer.answer", i)));
  setWindowTitle(QString::fromStdString(Tx("viewer.window", i)));
  chPassos_->setText(QString::fromStdString(Tx("viewer.steps", i)));
  chPassos_->setToolTip(QString::fromStdString(Tx("viewer.steps.tip", i)));
  if (auto* print = findChild<QToolButton*>(QStringLiteral("BtImp")))
    print->setText(QString::fromStdString(Tx("print.button", i)));
  if (auto* printing = findChild<ProblemPrinting*>(QStringLiteral("ImpPrb")))
    printing->retranslate(i);
}

void FPrbls::mostra(std::string_view caption, const Prob& problem, Language idioma) {
  if (!isVisible()) retranslate(idioma);
  idEn_->setPlainText(FromProgram(problem.Enun));
  const QSignalBlocker quiet(chPassos_);
  chPassos_->setChecked(false);
  chPassos_->setVisible(!steps_.isEmpty());
  idResp_->setPlainText(FromProgram(problem.Resp));
  setWindowTitle(FromProgram(caption));
  show();
  raise();
  activateWindow();
}

Prob FPrbls::texts() const {
  return Prob{ToProgram(idEn_->toPlainText()), ToProgram(idResp_->toPlainText())};
}

void FPrbls::save() {
  if (onSave_) onSave_(texts());
}

}  // namespace tolvi
