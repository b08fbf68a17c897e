// Everything the platform does for the program goes through Services: message boxes,
// questions, the option chooser, the file dialog, the problem viewer, starting programs.
// The window implements it with Qt; tests and tolvi-cli implement it with scripted answers,
// so no test ever blocks on a modal window.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>
#include "documents/prob.h"

namespace tolvi {

enum class Icon { None, Exclamation };
enum class WindowStyle { Normal, Minimised, Hidden };

// A program to start: the program and its arguments as a list (never a shell string).
struct Command {
  std::string program;
  std::vector<std::string> args;
  std::string dir;  // working folder; empty = the current one
  bool operator==(const Command&) const = default;
};

// What the program's file dialog is shown for.
enum class DialogMode : int16_t { Open = 0, Save = 1 };

class Services {
 public:
  virtual ~Services() = default;
  // A message box with an OK button.
  virtual void message(std::string_view text, std::string_view title, Icon icon = Icon::None) = 0;
  // A Yes/No question; true for Yes.
  virtual bool askYesNo(std::string_view text, std::string_view title) = 0;
  // A Yes/No question with a box to tick, captioned `optOut` ("no volver a preguntar");
  // `ticked` tells whether the person ticked it. The default asks without the box.
  virtual bool askYesNoOptOut(std::string_view text, std::string_view title,
                              std::string_view optOut, bool& ticked) {
    (void)optOut;
    ticked = false;
    return askYesNo(text, title);
  }
  // The modal option chooser: options separated by ";" (the text after the last ";" is the
  // last item, even when empty). Returns the 1-based position chosen, 0 when cancelled.
  virtual int chooseOption(std::string_view caption, std::string_view options) = 0;
  // The program's file dialog. Returns the full path, "" if cancelled.
  virtual std::string chooseFile(DialogMode mode, std::string folder, std::string_view filter) = 0;
  // The problem viewer, modeless.
  virtual void showProblem(std::string_view caption, const Prob& prob) = 0;
  // Starts a program without waiting; returns false (and says nothing) if it could not start.
  virtual bool startProgram(const Command& command, WindowStyle style) = 0;
  // Opens a document with the system's viewer; false if that failed.
  virtual bool openDocument(const std::string& path) = 0;
};

}  // namespace tolvi
