// Where the program keeps its files. An install of earlier versions keeps everything in the
// folder the program is started from: the settings files NSmb.txt, Tools.rel and Lng.txt and
// the problem folder Prbls; such a folder goes on being used. Otherwise the settings live in
// the user's configuration folder and the problems in Documents/Tolvi/Prbls. The program never
// writes into a root folder or straight into the home folder (where a menu starts it).
//
// The front end finds the system's places (QStandardPaths in the window) and passes them in;
// nothing here knows about Qt.
#pragma once
#include <string>
#include <string_view>

#include "documents/textfile.h"

namespace tolvi {

// What the system tells the front end.
struct Places {
  std::string workdir;    // the current folder at start-up
  std::string home;       // the user's home folder
  std::string config;     // the program's own configuration folder (~/.config/tolvi)
  std::string documents;  // the user's documents folder (~/Documents)
};

enum class Layout {
  Chosen,    // --folder DIR: settings and problems in DIR
  Working,   // the working folder already holds the program's files
  Standard,  // the configuration folder, and Documents/Tolvi
};

struct Folders {
  std::string settings;  // NSmb.txt, Tools.rel, Lng.txt, Ajustes.txt (the window's CarpIni)
  std::string problems;  // the folder that holds Prbls, the problem folder
  Layout layout = Layout::Standard;
};

// The settings files the program reads at start-up or when its tools editor opens.
inline constexpr std::string_view kSettingsFiles[] = {"NSmb.txt", "Tools.rel", "Lng.txt",
                                                      "Ajustes.txt"};

// The folder holds one of the settings files, or a problem folder Prbls.
bool HoldsProgramFiles(std::string_view folder);

// A root folder ("/", "C:\") or the home folder itself: places the program never writes into.
bool IsForbiddenFolder(std::string_view folder, std::string_view home);

// The folders for this run. chosen is --folder's DIR, empty when not given; the caller has
// refused a forbidden one already.
Folders ChooseFolders(const Places& places, std::string_view chosen);

// Earlier versions started from a menu wrote their settings into the home folder. When the
// program starts there, those files are copied into the new settings folder, each one only
// while the new folder has none of its name. Failures leave the defaults: nothing to report.
void AdoptSettings(std::string_view from, std::string_view settings);

// Makes the settings folder (and its parents) when missing, and checks it can be written.
// The failure names the folder and the reason.
FileResult PrepareFolder(std::string_view folder);

}  // namespace tolvi
