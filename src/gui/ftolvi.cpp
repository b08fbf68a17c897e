#include "gui/ftolvi.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QStatusBar>
#include <QStyle>
#include <QTabWidget>
#include <QTableWidget>
#include <QTextBrowser>
#include <QToolButton>
#include <QToolTip>
#include <QVBoxLayout>
#include <cmath>

#include "app/documents_flow.h"
#include "app/file_messages.h"
#include "app/keyboard.h"
#include "documents/textfile.h"
#include "gui/chart_pane.h"
#include "gui/control_names.h"
#include "gui/dhoja.h"
#include "gui/frmabout.h"
#include "gui/ftools.h"
#include "gui/program_icon.h"
#include "gui/qt_form.h"
#include "gui/qt_services.h"
#include "solvers/interest.h"
#include "solvers/schedule.h"
#include "texts/catalogue.h"

namespace tolvi {

namespace {

// Colours of the window and its frames.
const QColor kWindow(128, 128, 255);
const QColor kGroup(224, 224, 224);
const QColor kAritm(245, 234, 202);
const QColor kGeom(255, 218, 178);
const QColor kInteres(177, 223, 187);
const QColor kCompost(167, 213, 177);
const QColor kAnual(157, 203, 167);
const QColor kLightGreen(200, 255, 200);  // the difference found by interpolation
const QColor kPink(255, 200, 215);        // the ratio found by interpolation

// A typed field that asks for room for about `chars` characters (QLineEdit's own wish is
// far wider than a number needs), and may grow with the window.
class Field : public QLineEdit {
 public:
  Field(const QString& name, int chars) : chars_(chars) {
    setObjectName(name);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
  }
  QSize sizeHint() const override {
    const QSize base = QLineEdit::sizeHint();
    return {fontMetrics().horizontalAdvance(QLatin1Char('8')) * chars_ + 12, base.height()};
  }
  QSize minimumSizeHint() const override {
    const QSize base = QLineEdit::minimumSizeHint();
    return {fontMetrics().horizontalAdvance(QLatin1Char('8')) * (chars_ * 2 / 3) + 10,
            base.height()};
  }

 protected:
  // A value longer than the field shows whole in its tooltip, and when the field takes the
  // focus (a found value may be longer than a typed one).
  bool event(QEvent* e) override {
    if (e->type() == QEvent::ToolTip && !text().isEmpty()) {
      QToolTip::showText(static_cast<QHelpEvent*>(e)->globalPos(), text(), this);
      return true;
    }
    const bool done = QLineEdit::event(e);
    if (e->type() == QEvent::FocusIn && !fits())
      QToolTip::showText(mapToGlobal(QPoint(0, height())), text(), this);
    return done;
  }

 private:
  bool fits() const {
    return fontMetrics().horizontalAdvance(text()) + 8 <= contentsRect().width();
  }

 private:
  int chars_;
};

Field* ReadOnly(Field* f, const QColor& base) {
  f->setReadOnly(true);
  QPalette p = f->palette();
  p.setColor(QPalette::Base, base);
  p.setColor(QPalette::Text, Qt::black);  // the fixed light colour, under any palette
  f->setPalette(p);
  return f;
}

// A label whose text is shown as it stands (blanks kept, never read as markup).
QLabel* Text(const QString& text, const char* name = nullptr) {
  auto* l = new QLabel(text);
  l->setTextFormat(Qt::PlainText);
  if (name) l->setObjectName(QString::fromLatin1(name));
  return l;
}

// A label in rich text: subscripts, superscripts and fractions.
QLabel* Formula(const QString& html) {
  auto* l = new QLabel(html);
  l->setTextFormat(Qt::RichText);
  return l;
}

// A fraction as a table: what stands before it, the numerator over a rule, the denominator,
// and what follows it.
QString Frac(const QString& before, const QString& num, const QString& den,
             const QString& after = QString()) {
  QString html =
      QStringLiteral("<table cellspacing=0 cellpadding=0 style='border-collapse:collapse'><tr>");
  if (!before.isEmpty())
    html += QStringLiteral("<td rowspan=2 valign=middle>%1&nbsp;</td>").arg(before);
  html +=
      QStringLiteral("<td align=center style='border-bottom:1px solid black'>&nbsp;%1&nbsp;</td>")
          .arg(num);
  if (!after.isEmpty())
    html += QStringLiteral("<td rowspan=2 valign=middle>&nbsp;%1</td>").arg(after);
  html += QStringLiteral("</tr><tr><td align=center>%1</td></tr></table>").arg(den);
  return html;
}

QLabel* Caption(const QString& text) {
  QLabel* l = Text(text);
  QFont f = l->font();
  f.setBold(true);
  l->setFont(f);
  return l;
}

// A row of controls with the same gaps in every frame (a nested layout would otherwise take
// its parent's spacing, which a grid with different gaps across and down leaves undefined).
QHBoxLayout* Row(int spacing = 6) {
  auto* row = new QHBoxLayout;
  row->setSpacing(spacing);
  return row;
}

// A picture of the buttons, painted on a clear 32x32 square.
template <class Paint>
QIcon Painted(Paint paint) {
  QPixmap pm(32, 32);
  pm.fill(Qt::transparent);
  {
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    paint(p);
  }
  return QIcon(pm);
}

// A die with five pips: the picture of the Generate buttons.
QIcon DieIcon() {
  return Painted([](QPainter& p) {
    p.setPen(QPen(QColor(60, 60, 60), 2));
    p.setBrush(Qt::white);
    p.drawRoundedRect(QRectF(2, 2, 28, 28), 6, 6);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(200, 30, 30));
    for (const QPointF c : {QPointF(9.5, 9.5), QPointF(22.5, 9.5), QPointF(16, 16),
                            QPointF(9.5, 22.5), QPointF(22.5, 22.5)}) {
      p.drawEllipse(c, 3, 3);
    }
  });
}

// A diskette: the picture of the Save buttons. Painted, as the die is, rather than taken from
// the desktop's icon theme: the first look-up in the theme costs about a tenth of the window's
// start-up.
QIcon SaveIcon() {
  return Painted([](QPainter& p) {
    p.setPen(QPen(QColor(30, 40, 90), 1.5));
    p.setBrush(QColor(70, 90, 170));
    p.drawPolygon(QPolygonF(
        {QPointF(3, 3), QPointF(25, 3), QPointF(29, 7), QPointF(29, 29), QPointF(3, 29)}));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(215, 220, 230));
    p.drawRect(QRectF(9, 3.8, 14, 9));  // the shutter
    p.setBrush(QColor(70, 90, 170));
    p.drawRect(QRectF(18, 5.5, 3, 5.5));
    p.setBrush(Qt::white);
    p.drawRoundedRect(QRectF(7, 17, 18, 11), 1.5, 1.5);  // the label
    p.setPen(QPen(QColor(150, 160, 190), 1));
    for (double y : {20.5, 23.5}) p.drawLine(QPointF(9, y), QPointF(23, y));
  });
}

