#include "gui/chart_pane.h"

#include <QBuffer>
#include <QChart>
#include <QChartView>
#include <QEvent>
#include <QGraphicsLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLegend>
#include <QLineSeries>
#include <QPainter>
#include <QPushButton>
#include <QScatterSeries>
#include <QSvgGenerator>
#include <QVBoxLayout>
#include <QValueAxis>
#include <algorithm>
#include <cmath>
#include <map>

#include "app/file_messages.h"
#include "documents/textfile.h"
#include "numeric/numtext.h"
#include "solvers/schedule.h"
#include "solvers/services.h"
#include "texts/catalogue.h"

namespace tolvi {

namespace {

QString T(std::string_view key) { return QString::fromStdString(Tx(key)); }

}  // namespace

ChartPane::ChartPane(std::function<Services*()> ui, std::function<std::string()> folder,
                     QWidget* parent)
    : QWidget(parent), ui_(std::move(ui)), folder_(std::move(folder)) {
  auto* v = new QVBoxLayout(this);
  v->setContentsMargins(0, 2, 0, 0);
  v->setSpacing(2);
  chart_ = new QChart;
  // The pane is low: the legend stands at the side, the margins are thin.
  chart_->legend()->setAlignment(Qt::AlignRight);
  chart_->setMargins(QMargins(2, 2, 2, 2));
  chart_->layout()->setContentsMargins(0, 0, 0, 0);
  chart_->setBackgroundRoundness(0);
  view_ = new QChartView(chart_);
  view_->setObjectName(QStringLiteral("IdGrafic"));
  view_->setAccessibleName(T("acc.chart"));
  view_->setRenderHint(QPainter::Antialiasing);
  view_->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Ignored);
  view_->setMinimumHeight(0);
  v->addWidget(view_, 1);
  auto* bottom = new QHBoxLayout;
  why_ = new QLabel;
  why_->setObjectName(QStringLiteral("EtGrafic"));
  why_->setWordWrap(true);
  why_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
  bottom->addWidget(why_, 1);
  png_ = new QPushButton(QStringLiteral("PNG"));
  png_->setObjectName(QStringLiteral("BtPng"));
  png_->setToolTip(T("acc.png.d"));
  svg_ = new QPushButton(QStringLiteral("SVG"));
  svg_->setObjectName(QStringLiteral("BtSvg"));
  svg_->setToolTip(T("acc.svg.d"));
  bottom->addWidget(png_);
  bottom->addWidget(svg_);
  v->addLayout(bottom);
  connect(png_, &QPushButton::clicked, this, [this] { exportTo(false); });
  connect(svg_, &QPushButton::clicked, this, [this] { exportTo(true); });
  clear(QString());
  followPalette();
}

void ChartPane::begin(const QString& title) {
  chart_->removeAllSeries();
  for (QAbstractAxis* axis : chart_->axes()) {
    chart_->removeAxis(axis);
    delete axis;
  }
  chart_->setTitle(title);
  why_->clear();
}

void ChartPane::finish() {
  empty_ = false;
  png_->setEnabled(true);
  svg_->setEnabled(true);
  followPalette();
}

void ChartPane::clear(const QString& why) {
  begin(QString());
  why_->setText(why);
  empty_ = true;
  png_->setEnabled(false);
  svg_->setEnabled(false);
}

namespace {

QValueAxis* Axis(QChart* chart, const QString& title, Qt::Alignment where) {
  auto* axis = new QValueAxis;
  axis->setTitleText(title);
  axis->setLabelFormat(QStringLiteral("%.10g"));
  chart->addAxis(axis, where);
  return axis;
}

void Attach(QChart* chart, QAbstractSeries* series, QValueAxis* x, QValueAxis* y) {
  chart->addSeries(series);
  series->attachAxis(x);
  series->attachAxis(y);
}

}  // namespace

void ChartPane::showProgression(const QString& title, const std::vector<double>& terms) {
  begin(title);
  if (terms.empty()) {
    clear(T("chart.no_terms"));
    return;
  }
  auto* points = new QScatterSeries;
  points->setName(T("chart.terms"));
  points->setMarkerSize(9);
  auto* sums = new QLineSeries;
  sums->setName(T("chart.sums"));
  sums->setPointsVisible(true);
  double sum = 0;
  for (size_t n = 0; n < terms.size(); ++n) {
    sum += terms[n];
    points->append(static_cast<double>(n + 1), terms[n]);
    sums->append(static_cast<double>(n + 1), sum);
  }
  QValueAxis* x = Axis(chart_, QStringLiteral("n"), Qt::AlignBottom);
  QValueAxis* y = Axis(chart_, QString(), Qt::AlignLeft);
  Attach(chart_, sums, x, y);
  Attach(chart_, points, x, y);
  // Ticks on whole n, about ten of them; the values' axis takes in 0.
  const auto count = static_cast<double>(terms.size());
  x->setRange(0, count + 1);
  x->setTickType(QValueAxis::TicksDynamic);
  x->setTickAnchor(0);
  x->setTickInterval(std::max(1.0, std::ceil(count / 10)));
  x->setLabelFormat(QStringLiteral("%.0f"));
  double lo = 0, hi = 0;
  for (const QPointF& p : points->points()) lo = std::min(lo, p.y()), hi = std::max(hi, p.y());
  for (const QPointF& p : sums->points()) lo = std::min(lo, p.y()), hi = std::max(hi, p.y());
  y->setRange(lo, hi > lo ? hi : lo + 1);
  y->applyNiceNumbers();
  finish();
}

