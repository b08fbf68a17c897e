// The rules of the program's own file dialog DFtxs, without any window: the captions by
// language, the folder history (back, up), the type patterns of a filter, and what the Ok
// button does with a typed name in open and save mode. The Qt dialog only shows this state.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "documents/textfile.h"
#include "solvers/services.h"
#include "texts/catalogue.h"

namespace tolvi {

inline constexpr DialogMode kDlgObrir = DialogMode::Open;
inline constexpr DialogMode kDlgGuardar = DialogMode::Save;

// The dialog's texts in one language, from the catalogues (dlg.*).
struct DlgTexts {
  std::string_view titol;        // window title for the mode
  std::string_view nom;          // EtNom
  std::string_view tipus;        // EtTp
  std::string_view cancela;      // BtFuig
  std::string_view tipRere;      // BtRere tooltip
  std::string_view tipAm;        // BtAm tooltip
  std::string_view tipObr;       // BtObr tooltip
  std::string_view tipNova;      // BtNova tooltip
  std::string_view novaCarpeta;  // the proposed name of a new folder
};
DlgTexts TextsDlg(Language idioma, DialogMode mode);

// The outside program that opens a folder, looked for in the current folder.
inline constexpr std::string_view kDunvelo = "Dunvelo.exe";

// The part of a path up to and including its last separator ("" if there is none).
std::string CarpetaDe(std::string_view path);

// A folder as the folder tree holds it: made absolute, without "." and ".." steps and without
// a separator at the end (except the root's own).
std::string NormalitzaCarpeta(std::string_view folder);

// The parent of a folder, with a separator at the end: "/a/b" gives "/a/"; the root stays.
std::string CarpetaAmunt(std::string_view folder);

// folder and name joined with one separator; an absolute name stands on its own.
std::string UneixCami(std::string_view folder, std::string_view name);

// The types of a filter: the patterns between "|", the text after the last "|" included.
std::vector<std::string> TipusDelFiltre(std::string_view filter);

// The patterns of one type for the file list: "*.txt;*.doc" gives two; "*.*" is every file
// ("*"), and so is an empty type.
std::vector<std::string> PatronsDelTipus(std::string_view type);

// The extension a bare name gets in save mode: the type from its first "." on ("*.txt" gives
// ".txt"). Nothing for "*.*", an empty type, a type without "." or one whose extension holds
// a wildcard.
std::string ExtensioDelTipus(std::string_view type);

// What the Ok button leads to.
struct AccioDlg {
  enum Kind : int16_t {
    Res,          // nothing happens (no name)
    VesACarpeta,  // the folder tree moves to path; the dialog stays open
    Tanca,        // the dialog closes with path as its result
    Missatge,     // a message (title, text) with OK; the dialog stays open
  } kind = Res;
  std::string path;
  std::string titol;
  std::string text;
  bool operator==(const AccioDlg&) const = default;
};

// The Ok button with folder shown in the tree, name typed and type shown in the combo.
// A name without "." that names a folder moves there; a missing one is, in save mode, the
// name with the type's extension, and in open mode "Path not found". Otherwise the path is
// folder + name; open mode refuses a path where no file is ("File not found"). The messages
// are in the language idioma. Names are looked up in the folder shown.
AccioDlg AcceptaNom(DialogMode mode, std::string_view folder, std::string_view name,
                    std::string_view type, Language idioma);

// A new folder in parent: the name trimmed of blanks; an empty name does nothing (and
// answers true). Invalid names, existing names and refusals come back as failures.
FileResult CreaCarpeta(std::string_view parent, std::string_view name);

// Deletes one file; a failure comes back with its reason.
FileResult EsborraFtx(const std::string& path);

// The state of one showing of the dialog: its mode, the folder shown (CarpAct), the one
// shown before the last change (CarpAnt), the type patterns and the result (CamiDlg).
class DlgFtxModel {
 public:
  // Prepares a showing: the start folder is folder, or current (the program's folder) when
  // folder does not exist; the tree starts in current and then moves to the start folder.
  DlgFtxModel(DialogMode mode, std::string_view folder, std::string_view filter,
              std::string_view current);

  DialogMode mode() const { return mode_; }
  const std::string& carpAct() const { return carpAct_; }
  const std::string& carpAnt() const { return carpAnt_; }
  bool rereActiu() const { return rereActiu_; }
  const std::vector<std::string>& tipus() const { return tipus_; }
  const std::string& tipusActual() const { return tipusActual_; }

  // The folder tree moved (by any means). False when it is the folder already shown.
  bool canviaCarpeta(std::string_view folder);
  // BtRere: back to the folder shown before the last change.
  bool rere();
  // BtAm: up one level.
  bool amunt();
  // The type chosen or typed in LTps.
  void posaTipus(std::string_view type) { tipusActual_ = type; }

  // BtOk with the typed name: moves the tree, or closes with the result, or asks for a
  // message.
  AccioDlg accepta(std::string_view name, Language idioma = kSpanish);
  // BtFuig, or the window closed in any other way: the result is empty.
  void cancela();

  bool tancat() const { return tancat_; }
  // The chosen path; empty unless the dialog closed through Ok.
  const std::string& resultat() const { return resultat_; }

 private:
  DialogMode mode_;
  std::string carpAct_;
  std::string carpAnt_;
  bool rereActiu_ = false;
  std::vector<std::string> tipus_;
  std::string tipusActual_;
  bool tancat_ = false;
  std::string resultat_;
};

}  // namespace tolvi
