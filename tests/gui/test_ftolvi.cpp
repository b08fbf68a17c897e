// The main window driven as a person would, offscreen: each kind of wiring between its controls
// and the headless controller once (the controller's rules are its own tests), and what only
// the window has: layout, looks, focus, the lower pane, accessibility, the language menu.
#include <QChart>
#include <QChartView>
#include <QLineSeries>
#include <QTableWidget>
#include <QTextBrowser>
#include <QTextTable>

#include "documents/textfile.h"
#include "gui/dhoja.h"
#include "gui/language.h"
#include "solvers/schedule.h"
#include "texts/catalogue.h"
#include "window_fixture.h"

using namespace tolvi;
using namespace tolvi::test;

namespace {

QStringList AllNames() {
  QStringList names;
  for (const std::string& name : ctl::All()) names << QString::fromStdString(name);
  return names;
}

// The inner surface of a scrolling view (a chart's, a list's): the view speaks for it.
bool IsViewport(const QWidget* w) {
  const auto* area = qobject_cast<const QAbstractScrollArea*>(w->parentWidget());
  return area && area->viewport() == w;
}

// The first quantity of each panel.
QString FirstField(int key) {
  const std::string fields[] = {ctl::Id(0),  ctl::IdK,    ctl::Idg(0), ctl::IdKg,
                                ctl::IdI(0), ctl::IdI(4), ctl::IdI(8), ctl::IdI(12)};
  return N(fields[key]);
}

}  // namespace

class TestFTolvi : public QObject, WindowFixture {
  Q_OBJECT

 private:
  void click(const QString& name) { Click(w_.get(), name); }
  bool enabled(const QString& name) { return get<QObject>(name)->property("enabled").toBool(); }
  QString text(const QString& name) { return get<QLineEdit>(name)->text(); }
  void type(const QString& name, const QString& t) { QTest::keyClicks(get(name), t); }
  void retype(const QString& name, const QString& t) {
    get<QLineEdit>(name)->selectAll();
    type(name, t);
  }
  void enter(const QString& name, Qt::Key key = Qt::Key_Return) { QTest::keyClick(get(name), key); }
  // The colours of the rules under the fractions' numerators in a frame and those inside it.
  static QSet<QRgb> RuleColours(QTextFrame* frame) {
    QSet<QRgb> colours;
    if (auto* table = qobject_cast<QTextTable*>(frame))
      for (int r = 0; r < table->rows(); ++r)
        for (int c = 0; c < table->columns(); ++c) {
          const QTextTableCellFormat f = table->cellAt(r, c).format().toTableCellFormat();
          if (f.bottomBorder() > 0) colours.insert(f.bottomBorderBrush().color().rgba());
        }
    for (QTextFrame* child : frame->childFrames()) colours.unite(RuleColours(child));
    return colours;
  }
  void solveArithmetic() {
    type(N(ctl::Id(0)), "3");
    type(N(ctl::Id(1)), "2");
    type(N(ctl::Id(2)), "10");
    click(N(ctl::BtOk(0)));
  }

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
  void initTestCase() {
    QLocale::setDefault(QLocale::c());
    // Every control the controller names must be one the window built.
    QTest::failOnWarning(QRegularExpression(QStringLiteral("no control named")));
  }
  void init() { openWindow(); }
  void cleanup() {
    w_->setLanguage(kSpanish);
    w_.reset();
  }

  // Every control is there once by its name. At the panels' natural size all eight panels
  // are on screen at once, no control squeezed below its least width; the window may shrink
  // far below that (the panels scroll).
  void allControlsOnScreenAtNaturalSize() {
    for (const char* ro : {ctl::Idd, ctl::IdTrms, ctl::IdR, ctl::IdTG, ctl::IdPG, ctl::IdPA})
      QVERIFY2(get<QLineEdit>(ro)->isReadOnly(), ro);
    auto* scroll = get<QScrollArea>("Panells");
    const QSize natural = scroll->widget()->sizeHint();
    w_->resize(natural.width() + 40, natural.height() + 120);
    QTest::qWait(20);
    QVERIFY(!scroll->verticalScrollBar()->isVisible() && !scroll->horizontalScrollBar()->isVisible());
    for (const QString& name : AllNames()) {
      QVERIFY2(w_->findChildren<QObject*>(name).size() == 1, qPrintable(name));
      auto* wd = w_->findChild<QWidget*>(name);
      if (!wd || qobject_cast<QMenu*>(wd) || wd->isHidden()) continue;  // hidden by design
      QVERIFY2(wd->isVisible(), qPrintable(name));
      QVERIFY2(w_->rect().contains(QRect(wd->mapTo(w_.get(), QPoint(0, 0)), wd->size())),
               qPrintable(name));
      const int least = wd->minimumWidth() > 0 ? wd->minimumWidth() : wd->minimumSizeHint().width();
      QVERIFY2(wd->width() >= least, qPrintable(name));
    }
    QVERIFY(w_->minimumSize().width() <= 640 && w_->minimumSizeHint().width() <= 640);
    QVERIFY(w_->minimumSize().height() <= 480 && w_->minimumSizeHint().height() <= 480);
  }

