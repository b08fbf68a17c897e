// The main window as the solvers and the controller see it: controls found by their names
// ("Id(0)", "IdI(15)", "BtGuard(2)"), each with a text, an enabled and a visible state.
// The Qt window and an in-memory form (tests, tolvi-cli) both implement it.
#pragma once
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>
#include "documents/prob.h"
#include "solvers/steps.h"

namespace tolvi {

class Form {
 public:
  virtual ~Form() = default;
  virtual std::string text(std::string_view name) const = 0;
  virtual void setText(std::string_view name, std::string_view text) = 0;
  virtual bool enabled(std::string_view name) const = 0;
  virtual void setEnabled(std::string_view name, bool on) = 0;
  virtual bool visible(std::string_view name) const = 0;
  virtual void setVisible(std::string_view name, bool on) = 0;
  // List controls (the currency list): items, and the selected one (-1 = none).
  virtual std::vector<std::string> items(std::string_view name) const = 0;
  virtual void addItem(std::string_view name, std::string_view item) = 0;
  virtual int currentIndex(std::string_view name) const = 0;
  virtual void setCurrentIndex(std::string_view name, int index) = 0;
};

// A form held in memory. Controls never written read as empty, enabled and visible; a name
// that is none of the window's controls is a programming error (std::invalid_argument).
class MemoryForm : public Form {
 public:
  struct Control {
    std::string text;
    bool enabled = true;
    bool visible = true;
    std::vector<std::string> items;
    int current = -1;
  };
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
  const std::map<std::string, Control, std::less<>>& controls() const { return controls_; }

 private:
  static void check(std::string_view name);
  const Control* find(std::string_view name) const;
  Control& at(std::string_view name);
  std::map<std::string, Control, std::less<>> controls_;
};

// One change a solver makes to the window, applied by the controller in order.
struct FormEdit {
  enum Kind { Text, Enabled, Visible } kind;
  std::string name;
  std::string text;  // Text
  bool on = false;   // Enabled, Visible
};

// What a solve wants written. The controller applies the edits in order (a text edit raises
// the field's change handler, which disables the panel's Save button), then stores the record,
// then enables the panel's Save button when solved is true.
struct SolveOutcome {
  std::vector<FormEdit> edits;
  std::optional<Prob> record;
  bool solved = false;
  Solution solution;  // the working: the case's quantities and the steps that found them

  void setText(std::string_view name, std::string_view text) {
    edits.push_back({FormEdit::Text, std::string(name), std::string(text), false});
  }
  void setEnabled(std::string_view name, bool on) {
    edits.push_back({FormEdit::Enabled, std::string(name), {}, on});
  }
  void setVisible(std::string_view name, bool on) {
    edits.push_back({FormEdit::Visible, std::string(name), {}, on});
  }
};

}  // namespace tolvi
