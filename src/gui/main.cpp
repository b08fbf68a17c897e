// tolvi: the window. Where its files live is decided here (app/folders.h): the working folder
// of an old install, the folder given with --folder, or the user's configuration and
// documents folders.
#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QLocale>
#include <QStandardPaths>
#include <QTimer>
#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "app/folders.h"
#include "app/idiom.h"
#include "gui/ftolvi.h"
#include "gui/program_icon.h"
#include "texts/catalogue.h"

namespace {

bool Set(const char* name) {
  const char* v = std::getenv(name);
  return v && *v;
}

// Writes the whole text to a stream; false when it did not all get there.
bool Write(std::FILE* stream, const QString& text) {
  const QByteArray bytes = text.toUtf8();
  return std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stream) ==
             static_cast<size_t>(bytes.size()) &&
         std::fflush(stream) == 0;
}

// Standard output for --help and --version: a failed write is said and is a failure.
int Print(const QString& text) {
  if (Write(stdout, text)) return 0;
  std::fputs("tolvi: could not write to standard output\n", stderr);
  return 1;
}

int UsageError(const QString& text) {
  Write(stderr, QStringLiteral("tolvi: %1\nTry 'tolvi --help' for more information.\n").arg(text));
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication::setApplicationName(QStringLiteral("tolvi"));
  QCoreApplication::setApplicationVersion(QStringLiteral(TOLVI_VERSION));

  QCommandLineParser parser;
  parser.setApplicationDescription(QStringLiteral(
      "Tolvi: progressions, interest and annuities. Type three quantities of a case in one of\n"
      "the window's eight panels, press Ok, and Tolvi finds the rest and writes the exercise.\n"
      "tolvi-cli does the same without a window."));
  const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                QStringLiteral("Show this help and exit."));
  const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")},
                                   QStringLiteral("Show the version and exit."));
  const QCommandLineOption folder(
      QStringLiteral("folder"),
      QStringLiteral("Keep the settings files (NSmb.txt, Tools.rel, Lng.txt) and the problem "
                     "folder Prbls in DIR, made when missing. Without it: the working folder "
                     "when it holds them already, else ~/.config/tolvi and "
                     "~/Documents/Tolvi/Prbls."),
      QStringLiteral("DIR"));
  parser.addOption(help);
  parser.addOption(version);
  parser.addOption(folder);
  parser.addPositionalArgument(
      QStringLiteral("language"),
      QStringLiteral("Language of the window: cat (Catalan), esp (Spanish), anything else "
                     "English. Without it, the first item of Lng.txt decides (the Idioma menu "
                     "keeps the choice there); without both, Spanish."),
      QStringLiteral("[language]"));

  // --help and --version answer at once, with no display and no window. Qt's own options
  // (-platform, -style...) are not known to the parser yet, so its complaints wait.
  QStringList raw;
  for (int i = 0; i < argc; ++i) raw << QString::fromLocal8Bit(argv[i]);
  const bool parsed = parser.parse(raw);
  if (parser.isSet(help)) {
    // Without an application object the parser does not know the program's name yet.
    QString text = parser.helpText();
    text.replace(QStringLiteral("<executable_name>"), QStringLiteral("tolvi"));
    return Print(text);
  }
  if (parser.isSet(version)) return Print(QStringLiteral("tolvi %1\n").arg(TOLVI_VERSION));

  // Without a display Qt would stop with a long, obscure message: say what to do instead.
  if (!Set("DISPLAY") && !Set("WAYLAND_DISPLAY") && !Set("QT_QPA_PLATFORM") &&
      !raw.contains(QStringLiteral("-platform"))) {
    if (!parsed) return UsageError(parser.errorText());
    std::fputs(
        "tolvi: no display found; start the window with xvfb-run (xvfb-run tolvi), "
        "or use tolvi-cli for the same work without a window.\n",
        stderr);
    return 1;
  }
  QApplication app(argc, argv);
  QGuiApplication::setApplicationDisplayName(QStringLiteral("Tolvi"));
  QGuiApplication::setDesktopFileName(QStringLiteral("tolvi"));
  QApplication::setWindowIcon(tolvi::ProgramIcon());
  // Numbers never follow the system's locale: Qt's default locale is pinned, and the C
  // library's, which QApplication has just taken from the environment, is put back.
  QLocale::setDefault(QLocale::c());
  std::setlocale(LC_NUMERIC, "C");

  if (!parser.parse(QCoreApplication::arguments())) return UsageError(parser.errorText());

  tolvi::Places places;
  places.workdir = QDir::currentPath().toStdString();
  places.home = QDir::homePath().toStdString();
  places.config = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation).toStdString();
  places.documents =
      QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation).toStdString();
  const std::string chosen = parser.value(folder).toStdString();
  if (parser.isSet(folder) && chosen.empty())
    return UsageError(QStringLiteral("--folder needs a folder"));
  if (!chosen.empty() && tolvi::IsForbiddenFolder(chosen, places.home)) {
    return UsageError(QStringLiteral("Tolvi does not keep its files in %1: choose a folder "
                                     "inside it, such as %1/Tolvi")
                          .arg(parser.value(folder)));
  }
  const tolvi::Folders folders = tolvi::ChooseFolders(places, chosen);
  // Settings that earlier versions left in the home folder when started from a menu.
  if (folders.layout == tolvi::Layout::Standard &&
      tolvi::IsForbiddenFolder(places.workdir, places.home) &&
      tolvi::PrepareFolder(folders.settings))
    tolvi::AdoptSettings(places.home, folders.settings);

  tolvi::FTolvi window(folders);
  const std::string language = parser.positionalArguments().join(QLatin1Char(' ')).toStdString();
  window.setLanguageArguments(language);
  // The language word on the command line, else Lng.txt of the settings folder (where the
  // Idioma menu keeps the choice), else Spanish.
  bool noLanguageFile = false;
  window.setLanguage(
      tolvi::TriaIdioma(language, folders.settings, tolvi::kSpanish, noLanguageFile));
  window.show();
  // TOLVI_EXIT_WHEN_IDLE=1 ends the program as soon as the event loop first runs idle, so that
  // the cold start can be timed from outside; =close closes the window then instead, as a
  // user would, so that its close step runs too.
  if (Set("TOLVI_EXIT_WHEN_IDLE")) {
    const bool close = std::string(std::getenv("TOLVI_EXIT_WHEN_IDLE")) == "close";
    QTimer::singleShot(0, &app, [close, &window] {
      if (close)
        window.close();
      else
        QCoreApplication::exit(0);
    });
  }
  return app.exec();
}
