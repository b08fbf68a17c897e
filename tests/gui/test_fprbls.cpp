// The problem viewer on screen: its captions by language, the texts shown, and the two boxes
// sharing the window as it grows. Its save is driven from a solved panel in test_qt_services.
#include "gui/fprbls.h"

#include <QCheckBox>
#include <QPlainTextEdit>
#include "gui_test.h"
#include "texts/catalogue.h"

using namespace tolvi;
using namespace tolvi::test;

class TestFPrbls : public QObject {
  Q_OBJECT

 private:
  template <class T>
  static T* child(const char* name) { return Child<T>(FPrbls::instance(), name); }

 private slots:
  void initTestCase() { QLocale::setDefault(QLocale::c()); }
  void cleanup() { FPrbls::release(); }

  void labelsFollowTheLanguage() {
    FPrbls::instance()->mostra("Problema", {"a1 = 2\r\nCalcula: a5", "a5 = 14"}, kEnglish);
    QCOMPARE(child<QLabel>("EtEn")->text(), QStringLiteral("Exercise"));
    QCOMPARE(child<QLabel>("EtResp")->text(), QStringLiteral("Answer"));
    QCOMPARE(FPrbls::instance()->windowTitle(), QStringLiteral("Problema"));
    QCOMPARE(child<QPlainTextEdit>("IdEn")->toPlainText(), QStringLiteral("a1 = 2\nCalcula: a5"));
    QCOMPARE(child<QPlainTextEdit>("IdResp")->toPlainText(), QStringLiteral("a5 = 14"));
    QCOMPARE(child<QPushButton>("BtG")->text(), QStringLiteral(" Guardar "));
  }

  // A taller window lowers the answer by half the difference and grows each box by half;
  // at the smallest size each box still shows two lines.
  // "con pasos" writes the working under the answer and takes it away while unedited; a
  // problem without working does not offer it.
  void stepsUnderTheAnswer() {
    FPrbls* viewer = FPrbls::instance();
    viewer->setSteps("\r\nSoluci\u00F3n paso a paso:\r\nDiferencia: d = 2");
    viewer->mostra("Problema", {"a1 = 2", "d = 2"}, kSpanish);
    auto* choice = child<QCheckBox>("ChPassos");
    auto* answer = child<QPlainTextEdit>("IdResp");
    QVERIFY(choice->isVisible() && !choice->isChecked());
    choice->setChecked(true);
    QCOMPARE(answer->toPlainText(), QStringLiteral("d = 2\nSoluci\u00F3n paso a paso:\nDiferencia: d = 2"));
    choice->setChecked(false);
    QCOMPARE(answer->toPlainText(), QStringLiteral("d = 2"));
    choice->setChecked(true);
    answer->appendPlainText(QStringLiteral("mine"));
    choice->setChecked(false);
    QVERIFY(answer->toPlainText().endsWith(QStringLiteral("mine")));
    viewer->setSteps("");
    viewer->mostra("Problema", {"a1 = 2", "d = 2"}, kSpanish);
    QVERIFY(!choice->isVisible());
  }

  void bothBoxesGrowEquallyWithTheWindow() {
    FPrbls* viewer = FPrbls::instance();
    viewer->mostra("Problema", {"E", "R"}, kSpanish);
    QVERIFY(QTest::qWaitForWindowExposed(viewer));
    auto* en = child<QPlainTextEdit>("IdEn");
    auto* resp = child<QPlainTextEdit>("IdResp");
    auto* etResp = child<QLabel>("EtResp");
    QTRY_COMPARE(en->height(), resp->height());
    const int h0 = resp->height(), w0 = resp->width(), labelTop = etResp->y(), enTop = en->y();

    viewer->resize(viewer->width() + 67, viewer->height() + 40);
    QTRY_COMPARE(resp->height(), h0 + 20);
    QCOMPARE(en->height(), h0 + 20);
    QCOMPARE(etResp->y(), labelTop + 20);
    QCOMPARE(en->y(), enTop);
    QCOMPARE(resp->width(), w0 + 67);
    QCOMPARE(en->width(), w0 + 67);

    viewer->resize(1, 1);
    QTRY_VERIFY(en->height() < h0);
    for (QPlainTextEdit* box : {en, resp})
      QVERIFY(box->viewport()->height() >= 2 * box->fontMetrics().lineSpacing());
  }
};

QTEST_MAIN(TestFPrbls)
#include "test_fprbls.moc"
