#include "app/tools.h"
#include "solvers/controls.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "app/file_messages.h"
#include "documents/encoding.h"
#include "documents/prob.h"
#include "texts/catalogue.h"

#ifndef _WIN32
#include <unistd.h>
#endif

namespace tolvi {

namespace fs = std::filesystem;

namespace {

std::string_view In(std::string_view key, Language idioma) { return Tx(key, IdiomaValid(idioma)); }

bool Blank(char c) { return c == ' ' || c == '\t'; }

std::string Trim(std::string_view s) {
  size_t b = 0, e = s.size();
  while (b < e && Blank(s[b])) ++b;
  while (e > b && Blank(s[e - 1])) --e;
  return std::string(s.substr(b, e - b));
}

#ifdef _WIN32
constexpr char kSep = '\\';
constexpr std::string_view kSeps = "\\/";
#else
constexpr char kSep = '/';
constexpr std::string_view kSeps = "/";
#endif

void Tell(Services& ui, std::string_view what, std::string_view reason, Language idioma) {
  ui.message(std::string(what) + NL + NL + std::string(reason),
             TitolError(FileOperation::Open, idioma), Icon::Exclamation);
}

// A name taken in carpIni unless it is absolute already.
fs::path InFolder(std::string_view carpIni, std::string_view name) {
  const fs::path p = PathOf(name);
  if (p.is_absolute() || carpIni.empty()) return p;
  return PathOf(carpIni) / p;
}

#ifndef _WIN32
bool ExecutableFile(const fs::path& p) {
  std::error_code ec;
  return fs::is_regular_file(p, ec) && ::access(p.c_str(), X_OK) == 0;
}

// A bare program name as the shell finds it on PATH.
bool OnPath(std::string_view name) {
  const char* path = std::getenv("PATH");
  if (!path) return false;
  std::string_view dirs(path);
  while (!dirs.empty()) {
    const size_t colon = dirs.find(':');
    const std::string_view dir = dirs.substr(0, colon);
    if (!dir.empty() && ExecutableFile(PathOf(dir) / PathOf(name))) return true;
    if (colon == std::string_view::npos) break;
    dirs.remove_prefix(colon + 1);
  }
  return false;
}
#endif

bool Start(Services& ui, const Command& command, WindowStyle style, Language idioma) {
  if (ui.startProgram(command, style)) return true;
  Tell(ui, command.program, In("tools.not_started", idioma), idioma);
  return false;
}

}  // namespace

std::string LectorItems::llegeix() {
  std::string item;
  const size_t n = text_.size();
  while (pos_ < n && Blank(text_[pos_])) ++pos_;
  const bool quoted = pos_ < n && text_[pos_] == '"';
  if (quoted) {
    ++pos_;
    while (pos_ < n) {
      const char c = text_[pos_++];
      if (c != '"') {
        item += c;
      } else if (pos_ < n && text_[pos_] == '"') {
        item += '"';
        ++pos_;
      } else {
        break;
      }
    }
  }
  // Up to the separator: the item itself, or what follows a closing quote (dropped).
  const size_t start = pos_;
  while (pos_ < n && text_[pos_] != ',' && text_[pos_] != '\r' && text_[pos_] != '\n') ++pos_;
  if (!quoted) item = Trim(text_.substr(start, pos_ - start));
  if (pos_ < n) {
    if (text_[pos_] == '\r' && pos_ + 1 < n && text_[pos_ + 1] == '\n') ++pos_;
    ++pos_;
  }
  return item;
}

std::string ItemDesat(std::string_view field) {
  const bool plain = field.find_first_of(",\"\r\n") == std::string_view::npos &&
                     (field.empty() || (!Blank(field.front()) && !Blank(field.back())));
  if (plain) return std::string(field);
  std::string out = "\"";
  for (char c : field) {
    if (c == '"') out += '"';
    out += c;
  }
  out += '"';
  return out;
}

void ToolsDelText(ToolList& list, std::string_view text) {
  list.NTools = 0;
  LectorItems items(text);
  Tool& scratch = list.Tools[0];
  while (!items.fi() && list.NTools < kMaxTools) {
    scratch = Tool{};
    scratch.Titol = items.llegeix();
    if (scratch.Titol.empty()) break;
    for (std::string* field : {&scratch.Fitxer, &scratch.Dir, &scratch.Params})
      if (!items.fi()) *field = items.llegeix();
    ++list.NTools;
    list.Tools[static_cast<size_t>(list.NTools)] = scratch;
  }
}

bool LlegeixTools(ToolList& list, std::string_view carpIni) {
  list.NTools = 0;
  std::string bytes;
  // Twelve tools of four fields fit many times over; the rest of a huge file is not read.
  constexpr size_t kToolsReadLimit = 1 << 20;
  if (!ReadFileBytes(Utf8Of(InFolder(carpIni, kToolsFile)), bytes, kToolsReadLimit)) return false;
  if (bytes.size() >= kToolsReadLimit) bytes.resize(Utf8WholeLength(bytes));
  std::string_view text(bytes);
  if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
  ToolsDelText(list, DecodeText(text));
  return true;
}

std::string TextTools(const ToolList& list) {
  std::string text;
  for (int16_t i = 1; i <= list.NTools && i <= kMaxTools; ++i) {
    const Tool& t = list.Tools[static_cast<size_t>(i)];
    for (const std::string* field : {&t.Titol, &t.Fitxer, &t.Dir, &t.Params})
      text += ItemDesat(*field) + NL;
  }
  return text;
}

FileResult EscriuTools(const ToolList& list, std::string_view carpIni) {
  // EscriuFtx ends the text with a line end of its own: the empty line after the tools.
  return EscriuFtx(TextTools(list), Utf8Of(InFolder(carpIni, kToolsFile)));
}

void PosaMenuTools(Form& form, const ToolList& list) {
  for (int16_t i = 1; i <= kMaxTools; ++i) {
    const std::string entry = ctl::ITool(i);
    if (i <= list.NTools) {
      form.setText(entry, list.Tools[static_cast<size_t>(i)].Titol);
      form.setVisible(entry, true);
    } else {
      form.setVisible(entry, false);
    }
  }
}

bool MenuTools(Form& form, std::string_view carpIni) {
  ToolList list;
  if (!LlegeixTools(list, carpIni)) return false;
  PosaMenuTools(form, list);
  return true;
}

RefusTool DesaTool(ToolList& list, int16_t& toolAct, const Tool& fields) {
  // A title of blanks would read back as an empty one, which ends the list.
  if (Trim(fields.Titol).empty()) return RefusTool::SenseTitol;
  if (toolAct < 1 || toolAct > list.NTools) {
    if (list.NTools >= kMaxTools) return RefusTool::Ple;
    toolAct = ++list.NTools;
  }
  list.Tools[static_cast<size_t>(toolAct)] = fields;
  return RefusTool::Cap;
}

bool EliminaTool(ToolList& list, int16_t pos) {
  if (pos < 1 || pos > list.NTools) return false;
  for (int16_t i = pos; i < list.NTools; ++i)
    list.Tools[static_cast<size_t>(i)] = std::move(list.Tools[static_cast<size_t>(i + 1)]);
  list.Tools[static_cast<size_t>(list.NTools)] = Tool{};
  --list.NTools;
  return true;
}

Avis AvisRefus(RefusTool refus, Language idioma) {
  const std::string_view text = refus == RefusTool::Ple ? "tools.full" : "tools.no_title";
  return {In("tools.title", idioma),
          refus == RefusTool::Cap ? std::string_view() : In(text, idioma)};
}

Confirmacio TextsEliminar(Language idioma) {
  return {In("tools.erase.title", idioma), In("tools.erase.question", idioma)};
}

void SeparaCami(std::string_view path, std::string& carpeta, std::string& nom) {
  const size_t at = path.find_last_of(kSeps);
  if (at == std::string_view::npos) {
    carpeta.clear();
    nom = std::string(path);
    return;
  }
  nom = std::string(path.substr(at + 1));
  carpeta = std::string(path.substr(0, at));
  if (carpeta.empty()) carpeta = std::string(path.substr(0, at + 1));  // the root
}

std::string CarpetaCerca() {
#ifdef _WIN32
  return "C:\\";
#else
  std::error_code ec;
  return fs::is_directory("/usr/bin", ec) ? "/usr/bin" : "/";
#endif
}

std::string_view FiltreCerca() {
#ifdef _WIN32
  return "*.exe|*.*";
#else
  return "*.*";  // programs here have no extension of their own
#endif
}

bool EsExecutable(std::string_view command) {
  std::string lower(command);
  for (char& c : lower)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  for (std::string_view ext : {".exe", ".com", ".bat"})
    if (lower.find(ext) != std::string::npos) return true;
  return false;
}

std::vector<std::string> SeparaParams(std::string_view params) {
  std::vector<std::string> out;
  size_t i = 0;
  const size_t n = params.size();
  while (true) {
    while (i < n && Blank(params[i])) ++i;
    if (i >= n) return out;
    std::string word;
    bool inQuotes = false;
    for (; i < n && (inQuotes || !Blank(params[i])); ++i) {
      if (params[i] == '"')
        inQuotes = !inQuotes;
      else
        word += params[i];
    }
    out.push_back(std::move(word));
  }
}

std::string UneixDir(std::string_view dir, std::string_view fitxer) {
  if (dir.empty()) return std::string(fitxer);
  std::string joined(dir);
  if (kSeps.find(joined.back()) == std::string_view::npos) joined += kSep;
  return joined + std::string(fitxer);
}

bool ExecutaTool(Services& ui, const Tool& tool, std::string_view carpIni, Language idioma) {
  std::string fitxer = Trim(tool.Fitxer);
  std::vector<std::string> args = SeparaParams(tool.Params);
  if (fitxer.empty() && !args.empty()) {  // the whole command typed as parameters
    fitxer = args.front();
    args.erase(args.begin());
  }
  if (fitxer.empty()) {
    Tell(ui, tool.Titol, In("tools.no_file", idioma), idioma);
    return false;
  }
  const std::string command = UneixDir(Trim(tool.Dir), Trim(tool.Fitxer + " " + tool.Params));
  const std::string program = UneixDir(Trim(tool.Dir), fitxer);
#ifdef _WIN32
  if (EsExecutable(command)) return Start(ui, {program, args, {}}, WindowStyle::Normal, idioma);
  // A document: the batch file opens it with the program associated with its type.
  const std::string bat = Utf8Of(InFolder(carpIni, kTempBat));
  const FileResult written = EscriuFtx(command, bat);
  if (!written) {
    ui.message(TextError(written, idioma), TitolError(FileOperation::Save, idioma),
               Icon::Exclamation);
    return false;
  }
  return Start(ui, {bat, {}, {}}, WindowStyle::Minimised, idioma);
#else
  const bool bare = program.find('/') == std::string::npos;
  if (bare && OnPath(program)) return Start(ui, {program, args, {}}, WindowStyle::Normal, idioma);
  const fs::path local = InFolder(carpIni, program);
  std::error_code ec;
  const bool found = fs::exists(local, ec);
  if (EsExecutable(command))
    return Start(ui, {found ? Utf8Of(local) : program, args, {}}, WindowStyle::Normal, idioma);
  if (ExecutableFile(local) && ui.startProgram({Utf8Of(local), args, {}}, WindowStyle::Normal))
    return true;
  // A document, or a file marked executable that will not start: the system's opener.
  return ObreDoc(ui, Utf8Of(local), idioma);
#endif
}

int16_t IndexTool(std::string_view name) {
  int index = 0;
  return ctl::Index(name, ctl::ITool, index) ? static_cast<int16_t>(index) : int16_t{0};
}

bool ExecutaTool(Services& ui, int16_t i, std::string_view carpIni, Language idioma) {
  ToolList list;
  LlegeixTools(list, carpIni);
  if (i < 1 || i > list.NTools) return false;  // the file lost the tool since the menu was built
  return ExecutaTool(ui, list.Tools[static_cast<size_t>(i)], carpIni, idioma);
}

bool ObreDoc(Services& ui, const std::string& document, Language idioma) {
  std::error_code ec;
  if (!fs::exists(PathOf(document), ec)) {
    ui.message(TextError({FileErrorKind::NotFound, document, {}}, idioma),
               TitolError(FileOperation::Open, idioma), Icon::Exclamation);
    return false;
  }
#ifdef _WIN32
  for (const char* shell : {"cmd.exe", "command.com"})
    if (ui.startProgram({shell, {"/c", document}, {}}, WindowStyle::Hidden)) return true;
#else
  if (ui.openDocument(document)) return true;
#endif
  Tell(ui, document, In("tools.not_opened", idioma), idioma);
  return false;
}

}  // namespace tolvi