// A check mark: the picture of the button that confirms the infinite sum.
QIcon CheckIcon() {
  return Painted([](QPainter& p) {
    p.setPen(QPen(QColor(30, 140, 50), 5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPolyline(QPolygonF({QPointF(5, 17), QPointF(13, 25), QPointF(27, 7)}));
  });
}

QToolButton* PictureButton(const QString& name, const QIcon& icon, const QString& tip) {
  auto* b = new QToolButton;
  b->setObjectName(name);
  b->setIcon(icon);
  b->setIconSize(QSize(16, 16));
  b->setToolTip(tip);
  return b;
}

QPushButton* CaptionButton(const QString& name, const QString& caption) {
  auto* b = new QPushButton(caption);
  b->setObjectName(name);
  b->setFixedWidth(b->fontMetrics().horizontalAdvance(caption) + 22);
  b->setAutoDefault(false);
  return b;
}

// A light background of its own and dark words on it, whatever the palette (a dark one would
// write light words on the light panels); disabled words grey.
QPalette Readable(QPalette p, const QColor& background) {
  p.setColor(QPalette::Window, background);
  p.setColor(QPalette::Active, QPalette::WindowText, Qt::black);
  p.setColor(QPalette::Inactive, QPalette::WindowText, Qt::black);
  p.setColor(QPalette::Disabled, QPalette::WindowText, QColor(110, 110, 110));
  return p;
}

QFrame* Panel(const char* name, const QColor& colour) {
  auto* f = new QFrame;
  f->setObjectName(QString::fromLatin1(name));
  f->setFrameStyle(QFrame::Box | QFrame::Plain);
  f->setLineWidth(1);
  f->setAutoFillBackground(true);
  f->setPalette(Readable(f->palette(), colour));
  return f;
}

// "a", the subscript box a little lowered, "=": the known term a with its index k.
QHBoxLayout* Subscripted(const QString& letter, QLineEdit* box) {
  auto* row = Row(0);
  box->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
  box->setAlignment(Qt::AlignCenter);
  box->setFrame(false);
  QFont small = box->font();
  small.setPointSizeF(small.pointSizeF() * 0.75);
  box->setFont(small);
  box->setStyleSheet(QStringLiteral(
      "QLineEdit { border: 1px solid #888; background: white; color: black; padding: 0; }"));
  const int h = QFontMetrics(small).height() + 2;
  box->setFixedSize(QFontMetrics(small).horizontalAdvance(QStringLiteral("88")) + 6, h);
  QLabel* a = Text(letter);
  QLabel* eq = Text(QStringLiteral(" ="));
  row->addWidget(a, 0, Qt::AlignVCenter);
  row->addWidget(box, 0, Qt::AlignBottom);  // the index sits low, as a subscript does
  row->addWidget(eq, 0, Qt::AlignVCenter);
  return row;
}

// A small label set above a field.
QLabel* Above(const QString& text, const QString& name = QString()) {
  QLabel* l = Text(text);
  if (!name.isEmpty()) l->setObjectName(name);
  QFont f = l->font();
  f.setPointSizeF(f.pointSizeF() * 0.85);
  l->setFont(f);
  l->setAlignment(Qt::AlignHCenter | Qt::AlignBottom);
  return l;
}

void Background(QWidget* w, const QColor& colour) {
  w->setAutoFillBackground(true);
  w->setPalette(Readable(w->palette(), colour));
}

// The panel's four buttons placed in the columns every row of a frame shares:
// 0 Generate, 2 Save, 3 Reset (the fields sit in column 1).
void PlaceButtons(QGridLayout* g, int row, int key, const ButtonPictures& pictures, int rowSpan = 1,
                  Qt::Alignment align = Qt::AlignVCenter) {
  g->addWidget(PictureButton(Nm(ctl::BtGen, key), pictures.die, QStringLiteral(" Genera ")), row, 0,
               rowSpan, 1, align);
  QToolButton* save =
      PictureButton(Nm(ctl::BtGuard, key), pictures.save, QStringLiteral("  Guardar"));
  save->setEnabled(false);
  g->addWidget(save, row, 2, rowSpan, 1, align);
  g->addWidget(CaptionButton(Nm(ctl::BtRst, key), QStringLiteral("rst")), row, 3, rowSpan, 1,
               align);
}

const QString kSubN = QStringLiteral("<sub>n</sub>");
const QString kSub1 = QStringLiteral("<sub>1</sub>");

// A control hidden at start keeps its place, so what stands around it does not move when it
// appears (and a double click on a hidden term list's spot can bring it back).
void KeepPlaceWhenHidden(QWidget* w) {
  QSizePolicy keep = w->sizePolicy();
  keep.setRetainSizeWhenHidden(true);
  w->setSizePolicy(keep);
  w->hide();
}

// The title line of a progression frame: caption, general term, and the hidden term list.
void TitleLine(QGridLayout* g, const QString& caption, const QString& formula,
               const QString& termsName) {
  auto* title = Row();
  title->addWidget(Caption(caption));
  title->addSpacing(24);
  title->addWidget(Formula(formula));
  title->addSpacing(12);
  Field* terms = ReadOnly(new Field(termsName, 30), Qt::white);
  KeepPlaceWhenHidden(terms);
  title->addWidget(terms, 1);
  g->addLayout(title, 0, 0, 1, 4);
}

// The names of an "Interpolar" row: k, a, b, the result and the inserted terms, and the
// indices of the small labels k, a, b above the fields.
struct InterpolationNames {
  const char *k, *a, *b, *result, *terms;
  int labelK, labelA, labelB;
};

// "Interpolar k Ns entre a y b  Ok  <formula> result terms" on row 2 of a progression frame.
void InterpolationRow(QGridLayout* g, int key, const InterpolationNames& n, QWidget* formula,
                      const QColor& resultColour, const ButtonPictures& pictures) {
  auto* in = new QGridLayout;
  in->setHorizontalSpacing(6);
  in->setVerticalSpacing(0);
  in->addWidget(Text(QStringLiteral("Interpolar")), 1, 0);
  in->addWidget(Above(QStringLiteral("k"), Numbered("Label58", n.labelK)), 0, 1);
  in->addWidget(new Field(QString::fromLatin1(n.k), 4), 1, 1);
  in->addWidget(Text(QStringLiteral("Ns entre")), 1, 2);
  in->addWidget(Above(QStringLiteral("a"), Numbered("Label58", n.labelA)), 0, 3);
  in->addWidget(new Field(QString::fromLatin1(n.a), 7), 1, 3);
  in->addWidget(Text(QStringLiteral("y")), 1, 4);
  in->addWidget(Above(QStringLiteral("b"), Numbered("Label58", n.labelB)), 0, 5);
  in->addWidget(new Field(QString::fromLatin1(n.b), 7), 1, 5);
  in->addWidget(CaptionButton(Nm(ctl::BtOk, key), QStringLiteral("Ok")), 1, 6);
  in->addWidget(formula, 0, 7, 2, 1, Qt::AlignBottom);
  in->addWidget(ReadOnly(new Field(QString::fromLatin1(n.result), 7), resultColour), 1, 8);
  in->addWidget(Above(QStringLiteral("t é r m i n o s")), 0, 9);
  in->addWidget(ReadOnly(new Field(QString::fromLatin1(n.terms), 16), Qt::white), 1, 9);
  in->setColumnStretch(9, 2);
  g->addLayout(in, 2, 1);
  PlaceButtons(g, 2, key, pictures, 1, Qt::AlignBottom);
}

// The palette a field had before it was first shown as found.
constexpr const char* kOwnPalette = "tolviOwnPalette";

}  // namespace

void MarkComputed(QLineEdit& field, bool computed) {
  if (!field.property(kOwnPalette).isValid())
    field.setProperty(kOwnPalette, QVariant::fromValue(field.palette()));
  const auto own = field.property(kOwnPalette).value<QPalette>();
  QFont font = field.font();
  font.setItalic(computed);
  field.setFont(font);
  field.setProperty("computed", computed);
  if (!computed) {
    field.setPalette(own);
    return;
  }
  // A tint of the selection colour over the field's own background, with its own text colour,
  // so that the look follows a light or a dark palette.
  const QColor base = own.color(QPalette::Base);
  const QColor tint = own.color(QPalette::Highlight);
  constexpr double kTint = 0.22;
  QPalette p = own;
  p.setColor(QPalette::Base,
             QColor::fromRgbF(base.redF() + (tint.redF() - base.redF()) * kTint,
                              base.greenF() + (tint.greenF() - base.greenF()) * kTint,
                              base.blueF() + (tint.blueF() - base.blueF()) * kTint));
  field.setPalette(p);
}

FTolvi::FTolvi(std::string folder, Services* services, QWidget* parent)
    : FTolvi(Folders{folder, folder, Layout::Working}, services, parent) {}

FTolvi::FTolvi(Folders folders, Services* services, QWidget* parent) : QMainWindow(parent) {
  setObjectName(QStringLiteral("FTolvi"));
  setWindowTitle(QStringLiteral("Progresiones - Interés - Tolvi"));
  setWindowIcon(QApplication::windowIcon().isNull() ? ProgramIcon() : QApplication::windowIcon());
  pictures_.die = DieIcon();
  pictures_.save = SaveIcon();
  {
    QStringList arguments = QCoreApplication::arguments().mid(1);
    languageArguments_ = arguments.join(QLatin1Char(' ')).toStdString();
  }

  auto* central = new QWidget;
  Background(central, kWindow);
  auto* v = new QVBoxLayout(central);
  v->setContentsMargins(8, 8, 8, 8);
  v->setSpacing(8);
  v->addWidget(buildProgressions());
  v->addWidget(buildInterest());
  // The working pane takes what is left, and at least a few lines: on a small screen the
  // panels scroll to reach it.
  QGroupBox* working = buildSteps();
  working->setMinimumHeight(fontMetrics().lineSpacing() * 5 + 30);
  v->addWidget(working, 1);
  // The panels scroll, so the window can be smaller than they are (a small screen, a large
  // scale): their natural size is still what the window asks for first.
  auto* scroll = new QScrollArea;
  scroll->setObjectName(QStringLiteral("Panells"));
  scroll->setFrameShape(QFrame::NoFrame);
  scroll->setWidgetResizable(true);
  scroll->setFocusPolicy(Qt::NoFocus);
  scroll->setWidget(central);
  Background(scroll->viewport(), kWindow);
  setCentralWidget(scroll);
  setMinimumSize(360, 260);  // a row of fields and a few lines of the panels at the least
  buildMenus();
  buildLanguageMenu();
  QLabel* estat = Text(QString(), ctl::EtEstat);
  estat->setTextInteractionFlags(Qt::TextSelectableByMouse);
  statusBar()->addWidget(estat, 1);
  // Room for every field at its natural width where the screen allows it (a window's first
  // size is otherwise held to two thirds of the screen, which squeezes the panels).
  const QSize panels = central->sizeHint();
  const int scrollBar = style()->pixelMetric(QStyle::PM_ScrollBarExtent);
  // The working pane takes what is left below the panels: room for about eight lines of it.
  QSize size(panels.width() + scrollBar, panels.height() + fontMetrics().lineSpacing() * 3 + 10 +
                                             menuBar()->sizeHint().height() +
                                             statusBar()->sizeHint().height());
  if (const QScreen* shown = screen()) size = size.boundedTo(shown->availableSize());
  resize(size.expandedTo(minimumSizeHint()));

  if (!services) {
    ownServices_ = std::make_unique<QtServices>(this);
    services = ownServices_.get();
  }
  atzar_.seedFromClock();
  form_ = std::make_unique<QtForm>(*this);
  controller_ = std::make_unique<Controller>(*form_, *services, atzar_, std::move(folders.settings),
                                             std::move(folders.problems));
  if (auto* qt = dynamic_cast<QtServices*>(services)) qt->setState(&controller_->state());
  wire();
  tieLabels();
  // Ctrl+S saves every solved problem, Ctrl+Q quits, as "&Guardar todo" and "&Salir" do.
  findChild<QAction*>(Nm(ctl::OpGuard))->setShortcut(QKeySequence::Save);
  findChild<QAction*>(Nm(ctl::OpSurt))->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
  controller_->hooks().focus = [this](std::string_view name) {
    if (auto* w = qobject_cast<QWidget*>(form_->find(name))) w->setFocus(Qt::OtherFocusReason);
  };
  controller_->hooks().steps = [this](int key) { showSteps(key); };
  showSchedule(0);  // the empty table and chart say what fills them
  // Another choice of periods makes the shown answer stale, as an edited field does.
  for (int key = 5; key <= 7; ++key)
    for (const ctl::Group* list : {&ctl::IdPer, &ctl::IdMom})
      if (auto* c = list->has(key) ? findChild<QComboBox*>(Nm(*list, key)) : nullptr)
        connect(c, &QComboBox::activated, this,
                [this, key] { form_->setEnabled(ctl::BtGuard(key), false); });
  controller_->hooks().computed = [this](std::string_view name, bool computed) {
    if (auto* field = qobject_cast<QLineEdit*>(form_->find(name))) MarkComputed(*field, computed);
  };
  if (auto* qt = dynamic_cast<QtServices*>(services))
    qt->setProblemSaved([this] { controller_->viewerSaved(); });
  controller_->hooks().menu = [this](std::string_view name) {
    if (name == ctl::OpEdTools) {
      // The editor decides the language from the command line.
      FTools::EditaTools(controller_->services(), controller_->state(), languageArguments_, *form_,
                         this);
      // The editor reads the language again; the whole program follows it.
      if (controller_->state().Idioma != IdiomaActual()) setLanguage(controller_->state().Idioma);
      return true;
    }
    if (name == ctl::OpQuant) {
      frmAbout::Mostra(this);
      return true;
    }
    return false;
  };
  controller_->start();
  // The language the program speaks now (Spanish until one is chosen).
  setLanguage(IdiomaActual());
  // The caret starts where a case begins: the first quantity of the arithmetic row.
  findChild<QWidget*>(Nm(ctl::Id, 0))->setFocus(Qt::OtherFocusReason);
}

FTolvi::~FTolvi() = default;

// The lower pane: the working of the last solved panel. It takes what height is left and asks
// for none, so the window's minimum size stays that of the panels.
QGroupBox* FTolvi::buildSteps() {
  auto* box = new QGroupBox(QStringLiteral("Soluci\u00F3n paso a paso"));
  box->setObjectName(QStringLiteral("PPassos"));
  auto* v = new QVBoxLayout(box);
  v->setContentsMargins(6, 4, 6, 4);
  steps_ = new QTextBrowser;
  steps_->setObjectName(QStringLiteral("IdPassos"));
  steps_->setOpenLinks(false);
  steps_->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Ignored);
  steps_->setMinimumHeight(0);
  steps_->setAccessibleName(QStringLiteral("Soluci\u00F3n paso a paso"));
  // Beside the working, the table of an interest case: periods, payments, interest...
  paneTabs_ = new QTabWidget;
  paneTabs_->setObjectName(QStringLiteral("PestPassos"));
  paneTabs_->setDocumentMode(true);
  paneTabs_->setFocusPolicy(Qt::NoFocus);  // its tab bar takes the focus
  paneTabs_->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Ignored);
  paneTabs_->addTab(steps_, QStringLiteral("Pasos"));
  paneTabs_->addTab(buildScheduleTab(), QStringLiteral("Cuadro"));
  chart_ = new ChartPane([this] { return controller_ ? &controller_->services() : nullptr; },
                         [this] { return CarpetaPrbls(controller_->state().CarpIni); });
  chart_->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Ignored);
  paneTabs_->addTab(chart_, QStringLiteral("Gr\u00E1fico"));
  v->addWidget(paneTabs_);
  box->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Ignored);
  return box;
}

