// The chart beside the steps and the table: the terms of a solved progression with their
// partial sums, the capital of compound interest, the fund of a capitalisation, the pending
// capital of an amortisation with the interest and the principal of each payment. Exported as
// PNG or SVG; its colours follow a light or a dark palette.
#pragma once
#include <QWidget>
#include <functional>
#include <string>
#include <vector>

class QChart;
class QChartView;
class QLabel;
class QPushButton;

namespace tolvi {

class Services;
struct Schedule;

class ChartPane : public QWidget {
 public:
  // ui gives the services the export goes through (its file dialog and messages), folder the
  // folder the dialog opens in; both are asked for when a chart is exported.
  ChartPane(std::function<Services*()> ui, std::function<std::string()> folder,
            QWidget* parent = nullptr);

  void showProgression(const QString& title, const std::vector<double>& terms);
  void showSchedule(const Schedule& schedule);
  // No chart, and why.
  void clear(const QString& why);
  bool empty() const { return empty_; }
  QChart* chart() const { return chart_; }
  // The chart as PNG or SVG bytes, at the size it is shown.
  QByteArray picture(bool svg) const;

 protected:
  void changeEvent(QEvent* event) override;

 private:
  void begin(const QString& title);
  void finish();
  void exportTo(bool svg);
  void followPalette();

  std::function<Services*()> ui_;
  std::function<std::string()> folder_;
  QChart* chart_ = nullptr;
  QChartView* view_ = nullptr;
  QLabel* why_ = nullptr;
  QPushButton* png_ = nullptr;
  QPushButton* svg_ = nullptr;
  bool empty_ = true;
};

// The numbers of a term list as the window writes it (" 3, 5, 9/2, ..."): the ellipsis and
// anything that does not read as a number are left out.
std::vector<double> TermesDeLlista(const std::string& text);

}  // namespace tolvi
