// The option chooser clicked and typed into as a person would, offscreen.
#include <QListWidget>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include "gui/ftria.h"

using namespace tolvi;

namespace {

enum Action { ClickOk, DoubleClick, EnterKey, EscKey, ClickEsc, CloseWindow };

QListWidget* List(QWidget* chooser) { return chooser->findChild<QListWidget*>("LstOps"); }
QPushButton* Button(QWidget* chooser, const char* name) {
  return chooser->findChild<QPushButton*>(QLatin1String(name));
}

QStringList Items(QWidget* chooser) {
  QStringList items;
  for (int i = 0; i < List(chooser)->count(); ++i) items << List(chooser)->item(i)->text();
  return items;
}

void ClickRow(QWidget* chooser, int row) {
  QListWidget* list = List(chooser);
  const QRect r = list->visualItemRect(list->item(row));
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, r.center());
}

}  // namespace

class TestFTria : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { QLocale::setDefault(QLocale::c()); }

  void optionsAreSplitAtSemicolons_data() {
    QTest::addColumn<QString>("options");
    QTest::addColumn<QStringList>("items");
    QTest::newRow("r=0.5;r=2") << "r=0.5;r=2" << QStringList{"r=0.5", "r=2"};
    QTest::newRow("a;b;") << "a;b;" << QStringList{"a", "b", ""};
    QTest::newRow("a;;b") << "a;;b" << QStringList{"a", "", "b"};
    QTest::newRow(";") << ";" << QStringList{"", ""};
    QTest::newRow("empty") << "" << QStringList{""};
    QTest::newRow("r=1/3") << "r=1/3" << QStringList{"r=1/3"};
  }
  void optionsAreSplitAtSemicolons() {
    QFETCH(QString, options);
    QFETCH(QStringList, items);
    FTria chooser;
    chooser.posaOpcions("old;items;here");
    chooser.posaOpcions(options);
    QCOMPARE(Items(&chooser), items);
  }

  void designCaptions() {
    FTria chooser;
    QCOMPARE(chooser.objectName(), QStringLiteral("FTria"));
    QCOMPARE(chooser.windowTitle(), QStringLiteral("Options"));
    QCOMPARE(Button(&chooser, "BtOk")->text(), QStringLiteral("Ok"));
    QCOMPARE(Button(&chooser, "BtEsc")->text(), QStringLiteral("Esc"));
    QVERIFY(List(&chooser));
  }

  // What each way of leaving the chooser gives, with the options r=0.5;r=2.
  void leavingTheChooser_data() {
    QTest::addColumn<int>("selected");  // the row clicked first, -1 for none
    QTest::addColumn<int>("action");
    QTest::addColumn<int>("expected");
    QTest::newRow("second, Ok") << 1 << int(ClickOk) << 2;
    QTest::newRow("first, Ok") << 0 << int(ClickOk) << 1;
    QTest::newRow("none, Ok") << -1 << int(ClickOk) << 0;
    QTest::newRow("double click on the second") << 1 << int(DoubleClick) << 2;
    QTest::newRow("double click on the first") << 0 << int(DoubleClick) << 1;
    QTest::newRow("second, Enter") << 1 << int(EnterKey) << 2;
    QTest::newRow("second, Esc key") << 1 << int(EscKey) << 0;
    QTest::newRow("second, Esc button") << 1 << int(ClickEsc) << 0;
    QTest::newRow("second, window closed") << 1 << int(CloseWindow) << 0;
  }
  void leavingTheChooser() {
    QFETCH(int, selected);
    QFETCH(int, action);
    QFETCH(int, expected);
    FTria chooser;
    chooser.posaOpcions("r=0.5;r=2");
    chooser.show();
    QVERIFY(QTest::qWaitForWindowExposed(&chooser));
    QCOMPARE(chooser.opcio(), 0);
    QListWidget* list = List(&chooser);
    if (selected >= 0) ClickRow(&chooser, selected);
    switch (action) {
      case ClickOk: QTest::mouseClick(Button(&chooser, "BtOk"), Qt::LeftButton); break;
      case DoubleClick: {
        const QRect r = list->visualItemRect(list->item(selected));
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, r.center());
        break;
      }
      case EnterKey: QTest::keyClick(list, Qt::Key_Return); break;
      case EscKey: QTest::keyClick(list, Qt::Key_Escape); break;
      case ClickEsc: QTest::mouseClick(Button(&chooser, "BtEsc"), Qt::LeftButton); break;
      case CloseWindow: chooser.close(); break;
    }
    QVERIFY(!chooser.isVisible());
    QCOMPARE(chooser.opcio(), expected);
  }

  // The modal entry point: the caption as given, or the designer's when none is given.
  void triaOpcioShowsTheCaptionAndReturnsTheChoice_data() {
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("title");
    QTest::addColumn<int>("row");
    QTest::newRow("hay 2 soluciones") << "hay 2 soluciones" << "hay 2 soluciones" << 1;
    QTest::newRow("empty caption") << "" << "Options" << 0;
    QTest::newRow("Tria l'opció:, Esc") << "Tria l'opció:" << "Tria l'opció:" << -1;
  }
  void triaOpcioShowsTheCaptionAndReturnsTheChoice() {
    QFETCH(QString, caption);
    QFETCH(QString, title);
    QFETCH(int, row);
    QString seenTitle;
    QStringList seenItems;
    QTimer::singleShot(0, this, [&] {
      QWidget* chooser = QApplication::activeModalWidget();
      if (!chooser || chooser->objectName() != QLatin1String("FTria")) return;
      seenTitle = chooser->windowTitle();
      seenItems = Items(chooser);
      if (row < 0) {
        QTest::keyClick(List(chooser), Qt::Key_Escape);
        return;
      }
      ClickRow(chooser, row);
      QTest::mouseClick(Button(chooser, "BtOk"), Qt::LeftButton);
    });
    const int chosen = FTria::TriaOpcio(nullptr, caption, QStringLiteral("r=1/3;r=2/3"));
    QCOMPARE(seenTitle, title);
    QCOMPARE(seenItems, (QStringList{"r=1/3", "r=2/3"}));
    QCOMPARE(chosen, row + 1);
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
    QVERIFY(chooser.height() < 600);
    list->scrollToItem(list->item(39));
    ClickRow(&chooser, 39);
    QTest::mouseClick(Button(&chooser, "BtOk"), Qt::LeftButton);
    QCOMPARE(chooser.opcio(), 40);
  }
};

QTEST_MAIN(TestFTria)
#include "test_ftria.moc"
