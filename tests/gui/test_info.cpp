// Info > Info and Info > Contacto on the real window and its Qt services: the documents that
// ship with the program are found in its data folder and handed to the system's viewer.
#include <QDesktopServices>

#include "gui/ftolvi.h"
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

  void helpAndContactOpenTheShippedDocuments() {
    QTemporaryDir settings;
    FTolvi w(settings.path().toStdString());
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    ModalScript script;  // nothing may be reported: any message box fails the test
    Child<QAction>(&w, ctl::OpInfo)->trigger();
    Child<QAction>(&w, ctl::OpWeb)->trigger();
    QCOMPARE(script.problems(), QStringList());
    QCOMPARE(opened_.size(), 2);
    const struct { QString name, heading; } expected[] = {
        {QStringLiteral("Tolvi.html"), QStringLiteral("<h1>Ayuda de Tolvi</h1>")},
        {QStringLiteral("kelmor.htm"), QStringLiteral("<h1>Contacto</h1>")}};
    for (int i = 0; i < 2; ++i) {
      const QString path = opened_[i].toLocalFile();
      QCOMPARE(QFileInfo(path).fileName(), expected[i].name);
      QCOMPARE(QFileInfo(path).absolutePath(),
               QDir(QCoreApplication::applicationDirPath() + QStringLiteral("/../share/tolvi"))
                   .absolutePath());
      QVERIFY(QString::fromStdString(ReadAll(path)).contains(expected[i].heading));
    }
  }

  void windowShowsTheProgramsIcon() {
    QTemporaryDir settings;
    FTolvi w(settings.path().toStdString());
    QCOMPARE(w.windowIcon().availableSizes().size(), 6);
  }
};

QTEST_MAIN(TestInfo)
#include "test_info.moc"
