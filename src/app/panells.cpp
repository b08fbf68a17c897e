#include "app/panells.h"

#include "app/controller.h"

namespace tolvi {

namespace {

std::vector<Panell> MakePanells() {
  std::vector<Panell> out;
  out.push_back({0, "arithmetic",
                 {{"k", "Id1a"}, {"a", "Id(0)"}, {"d", "Id(1)"}, {"n", "Id(2)"}, {"an", "Id(3)"},
                  {"sn", "Id(4)"}},
                 {},
                 "IdPA"});
  out.push_back({1, "arithmetic-interpolation", {{"k", "IdK"}, {"a", "IdA"}, {"b", "IdB"}}, {}, ""});
  out.push_back({2, "geometric",
                 {{"k", "Id1g"}, {"a", "Idg(0)"}, {"r", "Idg(1)"}, {"n", "Idg(2)"},
                  {"an", "Idg(3)"}, {"sn", "Idg(4)"}, {"s", "Idg(5)"}},
                 {},
                 "IdPG"});
  out.push_back({3, "geometric-interpolation", {{"k", "IdKg"}, {"a", "IdAg"}, {"b", "IdBg"}}, {}, ""});
  const char* interest[4] = {"simple", "compound", "capitalisation", "amortisation"};
  for (int16_t key = 4; key <= 7; ++key) {
    const int j = 4 * (key - 4);
    const char* last = key < 6 ? "final" : "annuity";
    out.push_back({key, interest[key - 4],
                   {{key == 7 ? "debt" : "capital", "IdI(" + std::to_string(j) + ")"},
                    {"rate", "IdI(" + std::to_string(j + 1) + ")"},
                    {"time", "IdI(" + std::to_string(j + 2) + ")"},
                    {last, "IdI(" + std::to_string(j + 3) + ")"}},
                   {},
                   ""});
  }
  for (Panell& p : out)
    for (const auto& input : p.inputs) p.fields.push_back(input.second);
  out[1].fields.insert(out[1].fields.end(), {"Idd", "IdTrms"});
  out[3].fields.insert(out[3].fields.end(), {"IdR", "IdTG"});
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
  const std::vector<std::string> items = form.items("LstSmbs");
  for (size_t i = 0; i < items.size(); ++i) {
    if (items[i] == symbol) {
      form.setCurrentIndex("LstSmbs", static_cast<int>(i));
      controller.symbolSelected(static_cast<int>(i));
      return;
    }
  }
  form.setCurrentIndex("LstSmbs", -1);
  form.setText("LstSmbs", symbol);
  controller.keyPressed("LstSmbs", kEnter);
}

}  // namespace tolvi
