// The option chooser clicked and typed into as a person would, offscreen.
#include "gui/ftria.h"
#include "gui/qt_services.h"
#include "gui_test.h"

using namespace tolvi;
using namespace tolvi::test;

namespace {

enum Action { ClickOk, DoubleClick, EnterKey, EscKey, ClickEsc, CloseWindow };

QListWidget* List(QWidget* chooser) { return Child<QListWidget>(chooser, "LstOps"); }

}  // namespace

class TestFTria : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { QLocale::setDefault(QLocale::c()); }

  // The modal chooser as the services show it: the options split at every ";" (the text
  // after the last one is always an item), the caption as given (accents kept) or the
  // designer's "Options", the buttons' captions, and what each way of leaving it gives.
  // The person only clicks or presses keys: a row clicked first, then the way out.
  void leavingTheChooser_data() {
    QTest::addColumn<QString>("options");
    QTest::addColumn<QStringList>("items");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<int>("selected");  // the row clicked first, -1 for none
    QTest::addColumn<int>("action");
    QTest::addColumn<int>("expected");
    const QString r = "r=0.5;r=2";
    const QStringList rs = {"r=0.5", "r=2"};
    QTest::newRow("second, Ok") << r << rs << "hay 2 soluciones" << 1 << +ClickOk << 2;
    // The chooser opens on its first option: Ok or Enter at once take it.
    QTest::newRow("a;b;, Ok at once") << "a;b;" << QStringList{"a", "b", ""} << "" << -1 << +ClickOk << 1;
    QTest::newRow("Enter at once") << r << rs << "" << -1 << +EnterKey << 1;
    QTest::newRow("a;;b, double click on the second")
        << "a;;b" << QStringList{"a", "", "b"} << "Elegir opción:" << 1 << +DoubleClick << 2;
    QTest::newRow(";, second, Enter") << ";" << QStringList{"", ""} << "" << 1 << +EnterKey << 2;
    QTest::newRow("empty, first, Esc key") << "" << QStringList{""} << "" << 0 << +EscKey << 0;
    QTest::newRow("second, Esc button") << r << rs << "" << 1 << +ClickEsc << 0;
    QTest::newRow("second, window closed") << r << rs << "" << 1 << +CloseWindow << 0;
  }
  void leavingTheChooser() {
    QFETCH(QString, options);
    QFETCH(QString, caption);
    QFETCH(int, selected);
    QFETCH(int, action);
    QString title;
    QStringList items, buttons;
    ModalScript script;
    script.then([&](QWidget* chooser) {
      title = chooser->windowTitle();
      buttons << Child<QPushButton>(chooser, "BtOk")->text()
              << Child<QPushButton>(chooser, "BtEsc")->text();
      QListWidget* list = List(chooser);
      items = Items(list);
      if (selected >= 0) ClickRow(list, selected);
      switch (action) {
        case ClickOk: return Click(chooser, "BtOk");
        case DoubleClick:
          return QTest::mouseDClick(list->viewport(), Qt::LeftButton, {},
                                    list->visualItemRect(list->item(selected)).center());
        case EnterKey: {
          QWidget* typed = QApplication::focusWidget();
          return QTest::keyClick(typed ? typed : list, Qt::Key_Return);
        }
        case EscKey: return QTest::keyClick(list, Qt::Key_Escape);
        case ClickEsc: return Click(chooser, "BtEsc");
        default: chooser->close();
      }
    });
    QtServices ui;
    const int chosen = ui.chooseOption(caption.toStdString(), options.toStdString());
    QCOMPARE(script.problems(), QStringList());
    QCOMPARE(title, caption.isEmpty() ? QStringLiteral("Options") : caption);
    QTEST(items, "items");
    QCOMPARE(buttons, (QStringList{"Ok", "Esc"}));
    QTEST(chosen, "expected");
  }

  // Every option can be read whole, however long, and a long list scrolls within the screen.
  void longOptionsFitAndLongListsScroll() {
    FTria chooser;
    const QString wide = QStringLiteral("r=0.12345678 (a1=123456.789, S=98765.4321)");
    chooser.posaOpcions(wide + QStringLiteral(";r=2"));
    chooser.show();
    QVERIFY(QTest::qWaitForWindowExposed(&chooser));
    QListWidget* list = List(&chooser);
    QVERIFY(list->viewport()->width() >= list->fontMetrics().horizontalAdvance(wide));
    QVERIFY(list->viewport()->height() >= 2 * list->sizeHintForRow(0));

    QStringList many;
    for (int i = 1; i <= 40; ++i) many << QStringLiteral("r=%1").arg(i);
    chooser.posaOpcions(many.join(QLatin1Char(';')));
    QTest::qWait(20);
    QCOMPARE(list->count(), 40);  // the new options replace the old ones
    QVERIFY(chooser.height() < 600);
    list->scrollToItem(list->item(39));
    ClickRow(list, 39);
    Click(&chooser, "BtOk");
    QCOMPARE(chooser.opcio(), 40);
  }
};

QTEST_MAIN(TestFTria)
#include "test_ftria.moc"
