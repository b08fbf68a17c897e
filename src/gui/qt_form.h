// The Form the controller writes to, over the widgets and menu actions of a Qt window: each
// control is found by its objectName ("Id(0)", "BtGuard(2)", "OpGuard", "LstSmbs").
// Texts written here never raise the widgets' signals; the controller runs its own change
// handlers for the texts it writes.
#pragma once
#include <QObject>
#include <QPointer>
#include <map>
#include <set>
#include <string>
#include <string_view>
#include <vector>
#include "solvers/form.h"

class QComboBox;
class QWidget;

namespace tolvi {

class QtForm : public Form {
 public:
  // root holds every control, directly or deeper (menu actions included).
  explicit QtForm(QWidget& root);

  std::string text(std::string_view name) const override;
  void setText(std::string_view name, std::string_view text) override;
  bool enabled(std::string_view name) const override;
  void setEnabled(std::string_view name, bool on) override;
  bool visible(std::string_view name) const override;
  void setVisible(std::string_view name, bool on) override;
  std::vector<std::string> items(std::string_view name) const override;
  void addItem(std::string_view name, std::string_view item) override;
  int currentIndex(std::string_view name) const override;
  void setCurrentIndex(std::string_view name, int index) override;

  // The control of that name, or nullptr (a warning is printed once per unknown name).
  QObject* find(std::string_view name) const;

  // Marks that the user typed a text of their own into an editable list: its current index
  // reads -1 until an item is chosen again. The window calls it on the list's textEdited.
  static void markTyped(QComboBox& list, bool typed);

 private:
  QComboBox* list(std::string_view name) const;

  QWidget& root_;
  mutable std::map<std::string, QPointer<QObject>, std::less<>> cache_;
  mutable std::set<std::string, std::less<>> missing_;  // names already warned about
};

}  // namespace tolvi
