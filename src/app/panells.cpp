#include "app/panells.h"
#include "solvers/controls.h"

#include "app/controller.h"

namespace tolvi {

namespace {

std::vector<Panell> MakePanells() {
  std::vector<Panell> out;
  out.push_back({0,
                 "arithmetic",
                 {{"k", ctl::Id1a},
                  {"a", ctl::Id(0)},
                  {"d", ctl::Id(1)},
                  {"n", ctl::Id(2)},
                  {"an", ctl::Id(3)},
                  {"sn", ctl::Id(4)}},
                 {},
                 ctl::IdPA});
  out.push_back(
      {1, "arithmetic-interpolation", {{"k", ctl::IdK}, {"a", ctl::IdA}, {"b", ctl::IdB}}, {}, ""});
  out.push_back({2,
                 "geometric",
                 {{"k", ctl::Id1g},
                  {"a", ctl::Idg(0)},
                  {"r", ctl::Idg(1)},
                  {"n", ctl::Idg(2)},
                  {"an", ctl::Idg(3)},
                  {"sn", ctl::Idg(4)},
                  {"s", ctl::Idg(5)}},
                 {},
                 ctl::IdPG});
  out.push_back({3,
                 "geometric-interpolation",
                 {{"k", ctl::IdKg}, {"a", ctl::IdAg}, {"b", ctl::IdBg}},
                 {},
                 ""});
  const char* interest[4] = {"simple", "compound", "capitalisation", "amortisation"};
  for (int key = 4; key <= 7; ++key) {
    const int j = 4 * (key - 4);
    const char* last = key < 6 ? "final" : "annuity";
    out.push_back({key,
                   interest[key - 4],
                   {{key == 7 ? "debt" : "capital", ctl::IdI(j)},
                    {"rate", ctl::IdI(j + 1)},
                    {"time", ctl::IdI(j + 2)},
                    {last, ctl::IdI(j + 3)}},
                   {},
                   ""});
  }
  for (Panell& p : out)
    for (const auto& input : p.inputs) p.fields.push_back(input.second);
  out[1].fields.insert(out[1].fields.end(), {ctl::Idd, ctl::IdTrms});
  out[3].fields.insert(out[3].fields.end(), {ctl::IdR, ctl::IdTG});
  return out;
}

}  // namespace

const std::vector<Panell>& Panells() {
  static const std::vector<Panell> panels = MakePanells();
  return panels;
}

const Panell* PanellPerNom(std::string_view nameOrKey) {
  for (const Panell& p : Panells())
    if (p.name == nameOrKey ||
        (nameOrKey.size() == 1 && nameOrKey[0] == static_cast<char>('0' + p.key)))
      return &p;
  return nullptr;
}

std::string ControlDeCamp(const Panell& panel, std::string_view name) {
  for (const auto& [alias, control] : panel.inputs)
    if (alias == name || control == name) return control;
  return {};
}

void TriaSimbol(Controller& controller, std::string_view symbol) {
  Form& form = controller.form();
  const std::vector<std::string> items = form.items(ctl::LstSmbs);
  for (size_t i = 0; i < items.size(); ++i) {
    if (items[i] == symbol) {
      form.setCurrentIndex(ctl::LstSmbs, static_cast<int>(i));
      controller.symbolSelected(static_cast<int>(i));
      return;
    }
  }
  form.setCurrentIndex(ctl::LstSmbs, -1);
  form.setText(ctl::LstSmbs, symbol);
  controller.keyPressed(ctl::LstSmbs, kEnter);
}

}  // namespace tolvi
