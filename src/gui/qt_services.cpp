#include "gui/qt_services.h"

#include <QApplication>
#include <QCheckBox>
#include <QDesktopServices>
#include <QDir>
#include <QMessageBox>
#include <QProcess>
#include <QUrl>

#include "app/documents_flow.h"
#include "gui/dftxs.h"
#include "gui/fprbls.h"
#include "gui/ftria.h"

namespace tolvi {

namespace {

QString Q(std::string_view s) {
  return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

}  // namespace

QString ShownText(std::string_view text) {
  QString t = Q(text);
  t.replace(QLatin1String("\r\n"), QLatin1String("\n"));
  t.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  return t;
}

QtServices::QtServices(QWidget* parent)
    : parent_(parent), self_(std::make_shared<QtServices*>(this)) {}

QtServices::~QtServices() = default;

Language QtServices::idioma() const { return state_ ? state_->Idioma : kSpanish; }

std::string QtServices::docsFolder() const {
  if (state_ && !state_->DocsFolder.empty()) return state_->DocsFolder;
  return QDir::currentPath().toStdString();
}

QWidget* QtServices::owner() const {
  if (QWidget* active = QApplication::activeWindow()) return active;
  return parent_;
}

void QtServices::message(std::string_view text, std::string_view title, Icon icon) {
  QMessageBox box(icon == Icon::Exclamation ? QMessageBox::Warning : QMessageBox::NoIcon,
                  ShownText(title), ShownText(text), QMessageBox::Ok, owner());
  box.exec();
}

bool QtServices::askYesNo(std::string_view text, std::string_view title) {
  QMessageBox box(QMessageBox::NoIcon, ShownText(title), ShownText(text),
                  QMessageBox::Yes | QMessageBox::No, owner());
  return box.exec() == QMessageBox::Yes;
}

bool QtServices::askYesNoOptOut(std::string_view text, std::string_view title,
                                std::string_view optOut, bool& ticked) {
  QMessageBox box(QMessageBox::NoIcon, ShownText(title), ShownText(text),
                  QMessageBox::Yes | QMessageBox::No, owner());
  auto* check = new QCheckBox(ShownText(optOut));
  check->setObjectName(QStringLiteral("NoPreguntar"));
  box.setCheckBox(check);
  const bool yes = box.exec() == QMessageBox::Yes;
  ticked = check->isChecked();
  return yes;
}

int QtServices::chooseOption(std::string_view caption, std::string_view options) {
  return FTria::TriaOpcio(owner(), ShownText(caption), Q(options));
}

std::string QtServices::chooseFile(DialogMode mode, std::string folder, std::string_view filter) {
  DFtxs::Hooks hooks;
  hooks.message = [this](std::string_view text, std::string_view title) {
    message(text, title, Icon::None);
  };
  hooks.askYesNo = [this](std::string_view text, std::string_view title) {
    return askYesNo(text, title);
  };
  hooks.startProgram = [this](const Command& command, WindowStyle style) {
    return startProgram(command, style);
  };
  return DFtxs::DlgFtx(owner(), mode, folder, filter, idioma(), std::move(hooks));
}

void QtServices::showProblem(std::string_view caption, const Prob& prob) {
  FPrbls* viewer = FPrbls::instance(parent_);
  // The viewer may outlive this object (it is shared by the whole program): its save then
  // does nothing rather than reach a services object that is gone.
  viewer->setSaveHandler([self = std::weak_ptr<QtServices*>(self_)](const Prob& edited) {
    if (const auto alive = self.lock()) {
      QtServices& ui = **alive;
      if (GuardaPrb(ui, edited, ui.idioma(), ui.docsFolder()) && ui.problemSaved_)
        ui.problemSaved_();
    }
  });
  // A panel's problem can be shown with its working under the answer ("con pasos").
  std::string steps;
  if (state_ && state_->viewerKey >= 0 && state_->viewerKey <= 7 &&
      state_->Probs[static_cast<size_t>(state_->viewerKey)].Resp == prob.Resp)
    steps = AnswerWithSteps("", state_->Solutions[static_cast<size_t>(state_->viewerKey)]);
  viewer->setSteps(steps);
  viewer->mostra(caption, prob, idioma());
}

bool QtServices::startProgram(const Command& command, WindowStyle) {
  QStringList args;
  for (const std::string& a : command.args) args << QString::fromStdString(a);
  return QProcess::startDetached(QString::fromStdString(command.program), args,
                                 QString::fromStdString(command.dir));
}

bool QtServices::openDocument(const std::string& path) {
  return QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(path)));
}

}  // namespace tolvi