namespace {

// A table whose selection copies as tab-separated lines (Ctrl+C), as spreadsheets paste it.
class CopyTable : public QTableWidget {
 public:
  using QTableWidget::QTableWidget;
  // The cells of the rectangle from (top, left) to (bottom, right), the header line first
  // when asked.
  QString text(int top, int left, int bottom, int right, bool header) const {
    QStringList lines;
    if (header) {
      QStringList cells;
      for (int c = left; c <= right; ++c) cells << horizontalHeaderItem(c)->text();
      lines << cells.join(QLatin1Char('\t'));
    }
    for (int r = top; r <= bottom; ++r) {
      QStringList cells;
      for (int c = left; c <= right; ++c) cells << (item(r, c) ? item(r, c)->text() : QString());
      lines << cells.join(QLatin1Char('\t'));
    }
    return lines.join(QLatin1Char('\n')) + QLatin1Char('\n');
  }
  QString all() const { return text(0, 0, rowCount() - 1, columnCount() - 1, true); }

 protected:
  void keyPressEvent(QKeyEvent* event) override {
    if (event->matches(QKeySequence::Copy) && !selectedRanges().isEmpty()) {
      const QTableWidgetSelectionRange r = selectedRanges().first();
      QGuiApplication::clipboard()->setText(
          text(r.topRow(), r.leftColumn(), r.bottomRow(), r.rightColumn(), false));
      return;
    }
    QTableWidget::keyPressEvent(event);
  }
};

}  // namespace