  // Each panel's buttons reach that panel: Generate solves it (its Save is offered, no other
  // panel's), Save shows its record, the user's typing withdraws its Save, Ok solves it again,
  // reset withdraws it; "&Guardar todo" goes with the last.
  void eachPanelsButtonsReachThatPanel() {
    for (int k = 0; k <= 7; ++k) {
      click(N(ctl::BtGen(k)));
      for (int j = 0; j <= 7; ++j) QCOMPARE(enabled(N(ctl::BtGuard(j))), j <= k);
      click(N(ctl::BtGuard(k)));
      QCOMPARE(ui_->problems.size(), size_t(k + 1));
      QVERIFY(ui_->problems.back().second == w_->controller().state().Probs[size_t(k)]);
      const QString field = FirstField(k);
      retype(field, text(field));
      QVERIFY(!enabled(N(ctl::BtGuard(k))));
      click(N(ctl::BtOk(k)));
      QVERIFY(enabled(N(ctl::BtGuard(k))));
    }
    for (int k = 0; k <= 7; ++k) {
      click(N(ctl::BtRst(k)));
      QVERIFY(!enabled(N(ctl::BtGuard(k))));
    }
    QVERIFY(!enabled(ctl::OpGuard));
  }

  // Keys: Enter in a field solves its row; on the ratio it goes to the geometric row's own
  // handling (the focus moves on); a click on the empty sum
  // reaches the controller, OkS solves from the sum; Ctrl+S saves all; Ctrl+Q quits.
  void keysAndClicksReachTheController() {
    type(N(ctl::IdI(12)), "10000");
    type(N(ctl::IdI(13)), "5");
    type(N(ctl::IdI(14)), "10");
    enter(N(ctl::IdI(13)), Qt::Key_Enter);  // the keypad's
    QVERIFY(!text(N(ctl::IdI(15))).isEmpty());

    get(N(ctl::Idg(1)))->setFocus();
    type(N(ctl::Idg(1)), "0.5");
    enter(N(ctl::Idg(1)));
    QCOMPARE(w_->focusWidget(), get(N(ctl::Idg(2))));
    get<QLineEdit>(N(ctl::Idg(1)))->clear();
    type(N(ctl::Idg(2)), "9");
    QTest::mouseClick(get(N(ctl::Idg(5))), Qt::LeftButton);
    QVERIFY(text(N(ctl::Idg(2))).isEmpty());
    type(N(ctl::Idg(0)), "1");
    type(N(ctl::Idg(2)), "4");
    type(N(ctl::Idg(5)), "4/3");
    click(ctl::OkS);
    QCOMPARE(text(N(ctl::Idg(1))), QStringLiteral("1/4"));

    w_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(w_.get()));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(ui_->fileRequests.size(), size_t{1});
    QCOMPARE(get<QAction>(ctl::OpSurt)->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Q));
  }

  // The term list hides with a double click on it, and comes back by one on its spot.
  void termListShownByDoubleClickOnItsSpot() {
    auto* frame = get(ctl::PAritm);
    auto* list = get(ctl::IdPA);
    const QPoint spot = list->mapTo(frame, list->rect().center());
    const QPoint away(3, frame->height() - 3);  // the frame's empty margin
    click(N(ctl::BtGen(0)));  // the solve shows the list of terms
    QVERIFY(!list->isHidden());
    QTest::mouseDClick(list, Qt::LeftButton);
    QVERIFY(list->isHidden());
    QTest::mouseDClick(frame, Qt::LeftButton, {}, away);
    QVERIFY(list->isHidden());
    QTest::mouseDClick(frame, Qt::LeftButton, {}, spot);
    QVERIFY(!list->isHidden());
  }

  // A symbol typed with Enter joins the list; the item picked reaches the amounts' labels.
  void currencyListReachesTheLabelsAndIsKept() {
    auto* list = get<QComboBox>(ctl::LstSmbs);
    list->lineEdit()->selectAll();
    QTest::keyClicks(list->lineEdit(), "CHF");
    QTest::keyClick(list->lineEdit(), Qt::Key_Return);
    QCOMPARE(list->count(), 4);
    QCOMPARE(get<QLabel>(N(ctl::EtM(7)))->text(), QStringLiteral("CHF"));
    QTest::keyClick(list, Qt::Key_Down);  // the user picks the next item, "$"
    QCOMPARE(get<QLabel>(N(ctl::EtM(0)))->text(), QStringLiteral("$"));
  }

  // Leaving with a solved problem not saved asks, by either way out; "No" stays, and the
  // window closed writes what closing writes.
  void leavingWithUnsavedProblemsAsks() {
    click(N(ctl::BtGen(0)));
    ui_->yesNoAnswers = {false, false, true};
    QVERIFY(!w_->close());
    get<QAction>(ctl::OpSurt)->trigger();
    QVERIFY(w_->isVisible());
    QVERIFY(w_->close());
    QCOMPARE(ui_->questions.size(), size_t{3});
    QVERIFY(QFile::exists(dir_->filePath("NSmb.txt")));
  }

  // The caret starts in the first quantity of the arithmetic row: digits typed at once go
  // there, not into the subscript box.
  void typingStartsInTheFirstQuantity() {
    QApplication::setActiveWindow(w_.get());
    QCOMPARE(QApplication::focusWidget(), get(N(ctl::Id(0))));
    QTest::keyClicks(QApplication::focusWidget(), "3");
    QCOMPARE(text(N(ctl::Id(0))), QStringLiteral("3"));
  }

  // Found fields look apart from typed ones until the person edits them; the status line, the
  // message box and the lower pane show what the controller says; a found value longer than
  // its field shows whole when the field takes the focus. The pane asks for no height.
  void resultsReachTheScreen() {
    const QSize least = w_->minimumSizeHint();
    auto* pane = get<QTextBrowser>("IdPassos");
    QPalette light = pane->palette();  // text as on a dark palette
    light.setColor(QPalette::Text, QColor(0xEE, 0xEE, 0xEE));
    pane->setPalette(light);
    solveArithmetic();
    QCOMPARE(RuleColours(pane->document()->rootFrame()), QSet<QRgb>{0xFFEEEEEE});
    auto base = [this](const QString& name) { return get(name)->palette().color(QPalette::Base); };
    QVERIFY(base(N(ctl::Id(4))) != base(N(ctl::Id(0))));
    QVERIFY(get(N(ctl::Id(4)))->font().italic());
    QVERIFY(pane->toPlainText().contains(QStringLiteral("120")));
    retype(N(ctl::Id(4)), "200");
    QCOMPARE(base(N(ctl::Id(4))), base(N(ctl::Id(0))));
    click(N(ctl::BtOk(0)));
    QVERIFY(get<QLabel>(ctl::EtEstat)->text().contains(QStringLiteral("(se hab\u00EDa escrito 200)")));
    QVERIFY(ui_->messages.empty());
    retype(N(ctl::Id(0)), "5/0");
    click(N(ctl::BtOk(0)));
    QCOMPARE(ui_->messages.size(), size_t{1});
    click(N(ctl::BtRst(0)));
    QVERIFY(pane->toPlainText().isEmpty());
    QCOMPARE(w_->minimumSizeHint(), least);

    type(N(ctl::IdI(0)), "10001000,123456789123");
    type(N(ctl::IdI(1)), "5");
    type(N(ctl::IdI(2)), "3");
    enter(N(ctl::IdI(0)));
    const QString whole = text(N(ctl::IdI(3)));
    QVERIFY(get(N(ctl::IdI(3)))->fontMetrics().horizontalAdvance(whole) > get(N(ctl::IdI(3)))->width() - 8);
    get(N(ctl::IdI(3)))->setFocus();
    QTRY_COMPARE(QToolTip::text(), whole);
  }

  // A solved amortisation fills the table beside the steps and the chart; the table's CSV
  // reads back whole, a failed export is told, the chart is exported as PNG and SVG; the
  // panel's reset empties both. A progression is drawn as its terms and partial sums.
  void scheduleTableAndChartFollowTheSolves() {
    get<QComboBox>(N(ctl::IdPer(7)))->setCurrentIndex(3);  // mensual
    type(N(ctl::IdI(12)), "150000");
    type(N(ctl::IdI(13)), "4.2");
    type(N(ctl::IdI(14)), "30");
    click(N(ctl::BtOk(7)));
    auto* table = get<QTableWidget>("IdCuadro");
    QCOMPARE(table->rowCount(), 361);

    const std::string csv = dir_->filePath(QStringLiteral("cuadro.csv")).toStdString();
    const std::string png = dir_->filePath(QStringLiteral("grafico.png")).toStdString();
    const std::string svg = dir_->filePath(QStringLiteral("grafico.svg")).toStdString();
    ui_->fileAnswers = {csv, dir_->path().toStdString(), png, svg};  // a folder: not written
    click("BtCsvEs");
    click("BtCsvEn");
    click("BtPng");
    click("BtSvg");
    const auto lines = ReadCsv(LlegeixFtx(csv), CsvDialect::Spanish);
    QCOMPARE(lines.size(), size_t{362});
    QCOMPARE(lines[360][5], std::string("0,00"));
    QCOMPARE(ui_->messages.size(), size_t{1});
    QVERIFY(ui_->messages[0].text.find(dir_->path().toStdString()) != std::string::npos);
    auto* chart = get<QChartView>("IdGrafic")->chart();
    QCOMPARE(chart->series().size(), 3);
    QCOMPARE(static_cast<QLineSeries*>(chart->series()[0])->count(), 360);
    std::string bytes;
    QVERIFY(ReadFileBytes(png, bytes) && bytes.starts_with("\x89PNG"));
    QVERIFY(ReadFileBytes(svg, bytes) && bytes.find("<svg") != std::string::npos);

    click(N(ctl::BtRst(7)));
    QCOMPARE(table->rowCount(), 0);
    QVERIFY(!enabled("BtCsvEs") && !enabled("BtPng"));
    QVERIFY(chart->series().isEmpty());
    solveArithmetic();
    QCOMPARE(chart->series().size(), 2);
    auto* sums = static_cast<QLineSeries*>(chart->series()[0]);
    QCOMPARE(sums->at(9).y(), 120.0);
  }

  // Every control a person can reach has a name of its own and a description, in each
  // language; the picture and Ok buttons say what they do in a tooltip; labels name fields.
  void everyControlHasItsOwnName() {
    for (size_t l = 0; l < NombreIdiomes(); ++l) {
      const Language idioma = LanguageAt(l);
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
    QCOMPARE(get<QLabel>("Label58(5)")->buddy(), get(ctl::IdA));
  }

  // The language menu: the window's texts and Qt's buttons change; the choice
  // is kept in Lng.txt; back in Spanish every text is as it was. A solved amortisation's
  // working and chart, and the open worksheet builder, follow too.
  void languageMenuChangesEverything() {
    QVERIFY2(QFile::exists(QtTranslationsFolder() + QStringLiteral("/qtbase_es.qm")),
             "Qt's translations are missing: install qt6-translations-l10n");
    const QStringList spanish = texts();
    QCOMPARE(yes(), QStringLiteral("&S\u00ed"));
    get<QAction>("OpIdioma(0)")->trigger();
    QCOMPARE(w_->windowTitle(), QStringLiteral("Progressions - Interest - Tolvi"));
    QCOMPARE(get<QMenu>(ctl::Idiomes)->title(), QStringLiteral("&Language"));
    QCOMPARE(get(N(ctl::BtOk(4)))->accessibleName(), QStringLiteral("Solve the simple interest"));
    QCOMPARE(yes(), QStringLiteral("&Yes"));
    QCOMPARE(ReadAll(dir_->filePath(QStringLiteral("Lng.txt"))), std::string("eng\r\n"));
    get<QAction>("OpIdioma(2)")->trigger();
    QCOMPARE(texts(), spanish);
    QCOMPARE(ReadAll(dir_->filePath(QStringLiteral("Lng.txt"))), std::string("esp\r\n"));

    type(N(ctl::IdI(12)), "10000");
    type(N(ctl::IdI(13)), "5");
    type(N(ctl::IdI(14)), "10");
    enter(N(ctl::IdI(12)));
    get<QAction>(N(ctl::OpHoja))->trigger();
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

QTEST_MAIN(TestFTolvi)
#include "test_ftolvi.moc"
