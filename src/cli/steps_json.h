// The working of a solve as JSON, for `solve --json` and `generate --json`.
#pragma once
#include <nlohmann/json.hpp>

#include "solvers/steps.h"

namespace tolvi::cli {

// {"a": 3, "d": 2, ...}: every quantity of the case with a value, given or found.
nlohmann::ordered_json ValuesJson(const Solution& solution);
// [{"kind": "formula", "text": ..., "quantity": ..., ...}, ...] in computing order.
nlohmann::ordered_json StepsJson(const Solution& solution);

}  // namespace tolvi::cli