QWidget* FTolvi::buildScheduleTab() {
  auto* tab = new QWidget;
  auto* v = new QVBoxLayout(tab);
  v->setContentsMargins(0, 2, 0, 0);
  v->setSpacing(2);
  auto* table = new CopyTable;
  table_ = table;
  table_->setObjectName(QStringLiteral("IdCuadro"));
  table_->setAccessibleName(QStringLiteral("Cuadro por periodos"));
  table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table_->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Ignored);
  table_->setMinimumHeight(0);
  table_->verticalHeader()->setVisible(false);
  table_->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
  v->addWidget(table_, 1);
  auto* bottom = Row();
  tableNote_ = new QLabel;
  tableNote_->setObjectName(QStringLiteral("EtCuadro"));
  tableNote_->setWordWrap(true);
  tableNote_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
  bottom->addWidget(tableNote_, 1);
  auto button = [&](const char* name, const QString& text, const QString& tip) {
    auto* b = new QPushButton(text);
    b->setObjectName(QString::fromLatin1(name));
    b->setToolTip(tip);
    b->setEnabled(false);
    bottom->addWidget(b);
    return b;
  };
  connect(button("BtCopiaCuadro", QStringLiteral("Copiar"),
                 QStringLiteral("Copia el cuadro entero, separado por tabuladores")),
          &QPushButton::clicked, this,
          [table] { QGuiApplication::clipboard()->setText(table->all()); });
  connect(button("BtCsvEs", QStringLiteral("CSV (;)"),
                 QStringLiteral("Exporta el cuadro en CSV con \";\" y coma decimal "
                                "(hojas de c\u00E1lculo en espa\u00F1ol)")),
          &QPushButton::clicked, this, [this] { exportSchedule(true); });
  connect(button("BtCsvEn", QStringLiteral("CSV (,)"),
                 QStringLiteral("Exporta el cuadro en CSV con \",\" y punto decimal")),
          &QPushButton::clicked, this, [this] { exportSchedule(false); });
  v->addLayout(bottom);
  return tab;
}

