// What the solver tests share: services that record what a solver shows instead of showing
// it, and a solve run as the window runs it, on an in-memory form.
#pragma once
#include <deque>
#include <string>
#include <utility>
#include <vector>
#include "solvers/form.h"
#include "solvers/solve.h"

namespace tolvi::test {

struct Shown {
  std::string text, title;
  Icon icon = Icon::None;
  bool operator==(const Shown&) const = default;
};

// The option chooser answers from `answers` (cancel once they run out) and records its
// caption and options.
class RecordingServices : public Services {
 public:
  std::vector<Shown> messages;
  std::vector<std::pair<std::string, std::string>> choosers;
  std::deque<int> answers;

  void message(std::string_view text, std::string_view title, Icon icon) override {
    messages.push_back({std::string(text), std::string(title), icon});
  }
  int chooseOption(std::string_view caption, std::string_view options) override {
    choosers.emplace_back(caption, options);
    if (answers.empty()) return 0;
    const int a = answers.front();
    answers.pop_front();
    return a;
  }
  bool askYesNo(std::string_view, std::string_view) override { return false; }
  std::string chooseFile(int, std::string, std::string_view) override { return {}; }
  void showProblem(std::string_view, const Prob&) override {}
  bool startProgram(const Command&, WindowStyle) override { return false; }
  bool openDocument(const std::string&) override { return false; }
};

inline void Apply(const SolveOutcome& outcome, MemoryForm& form) {
  for (const FormEdit& e : outcome.edits) {
    if (e.kind == FormEdit::Text) form.setText(e.name, e.text);
    if (e.kind == FormEdit::Enabled) form.setEnabled(e.name, e.on);
    if (e.kind == FormEdit::Visible) form.setVisible(e.name, e.on);
  }
}

// The texts typed into group(first), group(first + 1), ... of a fresh form.
inline MemoryForm Typed(std::string_view group, int first, const std::vector<std::string>& texts) {
  MemoryForm form;
  for (const std::string& t : texts) form.setText(Nom(group, first++), t);
  return form;
}

// A solver run on `form`, with what it returned applied to the form.
struct Solved {
  MemoryForm form;
  RecordingServices ui;
  SolveOutcome out;
  std::string text(std::string_view name) const { return form.text(name); }
};

template <class Solver>
Solved Solve(MemoryForm form, Solver solver, std::string smb = "\u20AC",
             std::deque<int> answers = {}) {
  Solved r{std::move(form), {}, {}};
  r.ui.answers = std::move(answers);
  SolveContext ctx{r.ui, 2, std::move(smb)};
  r.out = solver(r.form, ctx);
  Apply(r.out, r.form);
  return r;
}

}  // namespace tolvi::test
