#include "app/worksheet.h"

#include <algorithm>
#include <cctype>
#include <cmath>

#include "app/controller.h"
#include "app/panells.h"
#include "documents/problem_file.h"
#include "numeric/numtext.h"
#include "solvers/atzar.h"
#include "solvers/controls.h"
#include "solvers/recording_services.h"
#include "texts/catalogue.h"

namespace tolvi {

namespace {

// How a question names a quantity: the progressions' symbols as the window writes them
// ("a_4" in the working's markup), the interest panels' in a few words of the interface
// language ("sheet.q.<alias>"; the capital of a capitalisation is the one accumulated).
void Label(int key, const Quantity& q, FoundQuantity& out) {
  static const char* const kAliases[] = {"debt", "rate", "time", "final", "annuity"};
  if (key >= 4) {
    out.label =
        q.alias == "capital" ? Tx(key == 6 ? "sheet.q.accumulated" : "sheet.q.capital") : q.alias;
    for (const char* alias : kAliases)
      if (q.alias == alias) out.label = Tx(std::string("sheet.q.") + alias);
    out.labelHtml = FormulaHtml(out.label);
  } else {
    out.label = MarkupText(q.name);
    out.labelHtml = MarkupHtml(q.name);
  }
}

// XML 1.0 has no place for the control characters other than tab and the line breaks.
bool XmlControl(char c) {
  return static_cast<unsigned char>(c) < 0x20 && c != '\t' && c != '\n' && c != '\r';
}

// One character as XML and HTML text hold it.
void AppendEscaped(std::string& out, char c) {
  switch (c) {
    case '&': out += "&amp;"; break;
    case '<': out += "&lt;"; break;
    case '>': out += "&gt;"; break;
    case '"': out += "&quot;"; break;
    default: out += c;
  }
}

std::string XmlEscaped(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (const char c : text)
    if (!XmlControl(c)) AppendEscaped(out, c);
  return out;
}

// CDATA may hold anything but its own end mark, which is split across two sections.
std::string Cdata(std::string_view text) {
  std::string out = "<![CDATA[";
  for (size_t i = 0; i < text.size(); ++i) {
    if (XmlControl(text[i])) continue;
    if (text.compare(i, 3, "]]>") == 0) {
      out += "]]]]><![CDATA[>";
      i += 2;
    } else {
      out += text[i];
    }
  }
  return out + "]]>";
}

// A number as Moodle reads it: "." as decimal point, enough digits to give back the double.
std::string MoodleNumber(double x) {
  std::string t = TextCurt(x);
  return t.empty() ? "0" : t;
}

}  // namespace

bool Worksheet::allSolved() const {
  return std::all_of(cases.begin(), cases.end(), [](const WorksheetCase& c) { return c.solved; });
}

std::vector<Prob> Worksheet::problems() const {
  std::vector<Prob> out;
  for (const WorksheetCase& c : cases)
    if (c.solved) out.push_back(c.problem);
  return out;
}

Worksheet ComposeWorksheet(const WorksheetRequest& request) {
  // The same steps as the Generate button in a window of its own, so that a seed gives the
  // cases `tolvi-cli generate` gives.
  MemoryForm form;
  RecordingServices ui;
  Atzar rng(request.seed);
  Controller controller(form, ui, rng, "");
  controller.start();
  TriaSimbol(controller, request.symbol);

  Worksheet sheet;
  sheet.seed = request.seed;
  for (size_t p = 0; p < request.panels.size(); ++p) {
    const int key = request.panels[p];
    if (!IsPanelKey(key)) continue;
    const int count = p < request.counts.size() ? request.counts[p] : request.count;
    for (int i = 0; i < count; ++i) {
      const size_t messagesBefore = ui.messages.size();
      controller.generate(key);
      WorksheetCase c;
      c.panel = key;
      c.solved = form.enabled(ctl::BtGuard(key));
      if (c.solved) {
        c.problem = controller.state().Probs[static_cast<size_t>(key)];
        c.working = controller.state().Solutions[static_cast<size_t>(key)];
        for (const Quantity& q : c.working.quantities) {
          if (q.given) continue;
          FoundQuantity f;
          f.alias = q.alias;
          Label(key, q, f);
          f.shown = q.text;
          f.value = q.value;
          // The interest panels write every amount, rate and time with two decimals.
          f.tolerance = ToleranceOf(q.text, key >= 4 ? 2 : -1);
          c.found.push_back(std::move(f));
        }
      } else {
        c.failure = TxF("sheet.case_failed", {NomPanell(key)});
        for (size_t m = messagesBefore; m < ui.messages.size(); ++m)
          c.failure += " (" + ui.messages[m].title + ": " + ui.messages[m].text + ")";
      }
      sheet.cases.push_back(std::move(c));
    }
  }
  return sheet;
}

std::string NomPanell(int key) {
  return IsPanelKey(key) ? Tx("pane.title." + std::to_string(key)) : std::string();
}

double ToleranceOf(std::string_view shown, int decimals) {
  if (decimals < 0) {
    if (shown.find('/') != std::string_view::npos) {
      decimals = 3;
    } else {
      const size_t point = shown.find_first_of(".,");
      decimals = 0;
      if (point != std::string_view::npos)
        while (point + 1 + static_cast<size_t>(decimals) < shown.size() &&
               std::isdigit(static_cast<unsigned char>(shown[point + 1 + decimals])))
          ++decimals;
      decimals = std::min(decimals, 3);
    }
  }
  return 0.5 * std::pow(10.0, -decimals);
}

std::string WorksheetText(const Worksheet& sheet, bool steps) {
  std::string out;
  for (const WorksheetCase& c : sheet.cases) {
    if (!c.solved) continue;
    Prob p = c.problem;
    if (steps) p.Resp = AnswerWithSteps(p.Resp, c.working);
    out += EscriuPrb(p);
  }
  return out;
}

std::string MoodleXml(const Worksheet& sheet, std::string_view title) {
  std::string out = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<quiz>\n";
  const std::string base = title.empty() ? std::string("Tolvi") : std::string(title);
  int16_t category = -1;
  int number = 0;
  for (const WorksheetCase& c : sheet.cases) {
    ++number;
    if (!c.solved) continue;
    if (c.panel != category) {
      category = c.panel;
      out += "  <question type=\"category\">\n    <category><text>" +
             XmlEscaped("$course$/" + base + "/" + NomPanell(c.panel)) +
             "</text></category>\n  </question>\n";
    }
    for (const FoundQuantity& q : c.found) {
      const std::string name = std::to_string(number) + ". " + NomPanell(c.panel) + ": " + q.label;
      const std::string text = "<p>" + FormulaHtml(c.problem.Enun) + "</p><p>" +
                               TxF("sheet.ask_value", {q.labelHtml}) + "</p>";
      out += "  <question type=\"numerical\">\n";
      out += "    <name><text>" + XmlEscaped(name) + "</text></name>\n";
      out += "    <questiontext format=\"html\"><text>" + Cdata(text) + "</text></questiontext>\n";
      out += "    <defaultgrade>1</defaultgrade>\n";
      out += "    <answer fraction=\"100\"><text>" + MoodleNumber(q.value) + "</text><tolerance>" +
             MoodleNumber(q.tolerance) + "</tolerance>" + "<feedback format=\"html\"><text>" +
             Cdata(q.labelHtml + " = " + FormulaHtml(q.shown)) + "</text></feedback></answer>\n";
      out += "  </question>\n";
    }
  }
  out += "</quiz>\n";
  return out;
}

std::string FormulaHtml(std::string_view text) {
  auto isAlnum = [](char c) { return std::isalnum(static_cast<unsigned char>(c)) != 0; };
  std::string out;
  size_t i = 0;
  auto escaped = [&out](char c) { AppendEscaped(out, c); };
  while (i < text.size()) {
    const char c = text[i];
    // A term or a sum with its index: a1, a12, S5, Sn, S∞, standing alone.
    if ((c == 'a' || c == 'S') && (i == 0 || !isAlnum(text[i - 1]))) {
      size_t j = i + 1;
      if (text.compare(j, 3, "\u221E") == 0) {
        j += 3;
      } else {
        while (j < text.size() && std::isdigit(static_cast<unsigned char>(text[j]))) ++j;
        if (j == i + 1 && j < text.size() && (text[j] == 'n' || text[j] == 'k')) ++j;
      }
      if (j > i + 1 && (j == text.size() || !isAlnum(text[j]))) {
        out += c;
        out += "<sub>";
        out += text.substr(i + 1, j - i - 1);
        out += "</sub>";
        i = j;
        continue;
      }
    }
    // A power: ^(...) with its brackets matched, or ^ and the word after it.
    if (c == '^' && i + 1 < text.size()) {
      size_t j = i + 1;
      size_t from = j, to = j;
      if (text[j] == '(') {
        int depth = 0;
        for (; j < text.size(); ++j) {
          if (text[j] == '(') ++depth;
          if (text[j] == ')' && --depth == 0) break;
        }
        if (j < text.size()) {
          from = i + 2;
          to = j;
          ++j;
        }
      } else {
        while (j < text.size() && (isAlnum(text[j]) || text[j] == '.')) ++j;
        to = j;
      }
      if (to > from) {
        out += "<sup>";
        for (size_t k = from; k < to; ++k) escaped(text[k]);
        out += "</sup>";
        i = j;
        continue;
      }
    }
    if (c == '\r' && text.compare(i, 2, "\r\n") == 0) {
      out += "<br>";
      i += 2;
      continue;
    }
    if (c == '\n') {
      out += "<br>";
      ++i;
      continue;
    }
    escaped(c);
    ++i;
  }
  return out;
}

std::vector<Prob> LlegeixPrbs(std::string_view text) {
  std::vector<Prob> out;
  Prob current;
  bool inAnswer = false;
  std::vector<std::string> statement;
  size_t pos = 0;
  while (pos <= text.size()) {
    size_t end = text.find('\n', pos);
    if (end == std::string_view::npos) end = text.size();
    std::string line(text.substr(pos, end - pos));
    if (!line.empty() && line.back() == '\r') line.pop_back();
    const bool last = end >= text.size();
    pos = end + 1;
    if (inAnswer) {
      if (line.empty()) {
        out.push_back(std::move(current));
        current = {};
        inAnswer = false;
      } else {
        current.Resp += NL + line;
      }
    } else if (line.rfind("R:", 0) == 0) {
      std::string answer = line.substr(2);
      size_t blanks = 0;
      while (blanks < 5 && blanks < answer.size() && answer[blanks] == ' ') ++blanks;
      current.Resp = answer.substr(blanks);
      for (size_t k = 0; k < statement.size(); ++k) current.Enun += (k ? NL : "") + statement[k];
      statement.clear();
      inAnswer = true;
    } else if (!line.empty() || !statement.empty()) {
      statement.push_back(line);
    }
    if (last) break;
  }
  if (inAnswer) out.push_back(std::move(current));
  return out;
}

}  // namespace tolvi