// The table of panel key's working when it is a solved compound, capitalisation or
// amortisation case; otherwise the table is emptied, with the reason under it.
void FTolvi::showSchedule(int key) {
  const Solution& working = controller_->state().Solutions[static_cast<size_t>(key)];
  ScheduleResult made;
  if (working.empty() || key < 5)
    made.error = Tx("pane.no_table");
  else
    made = MakeSchedule(working);
  const bool ok = made.ok() && !made.schedule.rows.empty();
  for (const char* name : {"BtCopiaCuadro", "BtCsvEs", "BtCsvEn"})
    if (auto* b = findChild<QPushButton*>(QString::fromLatin1(name))) b->setEnabled(ok);
  table_->clear();
  table_->setRowCount(0);
  if (!ok) {
    schedule_.reset();
    table_->setColumnCount(0);
    tableNote_->setText(QString::fromStdString(made.error));
    // A solved progression is drawn from its term list.
    const bool refused = !working.steps.empty() && working.steps.back().kind == StepKind::Refusal;
    if (!working.empty() && !refused && (key == 0 || key == 2))
      chart_->showProgression(
          QString::fromStdString(Tx(key == 0 ? "pane.title.0" : "pane.title.2")),
          TermesDeLlista(form_->text(key == 0 ? ctl::IdPA : ctl::IdPG)));
    else
      chart_->clear(QString::fromStdString(Tx("pane.no_chart")));
    return;
  }
  schedule_ = std::make_unique<Schedule>(made.schedule);
  const Schedule& s = *schedule_;
  const int columns = static_cast<int>(s.headers.size());
  table_->setColumnCount(columns);
  QStringList headers;
  for (const std::string& h : s.headers) headers << QString::fromStdString(h);
  table_->setHorizontalHeaderLabels(headers);
  table_->setRowCount(static_cast<int>(s.rows.size()) + 1);
  auto cell = [&](int r, int c, const QString& text, bool bold) {
    auto* item = new QTableWidgetItem(text);
    item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    if (bold) {
      QFont f = item->font();
      f.setBold(true);
      item->setFont(f);
    }
    table_->setItem(r, c, item);
  };
  for (int r = 0; r < static_cast<int>(s.rows.size()); ++r) {
    const auto& row = s.rows[static_cast<size_t>(r)];
    for (int c = 0; c < columns; ++c)
      cell(r, c,
           c == 0 ? QString::number(static_cast<long long>(row[0]))
                  : QString::fromStdString(Cents(row[static_cast<size_t>(c)])),
           false);
  }
  const int last = static_cast<int>(s.rows.size());
  cell(last, 0, QString::fromStdString(Tx("pane.total")), true);
  for (int c = 1; c < columns; ++c)
    if (!std::isnan(s.totals[static_cast<size_t>(c)]))
      cell(last, c, QString::fromStdString(Cents(s.totals[static_cast<size_t>(c)])), true);
  tableNote_->setText(QString::fromStdString(s.note));
  chart_->showSchedule(s);
}

// The table written as CSV to a file the person chooses, replaced whole or not at all.
void FTolvi::exportSchedule(bool spanish) {
  if (!schedule_) return;
  Services& ui = controller_->services();
  const std::string path =
      ui.chooseFile(DialogMode::Save, CarpetaPrbls(controller_->state().CarpIni), "*.csv|*.*");
  if (path.empty()) return;
  std::string text = ScheduleCsv(*schedule_, spanish ? CsvDialect::Spanish : CsvDialect::English);
  text.resize(text.size() - 2);  // the file writing ends the last line itself
  const FileResult written = EscriuFtx(text, path);
  if (!written)
    ui.message(TextError(written, IdiomaActual()), TitolError(FileOperation::Save, IdiomaActual()),
               Icon::Exclamation);
}

void FTolvi::showSteps(int key) {
  const Solution& working = controller_->state().Solutions[static_cast<size_t>(key)];
  if (working.empty()) {
    // A reset clears the pane only when it shows that panel.
    if (stepsKey_ == key) {
      steps_->clear();
      showSchedule(key);
    }
    return;
  }
  stepsKey_ = key;
  showSchedule(key);
  const QString title = QString::fromStdString(Tx("pane.title." + std::to_string(key)));
  steps_->setHtml(QStringLiteral("<p><b>%1</b></p>").arg(title.toHtmlEscaped()) +
                  QString::fromStdString(StepsHtml(
                      working, steps_->palette().color(QPalette::Text).name().toStdString())));
}

QGroupBox* FTolvi::buildProgressions() {
  auto* box = new QGroupBox(QStringLiteral(" Progresiones "));
  box->setObjectName(Nm(ctl::Progressions));
  Background(box, kGroup);
  auto* v = new QVBoxLayout(box);
  v->setSpacing(6);
  v->addWidget(buildAritm());
  v->addWidget(buildGeom());
  return box;
}

QFrame* FTolvi::buildAritm() {
  QFrame* f = Panel(ctl::PAritm, kAritm);
  auto* g = new QGridLayout(f);
  g->setHorizontalSpacing(6);
  g->setVerticalSpacing(4);

  TitleLine(g, QStringLiteral("       Aritméticas"),
            QStringLiteral("a%1 =a%2+d(n-1)").arg(kSubN, kSub1), Nm(ctl::IdPA));

  // Key 0: a_k, d, n given or found; a_n and S_n.
  auto* row = Row();
  auto* id1a = new Field(Nm(ctl::Id1a), 2);
  id1a->setText(QStringLiteral("1"));
  row->addLayout(Subscripted(QStringLiteral("a"), id1a));
  row->addWidget(new Field(Nm(ctl::Id, 0), 8));
  row->addSpacing(8);
  row->addWidget(Text(QStringLiteral("d =")));
  row->addWidget(new Field(Nm(ctl::Id, 1), 8));
  row->addSpacing(8);
  row->addWidget(Text(QStringLiteral("n =")));
  row->addWidget(new Field(Nm(ctl::Id, 2), 6));
  row->addSpacing(8);
  row->addWidget(CaptionButton(Nm(ctl::BtOk, 0), QStringLiteral("Ok")));
  row->addSpacing(8);
  row->addWidget(Formula(QStringLiteral("a%1 =").arg(kSubN)));
  row->addWidget(new Field(Nm(ctl::Id, 3), 8));
  row->addSpacing(8);
  row->addWidget(Formula(QStringLiteral("S%1 =").arg(kSubN)));
  row->addWidget(new Field(Nm(ctl::Id, 4), 9));
  g->addLayout(row, 1, 1);
  PlaceButtons(g, 1, 0, pictures_);

  // Key 1: k means between a and b.
  InterpolationRow(g, 1, {ctl::IdK, ctl::IdA, ctl::IdB, ctl::Idd, ctl::IdTrms, 1, 5, 6},
                   Formula(Frac(QStringLiteral("d="), QStringLiteral("b-a"), QStringLiteral("k+1"),
                                QStringLiteral("="))),
                   kLightGreen, pictures_);

  // The formulas at the right.
  auto* formulas = new QVBoxLayout;
  formulas->setSpacing(6);
  formulas->addWidget(Formula(QStringLiteral("a%1 =a%2+d(n-1)").arg(kSubN, kSub1)));
  formulas->addWidget(
      Formula(Frac(QStringLiteral("S%1 =").arg(kSubN),
                   QStringLiteral("(a%1+a%2) n").arg(kSub1, kSubN), QStringLiteral("2"))));
  g->addLayout(formulas, 0, 4, 3, 1);
  g->setColumnStretch(1, 1);
  return f;
}

