// tolvi-cli roots EXPR A B [TOL]: compile a function of x and print its roots on [A, B].
#include <CLI/CLI.hpp>
#include <charconv>
#include <cmath>
#include <memory>
#include <nlohmann/json.hpp>
#include <ostream>
#include <string>

#include "cli/cli.h"
#include "numeric/fun.h"

namespace tolvi::cli {

namespace {

using Json = nlohmann::ordered_json;

// A plain number: "." decimals, an optional exponent and sign; finite.
bool LlegeixNombre(std::string_view t, double& value) {
  if (!t.empty() && t[0] == '+') t.remove_prefix(1);
  double v = 0;
  const auto r = std::from_chars(t.data(), t.data() + t.size(), v, std::chars_format::general);
  if (t.empty() || r.ec != std::errc() || r.ptr != t.data() + t.size() || !std::isfinite(v))
    return false;
  value = v;
  return true;
}

std::string TextNombre(double v) {
  char buf[32];
  const auto r = std::to_chars(buf, buf + sizeof buf, v);
  return std::string(buf, r.ptr);
}

// A code string for people: the roots of higher index are control characters.
std::string CodiVisible(const std::string& code) {
  std::string out;
  for (char c : code) {
    const auto u = static_cast<unsigned char>(c);
    if (u < 0x20) {
      out += "\\x";
      out += "0123456789ABCDEF"[u >> 4];
      out += "0123456789ABCDEF"[u & 15];
    } else {
      out += c;
    }
  }
  return out;
}

std::string Dump(const Json& j) { return j.dump(-1, ' ', false, Json::error_handler_t::replace); }

struct Options {
  std::string expr, a, b, tol = "1e-8";
  bool json = false;
};

int Roots(const Options& o, Streams io) {
  double a = 0, b = 0, tol = 0;
  if (!LlegeixNombre(o.a, a) || !LlegeixNombre(o.b, b)) {
    io.err << "roots: A and B must be finite numbers (put -- before values that begin with -)\n";
    return kUsage;
  }
  if (!LlegeixNombre(o.tol, tol) || !(tol > 0)) {
    io.err << "roots: TOL must be a number greater than 0\n";
    return kUsage;
  }
  auto falla = [&](const std::string& error, const std::string* word) {
    if (o.json) {
      Json j{{"error", error}};
      if (word) j["word"] = *word;
      io.out << Dump(j) << '\n';
    } else {
      io.err << "roots: " << error << '\n';
    }
    return kFailed;
  };

  std::string text = o.expr;
  const std::string code = CompilaFun(text);
  if (code.empty()) {
    if (o.expr.empty()) return falla("the expression is empty", nullptr);
    if (text != o.expr) return falla("unknown function name: " + text, &text);
    return falla(
        "the expression cannot be compiled: a word needs \"(\" after it, and a single "
        "letter other than x and y may only stand before an operator, \")\" or a digit",
        nullptr);
  }

  const ResultatArrels res = CercaArrels(FunPrograma(code), a, b, tol);
  switch (res.estat) {
    case EstatArrels::Ok: break;
    case EstatArrels::IntervalMassaLlarg:
      return falla("the interval needs more than " + std::to_string(kMaxPassosArrels) +
                       " scan steps of 0.1 (or is too far from 0 for steps of 0.1)",
                   nullptr);
    case EstatArrels::MassaArrels: return falla("more than 32767 roots", nullptr);
    default: return falla("the interval or the tolerance is not valid", nullptr);
  }

  if (o.json) {
    Json roots = Json::array();
    for (double r : res.roots) roots.push_back(r);
    io.out << Dump(Json{{"expr", o.expr}, {"code", code}, {"roots", roots}}) << '\n';
  } else {
    io.out << "code: " << CodiVisible(code) << '\n';
    if (res.roots.empty()) io.out << "no roots on [" << o.a << ", " << o.b << "]\n";
    for (double r : res.roots) io.out << TextNombre(r) << '\n';
  }
  return kOk;
}

}  // namespace

void AddRoots(CLI::App& app, Streams io, int* status) {
  auto opts = std::make_shared<Options>();
  CLI::App* cmd = app.add_subcommand(
      "roots", "Compile EXPR (a function of x) and print its roots on [A, B], in increasing order");
  cmd->add_option("EXPR", opts->expr,
                  "The function, as typed (sin(x), (1+x/100)^12*x-5, ...); put -- before an EXPR "
                  "or a number that begins with -")
      ->required();
  cmd->add_option("A", opts->a, "Start of the interval")->required();
  cmd->add_option("B", opts->b, "End of the interval")->required();
  cmd->add_option("TOL", opts->tol, "Tolerance of each root")->default_val("1e-8");
  cmd->add_flag("--json", opts->json, "Print one JSON document");
  cmd->callback([opts, io, status] { *status = Roots(*opts, io); });
}

}  // namespace tolvi::cli
