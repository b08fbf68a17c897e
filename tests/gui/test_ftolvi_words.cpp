// The main window for keyboard and screen-reader users, and in every language: each control
// has its own name and a description, Enter solves each row, and the language menu changes the
// window's texts, its messages and Qt's own buttons. Runs offscreen.
#include <QAbstractScrollArea>
#include <QChart>
#include <QChartView>
#include <memory>
#include <string>

#include "gui/dhoja.h"
#include "gui/ftolvi.h"
#include "gui/language.h"
#include "gui_test.h"
#include "window_fixture.h"
#include "solvers/recording_services.h"
#include "texts/catalogue.h"

using namespace tolvi;
using namespace tolvi::test;

// The inner surface of a scrolling view (a chart's, a list's): the view speaks for it.
static bool IsViewport(const QWidget* w) {
  const auto* area = qobject_cast<const QAbstractScrollArea*>(w->parentWidget());
  return area && area->viewport() == w;
}

class TestFTolviWords : public QObject, WindowFixture {
  Q_OBJECT

 private:
  void type(const QString& name, const QString& text) {
    get<QLineEdit>(name)->setFocus();
    QTest::keyClicks(get(name), text);
  }
  void enter(const QString& name) { QTest::keyClick(get(name), Qt::Key_Return); }

  // Every text the window shows of its own: labels, frames, menus and entries, tooltips.
  QStringList texts() {
    QStringList all = {w_->windowTitle()};
    for (auto* l : w_->findChildren<QLabel*>()) all << l->text();
    for (auto* b : w_->findChildren<QGroupBox*>()) all << b->title();
    for (auto* m : w_->findChildren<QMenu*>()) all << m->title();
    for (auto* a : w_->findChildren<QAction*>()) all << a->text();
    for (auto* w : w_->findChildren<QWidget*>()) all << w->toolTip() << w->accessibleName();
    return all;
  }

  // Qt's Yes button, as a question box shows it.
  static QString yes() {
    QMessageBox box;
    box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
    return box.button(QMessageBox::Yes)->text();
  }

 private slots:
  void initTestCase() { QLocale::setDefault(QLocale::c()); }
  void init() { openWindow(); }
  void cleanup() {
    w_->setLanguage(kSpanish);
    w_.reset();
  }

  // Every control a person can reach has a name of its own and a description, in each
  // language; the picture and Ok buttons say what they do in a tooltip.
  void everyControlHasItsOwnName() {
    for (size_t i = 0; i < NombreIdiomes(); ++i) {
      const Language idioma = LanguageAt(i);
      w_->setLanguage(idioma);
      QHash<QString, QString> seen;
      int controls = 0;
      for (QWidget* c : w_->findChildren<QWidget*>()) {
        // The currency list's editor is part of the list, and says the list's name.
        if (c->window() != w_.get() || qobject_cast<QMenu*>(c) || qobject_cast<QMenuBar*>(c) ||
            qobject_cast<QComboBox*>(c->parentWidget()) || qobject_cast<QMenuBar*>(c->parentWidget()) ||
            qobject_cast<QScrollBar*>(c) || IsViewport(c) || c->isHidden() ||
            (c->focusPolicy() == Qt::NoFocus && !qobject_cast<QAbstractButton*>(c)))
          continue;
        ++controls;
        const QString name = c->accessibleName();
        const QString what = c->objectName() + QStringLiteral(" / ") + name;
        QVERIFY2(!name.trimmed().isEmpty(), qPrintable(what));
        QVERIFY2(!c->accessibleDescription().isEmpty(), qPrintable(what));
        QVERIFY2(!seen.contains(name) || seen[name] == c->objectName(),
                 qPrintable(what + QStringLiteral(" also ") + seen[name]));
        seen[name] = c->objectName();
        if (qobject_cast<QAbstractButton*>(c)) QVERIFY2(!c->toolTip().isEmpty(), qPrintable(what));
      }
      QVERIFY(controls >= 75);
    }
    // Labels name their fields.
    QCOMPARE(get<QLabel>("Label58(5)")->buddy(), get(ctl::IdA));
  }