QFrame* FTolvi::buildGeom() {
  QFrame* f = Panel(ctl::PGeom, kGeom);
  auto* g = new QGridLayout(f);
  g->setHorizontalSpacing(6);
  g->setVerticalSpacing(4);

  TitleLine(g, QStringLiteral("       Geométricas"),
            QStringLiteral("a%1 =a%2·r<sup>n-1</sup>").arg(kSubN, kSub1), Nm(ctl::IdPG));

  // Key 2: a_k, r, n, a_n, S_n and the sum of the decreasing infinite progression.
  auto* row = Row();
  auto* id1g = new Field(Nm(ctl::Id1g), 2);
  id1g->setText(QStringLiteral("1"));
  row->addLayout(Subscripted(QStringLiteral("a"), id1g));
  row->addWidget(new Field(Nm(ctl::Idg, 0), 7));
  row->addSpacing(6);
  row->addWidget(Text(QStringLiteral("r =")));
  row->addWidget(new Field(Nm(ctl::Idg, 1), 6));
  row->addSpacing(6);
  row->addWidget(Text(QStringLiteral("n =")));
  row->addWidget(new Field(Nm(ctl::Idg, 2), 5));
  row->addSpacing(6);
  row->addWidget(CaptionButton(Nm(ctl::BtOk, 2), QStringLiteral("Ok")));
  row->addSpacing(6);
  row->addWidget(Formula(QStringLiteral("a%1=").arg(kSubN)));
  row->addWidget(new Field(Nm(ctl::Idg, 3), 9));
  row->addSpacing(6);
  row->addWidget(Formula(QStringLiteral("S%1 =").arg(kSubN)));
  row->addWidget(new Field(Nm(ctl::Idg, 4), 10));
  row->addSpacing(10);
  QLabel* decr = Text(QStringLiteral("decreciente:"), ctl::Etdecr);
  decr->setEnabled(false);
  row->addWidget(decr);
  // "S  =" with the infinity sign standing in its gap as a subscript.
  QLabel* s = Text(QStringLiteral("S  ="), ctl::EtS);
  QLabel* inf = Text(QStringLiteral("\u221E"), ctl::EtInf);
  QFont small = inf->font();
  small.setPointSizeF(small.pointSizeF() * 0.8);
  inf->setFont(small);
  // The two blanks of "S  =" are widened to hold the sign.
  const int room = QFontMetrics(small).horizontalAdvance(QChar(0x221E)) + 2;
  const int blanks = 2 * s->fontMetrics().horizontalAdvance(QLatin1Char(' '));
  if (room > blanks) {
    QFont wide = s->font();
    wide.setWordSpacing((room - blanks + 1) / 2);
    s->setFont(wide);
  }
  auto* gap = new QHBoxLayout(s);
  gap->setContentsMargins(s->fontMetrics().horizontalAdvance(QLatin1Char('S')), 0, 0, 0);
  gap->addWidget(inf, 0, Qt::AlignLeft | Qt::AlignBottom);
  gap->addStretch(1);
  s->setMinimumHeight(s->fontMetrics().height() + QFontMetrics(small).height() / 2);
  s->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  s->setEnabled(false);
  inf->setEnabled(false);
  row->addWidget(s);
  Field* sum = new Field(Nm(ctl::Idg, 5), 7);
  QPalette face = sum->palette();
  face.setColor(QPalette::Base, face.color(QPalette::Button));
  sum->setPalette(face);
  KeepPlaceWhenHidden(sum);
  row->addWidget(sum);
  QToolButton* oks = PictureButton(Nm(ctl::OkS), CheckIcon(), QStringLiteral("Ok"));
  oks->setIconSize(QSize(12, 12));
  oks->setEnabled(false);
  row->addWidget(oks);
  g->addLayout(row, 1, 1);
  PlaceButtons(g, 1, 2, pictures_);

  // Key 3: k means between a and b.
  InterpolationRow(g, 3, {ctl::IdKg, ctl::IdAg, ctl::IdBg, ctl::IdR, ctl::IdTG, 0, 2, 3},
                   Formula(QStringLiteral("r=e<sup>Ln(b:a):(k+1)</sup> =")), kPink, pictures_);

  auto* formulas = new QVBoxLayout;
  formulas->setSpacing(6);
  formulas->addWidget(Formula(QStringLiteral("a%1 =a%2·r<sup>n-1</sup>").arg(kSubN, kSub1)));
  formulas->addWidget(
      Formula(Frac(QStringLiteral("S%1 =").arg(kSubN),
                   QStringLiteral("a%1·r - a%2").arg(kSubN, kSub1), QStringLiteral("r-1"))));
  formulas->addWidget(Formula(Frac(QStringLiteral("decr: S<sub>\u221E</sub> ="),
                                   QStringLiteral("a%1").arg(kSub1), QStringLiteral("1 - r"))));
  g->addLayout(formulas, 0, 4, 3, 1);
  g->setColumnStretch(1, 1);
  return f;
}

