// Saving and opening problem files from the main window and the problem viewer. Each
// operation takes what it reads (the services, the records, the language, the folder that
// holds the problem folder) so the controller and the viewer just call it. That folder is the
// working folder CarpIni in an old install, Documents/Tolvi otherwise (app/folders.h); the
// parameters keep the name carpIni.
//
// - BtGuard(k) of a panel:   GuardaPanell(ui, Probs, k, SelGuard, Idioma, CarpIni)
//   shows Probs(k) in the problem viewer;
// - "&Guardar todo":          SelGuard = Resolts, then GuardaPanell(..., -1, SelGuard, ...)
//   appends the records of the panels in SelGuard to one file chosen in the file dialog;
// - the viewer's save button: GuardaPrb(ui, the texts as left, Idioma, CarpIni);
// - "Abrir":                  ObrePrbls(ui, Idioma, CarpIni).
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

#include "documents/prob.h"
#include "documents/textfile.h"
#include "solvers/services.h"
#include "texts/catalogue.h"

namespace tolvi {

// The caption of the problem viewer and the filter of problem files.
inline constexpr std::string_view kCaptionPrb = "Problema";
inline constexpr std::string_view kFiltrePrbs = "*.txt|*.*";

// The problem folder: carpIni followed by "Prbls".
std::string CarpetaPrbls(std::string_view carpIni);

// Makes the problem folder (and the folders above it) when it is missing, so that saves and
// "Abrir" start there. A failure is only returned: the file dialog then starts in the
// current folder.
FileResult CreaCarpetaPrbls(std::string_view carpIni);

// key 0..7: shows Probs(key) in the problem viewer, with the caption "Problema".
// key -1: writes the records of the panels listed in selGuard (digits 0..7, in their order;
// anything else is skipped) to a file chosen in the file dialog, in save mode on the problem
// folder. An empty selGuard does nothing at all; a cancelled dialog writes nothing.
// Answers true when problems were written.
bool GuardaPanell(Services& ui, const ProbTable& probs, int key, std::string_view selGuard,
                  Language idioma, std::string_view carpIni);

// Asks for a file (save mode, problem folder) and appends the one problem to it. A failure
// is a message naming the file and the reason, and the saved notice is not shown. Characters
// an older Windows-1252 file cannot take (written as "?") are named in a message before the
// notice. Answers true when the problem was written.
bool GuardaPrb(Services& ui, const Prob& problem, Language idioma, std::string_view carpIni);

// The saved notice: the path, an empty line and the question, titled by language; on Yes
// the file is opened to be read (ObreEditor).
void VeureGuardat(Services& ui, const std::string& path, Language idioma);

// "Abrir": a file chosen in the file dialog (open mode, problem folder) is opened to be read
// (ObreEditor).
void ObrePrbls(Services& ui, Language idioma, std::string_view carpIni);

// Opens a problem file to be read, without waiting: on Windows in Notepad; elsewhere with the
// system's viewer (the desktop's program for text files). When none opens it, the program's
// own problem viewer shows its text, captioned with the file's name. A terminal editor
// ($VISUAL, $EDITOR) is never started: a window has no terminal to give it. A file that
// nothing can show is told in a message. True when shown.
bool ObreEditor(Services& ui, const std::string& path, Language idioma);

// The largest file the problem viewer is given to show.
inline constexpr std::uintmax_t kMaxShownFile = 1u << 20;

}  // namespace tolvi
