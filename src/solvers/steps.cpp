#include "solvers/steps.h"

#include <cmath>
#include <utility>

#include "numeric/numtext.h"
#include "texts/catalogue.h"

namespace tolvi {

void Solution::given(std::string alias, std::string name, double value, std::string text) {
  quantities.push_back({std::move(alias), std::move(name), value, std::move(text), true});
}

void Solution::found(std::string alias, std::string name, double value, std::string text) {
  quantities.push_back({std::move(alias), std::move(name), value, std::move(text), false});
}

Step& Solution::formula(std::string label, std::string quantity, std::string sought,
                        std::string formula, std::string substituted, double value,
                        std::string result) {
  Step s;
  s.kind = StepKind::Formula;
  s.label = std::move(label);
  s.quantity = std::move(quantity);
  s.sought = std::move(sought);
  s.formula = std::move(formula);
  s.substituted = std::move(substituted);
  s.expression = MarkupCalc(s.substituted);
  s.value = value;
  s.result = std::move(result);
  steps.push_back(std::move(s));
  return steps.back();
}

Step& Solution::equation(std::string label, std::string quantity, std::string sought,
                         std::string equation, std::string method, double from, double to,
                         std::string tolerance, std::vector<std::string> roots, int chosen,
                         std::string why) {
  Step s;
  s.kind = StepKind::Equation;
  s.label = std::move(label);
  s.quantity = std::move(quantity);
  s.sought = std::move(sought);
  s.equation = std::move(equation);
  s.method = std::move(method);
  s.from = from;
  s.to = to;
  s.tolerance = std::move(tolerance);
  s.roots = std::move(roots);
  s.chosen = chosen;
  s.why = std::move(why);
  if (chosen >= 1 && static_cast<size_t>(chosen) <= s.roots.size())
    s.result = s.roots[static_cast<size_t>(chosen) - 1];
  steps.push_back(std::move(s));
  return steps.back();
}

void Solution::check(std::string text) {
  Step s;
  s.kind = StepKind::Check;
  s.text = std::move(text);
  steps.push_back(std::move(s));
}

void Solution::refusal(std::string text) {
  Step s;
  s.kind = StepKind::Refusal;
  s.text = std::move(text);
  steps.push_back(std::move(s));
}

std::string Factor(std::string_view shown) {
  // A negative number or a fraction ("5/2") is a factor only in parentheses.
  if (!shown.empty() && (shown[0] == '-' || shown.find('/') != std::string_view::npos))
    return "(" + std::string(shown) + ")";
  return std::string(shown);
}

namespace {

// The markup read as a tree: runs of text, sub- and superscripts, fractions.
struct Node {
  enum Kind { Text, Sub, Sup, Frac } kind = Text;
  std::string text;
  std::vector<Node> a, b;  // the script or numerator; the denominator
};
using Nodes = std::vector<Node>;

class Reader {
 public:
  explicit Reader(std::string_view m) : m_(m) {}
  Nodes Seq(bool inGroup) {
    Nodes out;
    while (i_ < m_.size()) {
      const char c = m_[i_];
      if (inGroup && c == '}') {
        ++i_;
        return out;
      }
      if ((c == '_' || c == '^') && i_ + 1 < m_.size()) {
        ++i_;
        Node n;
        n.kind = c == '_' ? Node::Sub : Node::Sup;
        n.a = Group();
        out.push_back(std::move(n));
      } else if (m_.substr(i_, 3) == "\\f{") {
        i_ += 2;
        Node n;
        n.kind = Node::Frac;
        n.a = Group();
        n.b = Group();
        out.push_back(std::move(n));
      } else {
        if (out.empty() || out.back().kind != Node::Text) out.push_back({});
        out.back().text += c;
        ++i_;
      }
    }
    return out;
  }

 private:
  // A braced group, or the one character (a whole UTF-8 sequence) that follows.
  Nodes Group() {
    if (i_ < m_.size() && m_[i_] == '{') {
      ++i_;
      return Seq(true);
    }
    size_t len = 1;
    while (i_ + len < m_.size() && (static_cast<unsigned char>(m_[i_ + len]) & 0xC0) == 0x80) ++len;
    Node n;
    n.text = std::string(m_.substr(i_, len));
    i_ += len;
    return {n};
  }