namespace {

// A list that shows its choice whenever the row has room, and asks for almost none at the
// window's smallest width (where it takes the gaps the row gave up), so that it never makes
// the window wider.
class SmallList : public QComboBox {
 public:
  QSize minimumSizeHint() const override { return {12, QComboBox::minimumSizeHint().height()}; }
};

// The fields of one interest row: IdI(4·(key−4) + j) for j = 0..3, with the currency labels
// EtM after the amounts and the Solve button before the last field.
QHBoxLayout* InterestRow(int key, const QString& first, const QString& last) {
  const int base = 4 * (key - 4);
  const int money = 2 * (key - 4);
  auto* row = Row();
  auto label = [](const QString& t) {
    QLabel* l = Text(t);
    l->setMinimumWidth(l->fontMetrics().horizontalAdvance(QStringLiteral("C =")) + 2);
    l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return l;
  };
  auto currency = [](int i) {
    QLabel* l = Text(QStringLiteral("\u20AC"), nullptr);
    l->setObjectName(Nm(ctl::EtM, i));
    l->setMinimumWidth(l->fontMetrics().horizontalAdvance(QStringLiteral("MMM")));
    return l;
  };
  row->addWidget(label(first));
  row->addWidget(new Field(Nm(ctl::IdI, base), 9));
  row->addWidget(currency(money));
  // Rows with the lists of periods give up some of their gaps for them.
  const int gap = key >= 6 ? 0 : key == 5 ? 4 : 10;
  row->addSpacing(key >= 6 ? 0 : 6);
  row->addWidget(label(QStringLiteral("r =")));
  row->addWidget(new Field(Nm(ctl::IdI, base + 1), 5));
  row->addWidget(Text(QStringLiteral("%")));
  row->addSpacing(gap);
  row->addWidget(label(QStringLiteral("t =")));
  row->addWidget(new Field(Nm(ctl::IdI, base + 2), 5));
  if (key >= 5) {
    // How often the interest compounds or the payments fall, and when they fall: small lists
    // that keep the row's width.
    auto list = [&](const QString& name, const QStringList& items, int current,
                    const QString& what) {
      auto* c = new SmallList;
      c->setObjectName(name);
      c->addItems(items);
      c->setCurrentIndex(current);
      c->setToolTip(what);
      c->setAccessibleName(what);
      row->addWidget(c);
    };
    list(Nm(ctl::IdPer, key),
         {QStringLiteral("anual"), QStringLiteral("semestral"), QStringLiteral("trimestral"),
          QStringLiteral("mensual")},
         0,
         key == 5 ? QStringLiteral("Capitalizaci\u00F3n: veces por a\u00F1o")
                  : QStringLiteral("Pagos por a\u00F1o"));
    if (key >= 6)
      list(Nm(ctl::IdMom, key), {QStringLiteral("al inicio"), QStringLiteral("al final")},
           StartByDefault(key) ? 0 : 1,
           QStringLiteral("Cada pago al inicio o al final de su periodo"));
  }
  row->addSpacing(gap);
  row->addWidget(CaptionButton(Nm(ctl::BtOk, key), QStringLiteral("Ok")));
  row->addSpacing(gap);
  row->addWidget(label(last));
  row->addWidget(new Field(Nm(ctl::IdI, base + 3), 9));
  row->addWidget(currency(money + 1));
  return row;
}

// The width every interest frame gives its formulas, and its row captions (wide enough for
// the longest, in bold), so that the fields of the four rows stand in the same columns.
constexpr int kFormulaWidth = 230;

QLabel* RowCaption(const QString& text, bool bold) {
  QLabel* l = Text(text);
  QFont f = l->font();
  f.setBold(true);
  l->setFixedWidth(QFontMetrics(f).horizontalAdvance(QStringLiteral("Interés compuesto")) + 8);
  if (bold) l->setFont(f);
  return l;
}

QLabel* InterestFormula(const QString& html) {
  QLabel* l = Formula(html);
  l->setMinimumWidth(kFormulaWidth);
  return l;
}

}  // namespace

QFrame* FTolvi::buildSimple(int key, const QString& caption, const QString& formula) {
  QFrame* f = Panel(key == 4 ? ctl::PInteres : ctl::PCompost, key == 4 ? kInteres : kCompost);
  auto* g = new QGridLayout(f);
  g->setHorizontalSpacing(6);
  auto* row = InterestRow(key, QStringLiteral("c ="), QStringLiteral("C ="));
  row->insertWidget(0, RowCaption(caption, true));
  g->addLayout(row, 0, 1);
  PlaceButtons(g, 0, key, pictures_);
  g->addWidget(InterestFormula(formula), 0, 4);
  g->setColumnStretch(1, 1);
  return f;
}

QFrame* FTolvi::buildAnual() {
  QFrame* f = Panel(ctl::Panual, kAnual);
  auto* g = new QGridLayout(f);
  g->setHorizontalSpacing(6);
  g->setVerticalSpacing(4);
  auto* title = Row();
  title->addWidget(Caption(QStringLiteral(" Anualidades de ...")));
  title->addStretch(1);
  title->addWidget(Formula(QStringLiteral(" i = r/100 ")));
  g->addLayout(title, 0, 0, 1, 5);

  auto* cap = InterestRow(6, QStringLiteral("C ="), QStringLiteral("a ="));
  cap->insertWidget(0, RowCaption(QStringLiteral("capitalización"), false));
  g->addLayout(cap, 1, 1);
  PlaceButtons(g, 1, 6, pictures_);
  g->addWidget(InterestFormula(Frac(QStringLiteral("a = "), QStringLiteral("C · i"),
                                    QStringLiteral("(1+i)((1+i)<sup>t</sup> - 1)"))),
               1, 4);

  auto* amort = InterestRow(7, QStringLiteral("D ="), QStringLiteral("a ="));
  amort->insertWidget(0, RowCaption(QStringLiteral("amortización"), false));
  g->addLayout(amort, 2, 1);
  PlaceButtons(g, 2, 7, pictures_);
  g->addWidget(
      InterestFormula(Frac(QStringLiteral("a = "), QStringLiteral("D · i · (1+i)<sup>t</sup>"),
                           QStringLiteral("(1+i)<sup>t</sup> - 1"))),
      2, 4);
  g->setColumnStretch(1, 1);
  return f;
}

QGroupBox* FTolvi::buildInterest() {
  auto* box = new QGroupBox(QStringLiteral("         Interés  "));
  box->setObjectName(Nm(ctl::PInteresComercial));
  Background(box, kGroup);
  auto* v = new QVBoxLayout(box);
  v->setSpacing(6);

  auto* top = Row();
  top->addStretch(1);
  top->addWidget(Text(QStringLiteral(" Símbolo monetario:  ")));
  auto* list = new QComboBox;
  list->setObjectName(Nm(ctl::LstSmbs));
  list->setEditable(true);
  list->setInsertPolicy(QComboBox::NoInsert);  // the controller adds the user's symbols
  list->addItems({QStringLiteral("\u20AC"), QStringLiteral("$"), QStringLiteral("\u00A3")});
  list->setMinimumContentsLength(4);
  list->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  top->addWidget(list);
  v->addLayout(top);

  v->addWidget(
      buildSimple(4, QStringLiteral("Interés simple"), QStringLiteral("C = c (1+rt/100)")));
  v->addWidget(buildSimple(5, QStringLiteral("Interés compuesto"),
                           QStringLiteral("C = c(1+r/100)<sup>t</sup>")));
  v->addWidget(buildAnual());
  return box;
}

void FTolvi::buildMenus() {
  auto add = [this](QMenu* menu, const char* name, const QString& caption) {
    QAction* a = menu->addAction(caption);
    a->setObjectName(QString::fromLatin1(name));
    return a;
  };
  QMenu* arxiu = menuBar()->addMenu(QStringLiteral("&Archivo"));
  arxiu->setObjectName(Nm(ctl::Arxiu));
  add(arxiu, ctl::OpObr, QStringLiteral("Abrir"));
  add(arxiu, ctl::OpGuard, QStringLiteral("&Guardar todo"))->setEnabled(false);
  add(arxiu, ctl::OpHoja, QStringLiteral("&Hoja de ejercicios..."));
  arxiu->addSeparator()->setObjectName(QStringLiteral("sep"));
  add(arxiu, ctl::OpSurt, QStringLiteral("&Salir"));

  QMenu* tools = menuBar()->addMenu(QStringLiteral("&Utilidades"));
  tools->setObjectName(Nm(ctl::Tools));
  add(tools, ctl::OpEdTools, QStringLiteral("Edición utilidades"));
  tools->addSeparator()->setObjectName(QStringLiteral("sept"));
  for (int i = 1; i <= 12; ++i) {
    QAction* a = tools->addAction(QString());
    a->setObjectName(Nm(ctl::ITool, i));
    a->setVisible(false);
  }

  QMenu* info = menuBar()->addMenu(QStringLiteral("Info"));
  info->setObjectName(Nm(ctl::Info));
  add(info, ctl::OpInfo, QStringLiteral("Info"));
  add(info, ctl::OpWeb, QStringLiteral("Contacto..."));
  add(info, ctl::OpQuant, QStringLiteral("Sobre Tolvi"));
}

