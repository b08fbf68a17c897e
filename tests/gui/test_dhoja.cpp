// The worksheet builder on screen, driven as a teacher would: panels and counts chosen, a
// seed typed, every export made; the files hold the problems asked for, and the same seed
// gives what tolvi-cli gives. Also the problem viewer's PDF of a saved problem file.
#include "app/worksheet.h"
#include "documents/problem_file.h"
#include "gui/dhoja.h"
#include "gui/fprbls.h"
#include "gui_test.h"
#include "texts/catalogue.h"

using namespace tolvi;
using namespace tolvi::test;

class TestDHoja : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { QLocale::setDefault(QLocale::c()); }

  void buildsAndExportsTheSheetAskedFor() {
    QTemporaryDir dir;
    DHoja dialog("\u20AC");
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));

    // Arithmetic (checked at the start) three times, compound twice; a seed typed.
    Child<QSpinBox>(&dialog, "SpnCasos(0)")->setValue(3);
    Child<QCheckBox>(&dialog, "ChkPanell(5)")->click();
    Child<QSpinBox>(&dialog, "SpnCasos(5)")->setValue(2);
    auto* seed = Child<QLineEdit>(&dialog, "IdLlavor");
    seed->clear();
    QTest::keyClicks(seed, "31415");
    QTest::keyClicks(Child<QLineEdit>(&dialog, "IdTitol"), " 2");

    QStringList asked;
    QStringList answers = {dir.filePath("hoja.pdf"), dir.filePath("clave.pdf"),
                           dir.filePath("hoja.txt"), dir.filePath("hoja.xml")};
    dialog.setSaveChooser([&](QWidget*, const QString& caption, const QString&, const QString&) {
      asked << caption;
      return answers.isEmpty() ? QString() : answers.takeFirst();
    });
    Click(&dialog, "BtVista");
    Click(&dialog, "BtPdf");
    Click(&dialog, "BtText");
    Click(&dialog, "BtMoodle");
    QCOMPARE(asked.size(), 4);
    QVERIFY(ReadAll(dir.filePath("hoja.pdf")).starts_with("%PDF"));
    QVERIFY(ReadAll(dir.filePath("clave.pdf")).starts_with("%PDF"));

    const std::vector<Prob> problems = LlegeixPrbs(ReadAll(dir.filePath("hoja.txt")));
    WorksheetRequest same;
    same.panels = {0, 5};
    same.counts = {3, 2};
    same.seed = 31415;
    const Worksheet expected = ComposeWorksheet(same);
    QCOMPARE(problems, expected.problems());
    QCOMPARE(ReadAll(dir.filePath("hoja.xml")), MoodleXml(expected, "Hoja de ejercicios 2"));
    QVERIFY(Child<QLabel>(&dialog, "EtEstat")->text().contains(dir.filePath("hoja.xml")));

    // One PDF with the key after the sheet; the key is not asked for apart.
    asked.clear();
    answers = {dir.filePath("junta.pdf")};
    Child<QCheckBox>(&dialog, "ChkJunt")->click();
    Click(&dialog, "BtPdf");
    QCOMPARE(asked.size(), 1);
    QVERIFY(QFileInfo(dir.filePath("junta.pdf")).size() >
            QFileInfo(dir.filePath("hoja.pdf")).size());
  }

  // A file that cannot be written is told, naming it, and the builder stays as it was.
  void aFailedExportIsTold() {
    QTemporaryDir dir;
    DHoja dialog("\u20AC");
    const QString bad = dir.filePath("no/such/folder/hoja.txt");
    dialog.setSaveChooser(
        [&](QWidget*, const QString&, const QString&, const QString&) { return bad; });
    ModalScript script;
    QString told;
    script.then([&](QWidget* box) {
      told = static_cast<QMessageBox*>(box)->text();
      static_cast<QMessageBox*>(box)->accept();
    });
    QVERIFY(!dialog.exportText());
    QVERIFY2(told.contains(bad), qPrintable(told));
    QVERIFY(script.problems().isEmpty());
    QVERIFY(!QFileInfo::exists(bad));
  }

  // The viewer saves a problem file as a PDF of its problems, asking in the viewer's language.
  void theViewerSavesAProblemFileAsPdf() {
    QTemporaryDir dir;
    const QString file = dir.filePath("problemas.txt");
    const Prob problem{"a1 = 2\r\nCalcula: a5", "a5 = 14"};
    QVERIFY(AfegeixPrbs(file.toStdString(), {&problem, 1}));
    FPrbls viewer;
    viewer.mostra("", Prob{}, kEnglish);
    auto* printing = Child<ProblemPrinting>(&viewer, "ImpPrb");
    printing->setOpenChooser([&](QWidget*) { return file; });
    QString asked;
    printing->setSaveChooser([&](QWidget*, const QString& caption, const QString&, const QString&) {
      asked = caption;
      return dir.filePath("p.pdf");
    });
    QVERIFY(printing->pdfOfFile());
    QCOMPARE(asked, QStringLiteral("Save the problems as PDF"));
    QVERIFY(ReadAll(dir.filePath("p.pdf")).starts_with("%PDF"));
  }
};

QTEST_MAIN(TestDHoja)
#include "test_dhoja.moc"
