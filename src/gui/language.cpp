#include "gui/language.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace tolvi {

QString QtTranslationsFolder() { return QLibraryInfo::path(QLibraryInfo::TranslationsPath); }

bool InstallQtTranslations(std::string_view code) {
  // One translator for the whole program, owned by the application object.
  static QTranslator* installed = nullptr;
  if (installed) {
    QCoreApplication::removeTranslator(installed);
    delete installed;
    installed = nullptr;
  }
  if (code == "en") return true;
  auto* translator = new QTranslator(QCoreApplication::instance());
  const QString name = QStringLiteral("qtbase_") +
                       QString::fromUtf8(code.data(), static_cast<qsizetype>(code.size()));
  if (!translator->load(name, QtTranslationsFolder())) {
    delete translator;
    return false;
  }
  QCoreApplication::installTranslator(translator);
  installed = translator;
  return true;
}

}  // namespace tolvi