void FTolvi::wire() {
  Controller& c = *controller_;
  for (int key = 0; key < 8; ++key) {
    connect(findChild<QAbstractButton*>(Nm(ctl::BtGen, key)), &QAbstractButton::clicked, this,
            [&c, key] { c.generate(key); });
    connect(findChild<QAbstractButton*>(Nm(ctl::BtOk, key)), &QAbstractButton::clicked, this,
            [&c, key] { c.solve(key); });
    connect(findChild<QAbstractButton*>(Nm(ctl::BtRst, key)), &QAbstractButton::clicked, this,
            [&c, key] { c.reset(key); });
    connect(findChild<QAbstractButton*>(Nm(ctl::BtGuard, key)), &QAbstractButton::clicked, this,
            [&c, key] { c.save(key); });
  }
  connect(findChild<QAbstractButton*>(Nm(ctl::OkS)), &QAbstractButton::clicked, this,
          [&c] { c.clicked(ctl::OkS); });

  // Fields: the user's edits and the Enter key. Texts the controller writes raise nothing.
  for (QLineEdit* e : findChildren<QLineEdit*>()) {
    if (e->objectName().isEmpty()) continue;  // the currency list's own editor
    const std::string name = e->objectName().toStdString();
    connect(e, &QLineEdit::textEdited, this, [&c, name] { c.fieldChanged(name); });
    e->installEventFilter(this);
  }

  auto* list = findChild<QComboBox*>(Nm(ctl::LstSmbs));
  list->installEventFilter(this);
  list->lineEdit()->installEventFilter(this);
  connect(list->lineEdit(), &QLineEdit::textEdited, this,
          [list] { QtForm::markTyped(*list, true); });
  connect(list, &QComboBox::activated, this, [&c, list](int index) {
    QtForm::markTyped(*list, false);
    c.symbolSelected(index);
  });

  for (const char* frame : {ctl::PAritm, ctl::PGeom}) {
    findChild<QFrame*>(QString::fromLatin1(frame))->installEventFilter(this);
  }

  for (QAction* a : findChildren<QAction*>()) {
    if (a->objectName().isEmpty() || a->isSeparator() || a->menu()) continue;
    const std::string name = a->objectName().toStdString();
    if (name == ctl::OpSurt) {
      connect(a, &QAction::triggered, this, [this] {
        controller_->menu(ctl::OpSurt);
        if (controller_->state().ended) quitNow();
      });
    } else if (name == ctl::OpHoja) {
      connect(a, &QAction::triggered, this, [this] { openWorksheet(); });
    } else {
      connect(a, &QAction::triggered, this, [&c, name] { c.menu(name); });
    }
  }
}

bool FTolvi::onTermList(const QWidget& frame, const QPoint& pos) const {
  const char* name = frame.objectName() == QLatin1String(ctl::PAritm) ? ctl::IdPA : ctl::IdPG;
  const auto* list = frame.findChild<QWidget*>(QString::fromLatin1(name));
  if (!list) return false;
  const QPoint topLeft = list->mapTo(&frame, QPoint(0, 0));
  return pos.x() >= topLeft.x() && pos.x() <= topLeft.x() + list->width() &&
         pos.y() >= topLeft.y() && pos.y() <= topLeft.y() + list->height();
}

bool FTolvi::eventFilter(QObject* watched, QEvent* event) {
  const QEvent::Type type = event->type();
  auto* w = qobject_cast<QWidget*>(watched);
  if (!w || !controller_) return QMainWindow::eventFilter(watched, event);
  QString name = w->objectName();
  if (name.isEmpty() && qobject_cast<QComboBox*>(w->parentWidget())) {
    name = w->parentWidget()->objectName();  // the editor inside LstSmbs
  }

  if (type == QEvent::KeyPress) {
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
      // Enter solves the field's row; the geometric walk, the infinite sum and the currency
      // list keep their own handling.
      const int panel = PanellDeIntro(*form_, name.toStdString());
      if (panel >= 0)
        controller_->solve(panel);
      else
        controller_->keyPressed(name.toStdString(), kEnter);
      return true;
    }
    return false;
  }

  if (name == QLatin1String(ctl::PAritm) || name == QLatin1String(ctl::PGeom)) {
    if (type == QEvent::MouseButtonPress || type == QEvent::MouseButtonDblClick) {
      const auto* mouse = static_cast<QMouseEvent*>(event);
      controller_->framePressed(name.toStdString(), onTermList(*w, mouse->position().toPoint()));
      if (type == QEvent::MouseButtonDblClick) controller_->doubleClicked(name.toStdString());
      return true;
    }
    return false;
  }

  if ((name == Nm(ctl::IdPA) || name == Nm(ctl::IdPG)) && type == QEvent::MouseButtonDblClick) {
    controller_->doubleClicked(name.toStdString());
    return true;
  }

  if (name == Nm(ctl::Idg, 5) && type == QEvent::MouseButtonRelease) {
    const auto* mouse = static_cast<QMouseEvent*>(event);
    if (mouse->button() == Qt::LeftButton && w->rect().contains(mouse->position().toPoint())) {
      controller_->clicked(ctl::Idg(5));
    }
    return false;  // the field still places its cursor
  }
  return QMainWindow::eventFilter(watched, event);
}

void FTolvi::closeEvent(QCloseEvent* event) {
  if (!controller_->state().ended) {
    if (!controller_->leave()) {
      event->ignore();
      return;
    }
    controller_->close();
  }
  event->accept();
}

// "&Salir": the program ends at once, once the controller has asked and written what closing
// writes.
void FTolvi::quitNow() { QCoreApplication::exit(0); }

// The worksheet builder, one at a time, with the currency symbol of the moment.
void FTolvi::openWorksheet() {
  if (!worksheet_) {
    worksheet_ = new DHoja(controller_->state().Smb, this);
    worksheet_->setAttribute(Qt::WA_DeleteOnClose);
  }
  worksheet_->show();
  worksheet_->raise();
  worksheet_->activateWindow();
}

}  // namespace tolvi
