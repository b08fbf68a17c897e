#include "cli/steps_json.h"

#include <cmath>

namespace tolvi::cli {

using Json = nlohmann::ordered_json;

Json ValuesJson(const Solution& solution) {
  Json out = Json::object();
  for (const Quantity& q : solution.quantities)
    if (!q.alias.empty() && std::isfinite(q.value)) out[q.alias] = q.value;
  return out;
}

Json StepsJson(const Solution& solution) {
  Json out = Json::array();
  auto bound = [](double x) { return std::isfinite(x) ? Json(x) : Json(nullptr); };
  for (const Step& s : solution.steps) {
    Json step;
    switch (s.kind) {
      case StepKind::Formula:
        step = {{"kind", "formula"},
                {"text", StepText(s)},
                {"quantity", s.quantity},
                {"formula", MarkupText(s.sought) + " = " + MarkupText(s.formula)},
                {"substituted", MarkupText(s.substituted)},
                {"result", s.result},
                {"expression", s.expression}};
        break;
      case StepKind::Equation:
        step = {{"kind", "equation"},
                {"text", StepText(s)},
                {"quantity", s.quantity},
                {"equation", MarkupText(s.equation)},
                {"interval", Json::array({bound(s.from), bound(s.to)})},
                {"roots", s.roots},
                {"chosen", s.chosen}};
        break;
      case StepKind::Check: step = {{"kind", "check"}, {"text", StepText(s)}}; break;
      case StepKind::Refusal: step = {{"kind", "refusal"}, {"text", StepText(s)}}; break;
    }
    out.push_back(std::move(step));
  }
  return out;
}

}  // namespace tolvi::cli
