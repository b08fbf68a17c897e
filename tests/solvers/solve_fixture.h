// What the solver tests share: a solve run as the window runs it, on an in-memory form, with
// services that record what it shows.
#pragma once
#include <array>
#include <deque>
#include <functional>
#include <string>
#include <utility>
#include <vector>
#include "solvers/controls.h"
#include "solvers/form.h"
#include "solvers/geometric.h"
#include "solvers/recording_services.h"
#include "solvers/solve.h"

namespace tolvi::test {

// A solve's edits applied to the form in order, as the window applies them; onText, when
// given, is the change handler each written text raises.
inline void Apply(const SolveOutcome& outcome, MemoryForm& form,
                  const std::function<void(const std::string&)>& onText = {}) {
  for (const FormEdit& e : outcome.edits) {
    if (e.kind == FormEdit::Text) form.setText(e.name, e.text);
    if (e.kind == FormEdit::Enabled) form.setEnabled(e.name, e.on);
    if (e.kind == FormEdit::Visible) form.setVisible(e.name, e.on);
    if (e.kind == FormEdit::Text && onText) onText(e.name);
  }
}

// The texts typed into group(first), group(first + 1), ... of a fresh form.
inline MemoryForm Typed(const ctl::Group& group, int first, const std::vector<std::string>& texts) {
  MemoryForm form;
  for (const std::string& t : texts) form.setText(group(first++), t);
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
  r.ui.defaultChoice = 0;
  r.ui.choiceAnswers = std::move(answers);
  SolveContext ctx{r.ui, kSpanish, std::move(smb)};
  r.out = solver(r.form, ctx);
  Apply(r.out, r.form);
  return r;
}

using Camps = std::array<std::string, 6>;  // the texts of Idg(0)..Idg(5)

// The geometric row as the window starts it, with the controller's way of applying an
// outcome: every text written into Idg(i) raises that field's change handler.
struct Fila {
  MemoryForm form;
  RecordingServices ui;
  SolveContext ctx{ui};
  ValsG vals{};
  explicit Fila(const Camps& idg = {}, const std::string& k = "1", bool decr = false) {
    ui.defaultChoice = 0;  // the chooser cancels once its answers run out
    form = Typed(ctl::Idg, 0, {idg.begin(), idg.end()});
    form.setText(ctl::Id1g, k);
    Aplica(MostraSumaInf(decr));
    form.setVisible(ctl::IdPG, false);
    form.setEnabled(ctl::BtGuard(2), false);
  }
  SolveOutcome Aplica(SolveOutcome o) {
    Apply(o, form, [this](const std::string& name) {
      if (int i = 0; ctl::Index(name, ctl::Idg, i)) Aplica(CanviIdg());
    });
    if (o.solved) form.setEnabled(ctl::BtGuard(2), true);
    return o;
  }
  // Solve from the infinite sum when Idg(5) holds one, otherwise with the Ok button.
  SolveOutcome Resol() {
    if (form.text(ctl::Idg(5)).empty()) return Aplica(ResolG(form, ctx, vals));
    return Aplica(TeclaIdg(5, kTeclaEnter, form, ctx, vals).outcome);
  }
  std::string Text(int i) const { return form.text(ctl::Idg(i)); }
  bool Fila5() { return form.visible(ctl::Idg(5)) && form.enabled(ctl::OkS) && form.enabled(ctl::EtS); }
};

}  // namespace tolvi::test
