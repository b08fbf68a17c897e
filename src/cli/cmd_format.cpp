#include <CLI/CLI.hpp>
#include <charconv>
#include <cmath>
#include <nlohmann/json.hpp>
#include <ostream>
#include <string>
#include <vector>

#include "cli/cli.h"
#include "numeric/numtext.h"

namespace tolvi::cli {

namespace {

// A VALUE is a plain number ("." decimals, an optional exponent) or, failing that, a text
// read as a field reads it (so 1/3, pi or 1,5 are values too). Only finite values are taken.
bool LlegeixValor(const std::string& text, double& value) {
  std::string_view t = text;
  if (!t.empty() && t[0] == '+') t.remove_prefix(1);
  double v = 0;
  auto r = std::from_chars(t.data(), t.data() + t.size(), v, std::chars_format::general);
  if (!t.empty() && r.ec == std::errc() && r.ptr == t.data() + t.size()) {
    if (!std::isfinite(v)) return false;
    value = v == 0 ? 0.0 : v;
    return true;
  }
  CalcResult err;
  if (text.find_first_not_of(" \t\n") == std::string::npos) return false;
  LlegeixNum(text, v, &err);
  if (!err.ok()) return false;
  value = v;
  return true;
}

}  // namespace

// tolvi-cli format [--decimals N] VALUE...: how the program writes each value.
void AddFormat(CLI::App& app, Streams io, int* status) {
  struct Options {
    std::vector<std::string> values;
    int decimals = 3;
    bool json = false;
  };
  auto opts = std::make_shared<Options>();
  CLI::App* cmd = app.add_subcommand("format",
                                     "Write each VALUE as the program does: integer, else "
                                     "fraction, else decimal");
  cmd->add_option("VALUE", opts->values,
                  "Numbers (or expressions as typed in a field); put -- before "
                  "values that begin with -")
      ->required();
  cmd->add_option("--decimals", opts->decimals, "Decimals of the decimal form")
      ->check(CLI::Range(1, 300))
      ->default_val(3);
  cmd->add_flag("--json", opts->json, "Print one JSON document");
  cmd->callback([opts, io, status] {
    std::vector<double> values;
    for (const std::string& text : opts->values) {
      double v = 0;
      if (!LlegeixValor(text, v)) {
        io.err << "format: not a number: " << text << '\n';
        *status = kUsage;
        return;
      }
      values.push_back(v);
    }
    const auto n = static_cast<int16_t>(opts->decimals);
    nlohmann::ordered_json results = nlohmann::ordered_json::array();
    for (size_t i = 0; i < values.size(); ++i) {
      std::string text = EscriuNum(values[i], n);
      if (opts->json)
        results.push_back({{"value", values[i]}, {"text", text}});
      else
        io.out << opts->values[i] << " -> " << text << '\n';
    }
    if (opts->json) io.out << nlohmann::ordered_json{{"results", results}}.dump() << '\n';
    *status = kOk;
  });
}

}  // namespace tolvi::cli