  std::string_view m_;
  size_t i_ = 0;
};

Nodes Parse(std::string_view m) { return Reader(m).Seq(false); }

// "-" in the markup's numbers is a minus sign in what people read.
std::string Minus(std::string_view text) {
  std::string out;
  for (char c : text) {
    if (c == '-')
      out += "\u2212";
    else
      out += c;
  }
  return out;
}

// The characters that have a Unicode sub- or superscript form.
std::string Script(std::string_view text, bool sub) {
  static const std::pair<std::string_view, std::string_view> kSub[] = {
      {"0", "₀"}, {"1", "₁"}, {"2", "₂"}, {"3", "₃"}, {"4", "₄"}, {"5", "₅"},
      {"6", "₆"}, {"7", "₇"}, {"8", "₈"}, {"9", "₉"}, {"+", "₊"}, {"-", "₋"},
      {"−", "₋"}, {"(", "₍"}, {")", "₎"}, {"a", "ₐ"}, {"e", "ₑ"}, {"o", "ₒ"},
      {"x", "ₓ"}, {"h", "ₕ"}, {"k", "ₖ"}, {"l", "ₗ"}, {"m", "ₘ"}, {"n", "ₙ"},
      {"p", "ₚ"}, {"s", "ₛ"}, {"t", "ₜ"}, {"i", "ᵢ"}, {"r", "ᵣ"}, {"j", "ⱼ"}};
  static const std::pair<std::string_view, std::string_view> kSup[] = {
      {"0", "⁰"}, {"1", "¹"}, {"2", "²"}, {"3", "³"}, {"4", "⁴"}, {"5", "⁵"}, {"6", "⁶"},
      {"7", "⁷"}, {"8", "⁸"}, {"9", "⁹"}, {"+", "⁺"}, {"-", "⁻"}, {"−", "⁻"}, {"(", "⁽"},
      {")", "⁾"}, {"n", "ⁿ"}, {"i", "ⁱ"}, {"k", "ᵏ"}, {"t", "ᵗ"}, {"m", "ᵐ"}, {"r", "ʳ"}};
  std::string out;
  size_t i = 0;
  while (i < text.size()) {
    if (text[i] == ' ') {  // "n − k" is set close as a script
      ++i;
      continue;
    }
    bool hit = false;
    const auto* first = sub ? std::begin(kSub) : std::begin(kSup);
    const auto* last = sub ? std::end(kSub) : std::end(kSup);
    for (const auto* p = first; p != last; ++p) {
      if (text.substr(i, p->first.size()) == p->first) {
        out += p->second;
        i += p->first.size();
        hit = true;
        break;
      }
    }
    if (!hit) return {};
  }
  return out;
}

bool Atom(std::string_view text) {
  for (std::string_view op : {" ", "+", "-", "\u2212", "\u00B7", "/"})
    if (text.find(op) != std::string_view::npos) return false;
  return true;
}

std::string Plain(const Nodes& nodes);

std::string PlainNode(const Node& n) {
  switch (n.kind) {
    case Node::Text: return Minus(n.text);
    case Node::Sub:
    case Node::Sup: {
      const std::string inner = Plain(n.a);
      std::string raw;
      for (const Node& c : n.a) raw += c.kind == Node::Text ? c.text : "\x01";
      const std::string script = Script(raw, n.kind == Node::Sub);
      if (!script.empty()) return script;
      const char* mark = n.kind == Node::Sub ? "_" : "^";
      return mark + (Atom(inner) ? inner : "(" + inner + ")");
    }
    case Node::Frac: {
      const std::string num = Plain(n.a), den = Plain(n.b);
      return (Atom(num) ? num : "(" + num + ")") + "/" + (Atom(den) ? den : "(" + den + ")");
    }
  }
  return {};
}

std::string Plain(const Nodes& nodes) {
  std::string out;
  for (const Node& n : nodes) out += PlainNode(n);
  return out;
}

std::string Escape(std::string_view text) {
  std::string out;
  for (char c : text) {
    if (c == '<')
      out += "&lt;";
    else if (c == '>')
      out += "&gt;";
    else if (c == '&')
      out += "&amp;";
    else
      out += c;
  }
  return out;
}

// Inline rich text; a fraction inside a script or another fraction stays on one line.
std::string Inline(const Nodes& nodes) {
  std::string out;
  for (const Node& n : nodes) {
    switch (n.kind) {
      case Node::Text: out += Escape(Minus(n.text)); break;
      case Node::Sub: out += "<sub>" + Inline(n.a) + "</sub>"; break;
      case Node::Sup: out += "<sup>" + Inline(n.a) + "</sup>"; break;
      case Node::Frac: {
        const std::string num = Inline(n.a), den = Inline(n.b);
        out += (Atom(Plain(n.a)) ? num : "(" + num + ")") + "/" +
               (Atom(Plain(n.b)) ? den : "(" + den + ")");
        break;
      }
    }
  }
  return out;
}

// The cells of one line: runs of text valign'd to the middle, each fraction a two-row table
// with a rule between numerator and denominator.
std::string Cells(const Nodes& nodes, std::string_view rule) {
  std::string out, run;
  auto flush = [&] {
    if (!run.empty()) out += "<td valign=middle style='white-space:pre'>" + run + "</td>";
    run.clear();
  };
  for (const Node& n : nodes) {
    if (n.kind != Node::Frac) {
      run += Inline({n});
      continue;
    }
    flush();
    out +=
        "<td valign=middle><table cellspacing=0 cellpadding=0 "
        "style='border-collapse:collapse'><tr><td align=center "
        "style='border-bottom:1px solid " +
        std::string(rule) + "'>&nbsp;" + Inline(n.a) +
        "&nbsp;</td></tr><tr><td align=center>&nbsp;" + Inline(n.b) +
        "&nbsp;</td></tr></table></td>";
  }
  flush();
  return out;
}

std::string Calc(const Nodes& nodes) {
  std::string out;
  for (const Node& n : nodes) {
    switch (n.kind) {
      case Node::Text: {
        std::string_view t = n.text;
        for (size_t i = 0; i < t.size();) {
          if (t.substr(i, 3) == "\u2212") {
            out += '-';
            i += 3;
          } else if (t.substr(i, 2) == "\u00B7") {
            out += '*';
            i += 2;
          } else {
            if (t[i] != ' ') out += t[i];
            ++i;
          }
        }
        break;
      }
      case Node::Sub: out += Calc(n.a); break;
      case Node::Sup: out += "^(" + Calc(n.a) + ")"; break;
      case Node::Frac: out += "(" + Calc(n.a) + ")/(" + Calc(n.b) + ")"; break;
    }
  }
  return out;
}

std::string Bound(double x) {
  if (std::isinf(x)) return x < 0 ? "\u2212\u221E" : "\u221E";
  return Minus(TextCurt(x));
}

}  // namespace

std::string MarkupText(std::string_view markup) { return Plain(Parse(markup)); }
std::string MarkupHtml(std::string_view markup) { return Inline(Parse(markup)); }
std::string MarkupCalc(std::string_view markup) { return Calc(Parse(markup)); }

std::string StepText(const Step& s) {
  switch (s.kind) {
    case StepKind::Formula: {
      std::string line = s.label + ": " + MarkupText(s.sought) + " = " + MarkupText(s.formula);
      const std::string sub = MarkupText(s.substituted);
      if (sub != MarkupText(s.formula) && sub != Minus(s.result)) line += " = " + sub;
      return line + " = " + Minus(s.result);
    }
    case StepKind::Equation: {
      std::string line = s.label + ": " + MarkupText(s.equation) + " (" + s.method;
      if (s.from != s.to)
        line += ", " + TxF("step.within", {(std::isinf(s.from) ? "(" : "[") + Bound(s.from) + ", " +
                                           Bound(s.to) + (std::isinf(s.to) ? ")" : "]")});
      if (!s.tolerance.empty()) line += ", " + MarkupText(s.tolerance);
      line += ")";
      if (s.roots.empty()) return line + ": " + Tx("step.no_root");
      std::string roots;
      for (size_t i = 0; i < s.roots.size(); ++i) roots += (i ? "; " : "") + Minus(s.roots[i]);
      line += ": " + TxF(s.roots.size() == 1 ? "step.root" : "step.roots", {roots});
      if (s.chosen < 1) return line + "; " + Tx("step.none_chosen");
      line += " \u2192 " + MarkupText(s.sought) + " = " + Minus(s.result);
      if (!s.why.empty()) line += " (" + s.why + ")";
      return line;
    }
    case StepKind::Check: return MarkupText(s.text);
    case StepKind::Refusal: return s.text;
  }
  return {};
}

std::string StepsText(const Solution& solution) {
  std::string out;
  for (const Step& s : solution.steps) out += StepText(s) + "\r\n";
  return out;
}

std::string AnswerWithSteps(std::string_view answer, const Solution& solution) {
  std::string out(answer);
  if (solution.steps.empty()) return out;
  out += "\r\n" + Tx("step.with_steps");
  for (const Step& s : solution.steps) out += "\r\n" + StepText(s);
  return out;
}

std::string StepsHtml(const Solution& solution, std::string_view ruleColour) {
  std::string out;
  for (const Step& s : solution.steps) {
    if (s.kind == StepKind::Formula) {
      Nodes line = Parse(s.sought + " = ");
      Nodes f = Parse(s.formula);
      line.insert(line.end(), f.begin(), f.end());
      if (MarkupText(s.substituted) != MarkupText(s.formula) &&
          MarkupText(s.substituted) != Minus(s.result)) {
        Nodes eq = Parse(" = " + s.substituted);
        line.insert(line.end(), eq.begin(), eq.end());
      }
      Nodes res = Parse(" = ");
      line.insert(line.end(), res.begin(), res.end());
      out += "<table cellspacing=0 cellpadding=1><tr><td valign=middle><b>" + Escape(s.label) +
             ":</b>&nbsp;</td>" + Cells(line, ruleColour) + "<td valign=middle><b>" +
             Escape(Minus(s.result)) + "</b></td></tr></table>";
    } else if (s.kind == StepKind::Equation) {
      std::string text = StepText(s);
      const size_t colon = text.find(": ");
      out += "<p><b>" + Escape(s.label) + ":</b> " + MarkupHtml(s.equation) +
             Escape(text.substr(colon + 2 + MarkupText(s.equation).size())) + "</p>";
    } else if (s.kind == StepKind::Refusal) {
      out += "<p><i>" + Escape(s.text) + "</i></p>";
    } else {
      out += "<p>" + MarkupHtml(s.text) + "</p>";
    }
  }
  return out;
}

}  // namespace tolvi