void ChartPane::showSchedule(const Schedule& s) {
  begin(T("chart.title." + std::to_string(std::clamp(s.panel, 5, 7))));
  QValueAxis* x = Axis(chart_, T("chart.period"), Qt::AlignBottom);
  QValueAxis* y = Axis(chart_, QString(), Qt::AlignLeft);
  // Each axis spans from 0 to the largest value it shows, rounded out to nice numbers.
  std::map<QValueAxis*, double> tops;
  auto line = [&](const QString& name, size_t column, QValueAxis* axis, bool fromZero) {
    auto* series = new QLineSeries;
    series->setName(name);
    if (fromZero) series->append(0, 0);
    double& top = tops[axis];
    for (const auto& row : s.rows) {
      series->append(row[0], row[column]);
      top = std::max(top, row[column]);
    }
    Attach(chart_, series, x, axis);
    axis->setRange(0, top > 0 ? top : 1);
    axis->applyNiceNumbers();
    return series;
  };
  if (s.panel == 5) {
    auto* series = line(T("chart.capital"), 2, y, false);
    series->setPointsVisible(s.rows.size() <= 60);
  } else if (s.panel == 6) {
    line(T("chart.fund"), 4, y, true);
  } else {
    line(T("chart.pending"), 5, y, false);
    QValueAxis* parts = Axis(chart_, T("chart.each_payment"), Qt::AlignRight);
    line(T("chart.interest"), 2, parts, false);
    line(T("chart.principal"), 3, parts, false);
  }
  x->setLabelFormat(QStringLiteral("%.0f"));
  x->setRange(0, static_cast<double>(s.rows.size()));
  finish();
}

void ChartPane::followPalette() {
  const bool dark = palette().color(QPalette::Window).lightness() < 128;
  const QChart::ChartTheme theme = dark ? QChart::ChartThemeDark : QChart::ChartThemeLight;
  if (chart_->theme() != theme) chart_->setTheme(theme);
}

void ChartPane::changeEvent(QEvent* event) {
  if (event->type() == QEvent::PaletteChange) followPalette();
  QWidget::changeEvent(event);
}

QByteArray ChartPane::picture(bool svg) const {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  const QSize size = view_->size().expandedTo(QSize(640, 400));
  if (svg) {
    QSvgGenerator generator;
    generator.setOutputDevice(&buffer);
    generator.setSize(size);
    generator.setViewBox(QRect(QPoint(0, 0), size));
    generator.setTitle(chart_->title());
    QPainter painter(&generator);
    view_->render(&painter, QRectF(QPoint(0, 0), size), view_->rect());
  } else {
    QImage image(size, QImage::Format_ARGB32);
    image.fill(view_->palette().color(QPalette::Window));
    {
      QPainter painter(&image);
      painter.setRenderHint(QPainter::Antialiasing);
      view_->render(&painter, QRectF(QPoint(0, 0), size), view_->rect());
    }
    image.save(&buffer, "PNG");
  }
  return bytes;
}

void ChartPane::exportTo(bool svg) {
  Services* ui = ui_ ? ui_() : nullptr;
  if (empty_ || !ui) return;
  const std::string path = ui->chooseFile(DialogMode::Save, folder_ ? folder_() : std::string(),
                                          svg ? "*.svg|*.*" : "*.png|*.*");
  if (path.empty()) return;
  const QByteArray bytes = picture(svg);
  const FileResult written =
      EscriuBytes(std::string_view(bytes.constData(), static_cast<size_t>(bytes.size())), path);
  if (!written)
    ui->message(TextError(written, IdiomaActual()), TitolError(FileOperation::Save, IdiomaActual()),
                Icon::Exclamation);
}

std::vector<double> TermesDeLlista(const std::string& text) {
  std::vector<double> out;
  size_t at = 0;
  while (at <= text.size()) {
    size_t end = text.find(',', at);
    if (end == std::string::npos) end = text.size();
    double x = 0;
    const std::string piece = text.substr(at, end - at);
    if (piece.find("...") == std::string::npos && LlegeixNum(piece, x) && std::isfinite(x))
      out.push_back(x);
    at = end + 1;
  }
  return out;
}

}  // namespace tolvi
