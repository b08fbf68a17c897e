// Info > Info and Info > Contacto on the real window and its Qt services: the documents that
// ship with the program are found in its data folder and handed to the system's viewer.
#include <QDesktopServices>

#include "app/info.h"
#include "gui/ftolvi.h"
#include "texts/catalogue.h"
#include "gui_test.h"

using namespace tolvi;
using namespace tolvi::test;

class TestInfo : public QObject {
  Q_OBJECT

 public slots:
  // Stands in for the system's viewer: every file the program asks to open comes here.
  void openUrl(const QUrl& url) { opened_ << url; }

 private:
  QList<QUrl> opened_;

 private slots:
  void initTestCase() {
    QLocale::setDefault(QLocale::c());
    QDesktopServices::setUrlHandler(QStringLiteral("file"), this, "openUrl");
  }
  void cleanupTestCase() { QDesktopServices::unsetUrlHandler(QStringLiteral("file")); }

  // In every language the window speaks, both pages open in that language: each catalogue's
  // pages ship beside the program.
  void helpAndContactOpenTheShippedDocuments() {
    QTemporaryDir settings;
    FTolvi w(settings.path().toStdString());
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    ModalScript script;  // nothing may be reported: any message box fails the test
    const QString shipped =
        QDir(QCoreApplication::applicationDirPath() + QStringLiteral("/../share/tolvi"))
            .absolutePath();
    for (size_t l = 0; l < NombreIdiomes(); ++l) {
      const Language idioma = LanguageAt(l);
      w.setLanguage(idioma);
      const std::string code = Catalogues()[l].code;
      opened_.clear();
      Child<QAction>(&w, ctl::OpInfo)->trigger();
      Child<QAction>(&w, ctl::OpWeb)->trigger();
      QCOMPARE(script.problems(), QStringList());
      QCOMPARE(opened_.size(), 2);
      const std::string_view pages[] = {kHelpFile, kContactFile};
      for (int i = 0; i < 2; ++i) {
        const QString path = opened_[i].toLocalFile();
        QCOMPARE(QFileInfo(path).fileName(),
                 QString::fromStdString(NomInfo(pages[i], idioma)));
        QCOMPARE(QFileInfo(path).absolutePath(), shipped);
        QVERIFY2(ReadAll(path).find("<html lang=\"" + code + "\">") != std::string::npos,
                 qPrintable(path));
      }
    }
    w.setLanguage(kSpanish);
  }

  void windowShowsTheProgramsIcon() {
    QTemporaryDir settings;
    FTolvi w(settings.path().toStdString());
    QCOMPARE(w.windowIcon().availableSizes().size(), 6);
  }
};

QTEST_MAIN(TestInfo)
#include "test_info.moc"
