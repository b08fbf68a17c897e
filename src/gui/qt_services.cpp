#include "gui/qt_services.h"

#include <QDesktopServices>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QProcess>
#include <QUrl>

namespace tolvi {

namespace {

QString Q(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

}  // namespace

QString ShownText(std::string_view text) {
  QString t = Q(text);
  t.replace(QLatin1String("\r\n"), QLatin1String("\n"));
  t.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  return t;
}

QStringList SplitOptions(std::string_view options) {
  return Q(options).split(QLatin1Char(';'), Qt::KeepEmptyParts);
}

QtServices::QtServices(QWidget* parent) : parent_(parent) {}

void QtServices::message(std::string_view text, std::string_view title, Icon icon) {
  QMessageBox box(icon == Icon::Exclamation ? QMessageBox::Warning : QMessageBox::NoIcon,
                  ShownText(title), ShownText(text), QMessageBox::Ok, parent_);
  box.exec();
}

bool QtServices::askYesNo(std::string_view text, std::string_view title) {
  QMessageBox box(QMessageBox::NoIcon, ShownText(title), ShownText(text),
                  QMessageBox::Yes | QMessageBox::No, parent_);
  return box.exec() == QMessageBox::Yes;
}

int QtServices::chooseOption(std::string_view caption, std::string_view options) {
  const QStringList items = SplitOptions(options);
  bool ok = false;
  const QString chosen =
      QInputDialog::getItem(parent_, ShownText(caption), ShownText(caption), items, 0, false, &ok);
  if (!ok) return 0;
  const int index = static_cast<int>(items.indexOf(chosen));
  return index < 0 ? 0 : index + 1;
}

std::string QtServices::chooseFile(int mode, std::string folder, std::string_view filter) {
  const QString dir = QString::fromStdString(folder);
  const QString f = Q(filter);
  const QString path = mode == 1 ? QFileDialog::getSaveFileName(parent_, QString(), dir, f)
                                 : QFileDialog::getOpenFileName(parent_, QString(), dir, f);
  return path.toStdString();
}

void QtServices::showProblem(std::string_view caption, const Prob& prob) {
  // Modeless: the window stays usable while the case is shown.
  auto* box = new QMessageBox(QMessageBox::NoIcon, ShownText(caption),
                              ShownText(prob.Enun) + QStringLiteral("\n\n") + ShownText(prob.Resp),
                              QMessageBox::Ok, parent_);
  box->setAttribute(Qt::WA_DeleteOnClose);
  box->setTextInteractionFlags(Qt::TextSelectableByMouse);
  box->setModal(false);
  box->show();
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
