// Services that record what a solver shows instead of showing it, and a helper that applies
// a solve's outcome to an in-memory form as the window's controller does.
#pragma once
#include <string>
#include <vector>
#include "solvers/form.h"
#include "solvers/services.h"

namespace tolvi::test {

struct Shown {
  std::string text, title;
  Icon icon = Icon::None;
  bool operator==(const Shown&) const = default;
};

class RecordingServices : public Services {
 public:
  std::vector<Shown> messages;
  bool yes = true;    // answer to every question
  int option = 1;     // answer of the option chooser
  std::vector<std::string> chooserCalls;

  void message(std::string_view text, std::string_view title, Icon icon) override {
    messages.push_back({std::string(text), std::string(title), icon});
  }
  bool askYesNo(std::string_view, std::string_view) override { return yes; }
  int chooseOption(std::string_view caption, std::string_view) override {
    chooserCalls.emplace_back(caption);
    return option;
  }
  std::string chooseFile(int, std::string, std::string_view) override { return {}; }
  void showProblem(std::string_view, const Prob&) override {}
  bool startProgram(const Command&, WindowStyle) override { return true; }
  bool openDocument(const std::string&) override { return true; }
};

inline void Apply(const SolveOutcome& outcome, MemoryForm& form) {
  for (const FormEdit& e : outcome.edits) {
    switch (e.kind) {
      case FormEdit::Text: form.setText(e.name, e.text); break;
      case FormEdit::Enabled: form.setEnabled(e.name, e.on); break;
      case FormEdit::Visible: form.setVisible(e.name, e.on); break;
    }
  }
}

}  // namespace tolvi::test