  // Enter in a field solves its row, as the row's Ok button does.
  void enterSolvesEachRow() {
    const struct {
      int key;
      QStringList fields, values;
    } rows[] = {
        {0, {N(ctl::Id(0)), N(ctl::Id(1)), N(ctl::Id(2))}, {"3", "2", "10"}},
        {1, {ctl::IdK, ctl::IdA, ctl::IdB}, {"3", "2", "10"}},
        {2, {N(ctl::Idg(0)), N(ctl::Idg(1)), N(ctl::Idg(2))}, {"2", "3", "5"}},
        {3, {ctl::IdKg, ctl::IdAg, ctl::IdBg}, {"3", "2", "32"}},
        {4, {N(ctl::IdI(0)), N(ctl::IdI(1)), N(ctl::IdI(2))}, {"1000", "5", "3"}},
        {5, {N(ctl::IdI(4)), N(ctl::IdI(5)), N(ctl::IdI(6))}, {"1000", "5", "3"}},
        {6, {N(ctl::IdI(8)), N(ctl::IdI(9)), N(ctl::IdI(10))}, {"10000", "5", "10"}},
        {7, {N(ctl::IdI(12)), N(ctl::IdI(13)), N(ctl::IdI(14))}, {"10000", "5", "10"}},
    };
    for (const auto& r : rows) {
      for (int i = 0; i < 3; ++i) type(r.fields[i], r.values[i]);
      const QString save = N(ctl::BtGuard(r.key));
      QVERIFY2(!get(save)->isEnabled(), qPrintable(save));
      enter(r.fields[0]);
      QVERIFY2(get(save)->isEnabled(), qPrintable(save));
    }
    QVERIFY(ui_->messages.empty());
    QCOMPARE(get<QLineEdit>(N(ctl::Id(3)))->text(), QStringLiteral("21"));
    // Ctrl+S saves every solved problem: the file dialog is asked for one file.
    w_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(w_.get()));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(ui_->fileRequests.size(), size_t{1});
    QCOMPARE(get<QAction>(ctl::OpSurt)->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Q));
    // A found value longer than its field shows whole when the field takes the focus.
    type(N(ctl::IdI(0)), "1000,123456789123");
    enter(N(ctl::IdI(0)));
    const QString whole = get<QLineEdit>(N(ctl::IdI(3)))->text();
    QVERIFY(get(N(ctl::IdI(3)))->fontMetrics().horizontalAdvance(whole) > get(N(ctl::IdI(3)))->width() - 8);
    get(N(ctl::IdI(3)))->setFocus();
    QTRY_COMPARE(QToolTip::text(), whole);
  }

  // Until three of its quantities are typed, Enter walks through the geometric row.
  void geometricRowWalksUntilComplete() {
    type(N(ctl::Idg(0)), "2");
    enter(N(ctl::Idg(0)));
    QCOMPARE(QApplication::focusWidget(), get(N(ctl::Idg(1))));
    type(N(ctl::Idg(1)), "0,5");
    enter(N(ctl::Idg(1)));
    QVERIFY(get(N(ctl::Idg(5)))->isVisible());  // the infinite sum is offered
    QVERIFY(!get(N(ctl::BtGuard(2)))->isEnabled());
    QVERIFY(ui_->messages.empty());
  }

  // The language menu: the window's texts, the messages and Qt's buttons change; the choice
  // is kept in Lng.txt; back in Spanish every text is as it was.
  void languageMenuChangesEverything() {
    QVERIFY2(QFile::exists(QtTranslationsFolder() + QStringLiteral("/qtbase_es.qm")),
             "Qt's translations are missing: install qt6-translations-l10n");
    const QStringList spanish = texts();
    QCOMPARE(yes(), QStringLiteral("&S\u00ed"));
    get<QAction>("OpIdioma(0)")->trigger();
    QCOMPARE(w_->windowTitle(), QStringLiteral("Progressions - Interest - Tolvi"));
    QCOMPARE(get<QMenu>("Arxiu")->title(), QStringLiteral("&File"));
    QCOMPARE(get<QMenu>(ctl::Idiomes)->title(), QStringLiteral("&Language"));
    QCOMPARE(get<QAction>(ctl::OpSurt)->text(), QStringLiteral("&Quit"));
    QCOMPARE(get(N(ctl::BtOk(4)))->accessibleName(), QStringLiteral("Solve the simple interest"));
    QVERIFY(get<QLabel>("EtCuadro")->text().startsWith(QStringLiteral("The period table")));
    QCOMPARE(yes(), QStringLiteral("&Yes"));
    QCOMPARE(ReadAll(dir_->filePath(QStringLiteral("Lng.txt"))), std::string("eng\r\n"));
    type(N(ctl::Id(0)), "5/0");
    get<QAbstractButton>(N(ctl::BtOk(0)))->click();
    QCOMPARE(ui_->messages.size(), size_t{1});
    QCOMPARE(QString::fromStdString(ui_->messages[0].text), QStringLiteral("a\u2081: Division by zero\r\n3 values are needed"));

    get<QAction>("OpIdioma(1)")->trigger();
    QCOMPARE(get<QGroupBox>(ctl::PInteresComercial)->title(), QStringLiteral("         Inter\u00e8s  "));
    get<QAbstractButton>(N(ctl::BtOk(0)))->click();
    QCOMPARE(QString::fromStdString(ui_->messages.back().text), QStringLiteral("a\u2081: Divisi\u00f3 per zero\r\nCalen 3 dades"));
    QCOMPARE(yes(), QStringLiteral("&S\u00ed"));
    QVERIFY(texts() != spanish);

    get<QAction>("OpIdioma(2)")->trigger();
    QCOMPARE(texts(), spanish);
    QCOMPARE(ReadAll(dir_->filePath(QStringLiteral("Lng.txt"))), std::string("esp\r\n"));

    // A solved amortisation's working and chart, and the open worksheet builder, follow too.
    type(N(ctl::IdI(12)), "10000");
    type(N(ctl::IdI(13)), "5");
    type(N(ctl::IdI(14)), "10");
    enter(N(ctl::IdI(12)));
    get<QAction>("OpHoja")->trigger();
    const QChart* chart = get<QChartView>("IdGrafic")->chart();
    auto pane = [&] {
      return QStringList{
          get<QTextBrowser>("IdPassos")->toPlainText().section(QLatin1Char('\n'), 0, 0),
          chart->series().first()->name(), chart->axes(Qt::Horizontal).first()->titleText(),
          w_->findChild<DHoja*>()->windowTitle(), get<QAbstractButton>("BtVista")->text()};
    };
    const QStringList before = pane();
    QCOMPARE(before.first(), QStringLiteral("Amortizaci\u00f3n"));
    get<QAction>("OpIdioma(0)")->trigger();
    QCOMPARE(pane(), (QStringList{"Amortisation", "outstanding capital", "period", "Worksheet",
                                  "Pre&view"}));
    get<QAction>("OpIdioma(2)")->trigger();
    QCOMPARE(pane(), before);
  }
};

QTEST_MAIN(TestFTolviWords)
#include "test_ftolvi_words.moc"
