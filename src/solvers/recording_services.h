// Services that show nothing: every message, question, choice, file request, problem shown
// and program started is recorded, and questions are answered from scripted values. Used by
// the tests and by tolvi-cli.
#pragma once
#include <deque>
#include <string>
#include <string_view>
#include <utility>
#include <vector>
#include "solvers/services.h"

namespace tolvi {

class RecordingServices : public Services {
 public:
  struct Message {
    std::string text, title;
    Icon icon = Icon::None;
    bool operator==(const Message&) const = default;
  };
  struct Choice {
    std::string caption;
    std::vector<std::string> options;  // the ";"-separated options, split
    int chosen = 0;                    // the answer given, 0 = cancelled
  };
  struct FileRequest {
    DialogMode mode = DialogMode::Open;
    std::string folder, filter;
  };
  struct Started {
    Command command;
    WindowStyle style = WindowStyle::Normal;
  };

  // Scripted answers, used first to last; when a queue is empty the default answers.
  std::deque<bool> yesNoAnswers;
  bool defaultYesNo = false;
  std::deque<bool> optOutAnswers;  // whether the opt-out box is ticked; default not

  std::deque<int> choiceAnswers;
  int defaultChoice = 1;  // an answer past the last option cancels, as no real chooser can give it
  std::deque<std::string> fileAnswers;  // default "": cancelled
  bool startSucceeds = true;
  bool openSucceeds = true;

  // What happened, in order.
  std::vector<Message> messages;
  std::vector<Message> questions;  // icon unused
  std::vector<Choice> choices;
  std::vector<FileRequest> fileRequests;
  std::vector<std::pair<std::string, Prob>> problems;  // caption, record
  std::vector<Started> started;
  std::vector<std::string> opened;

  void message(std::string_view text, std::string_view title, Icon icon = Icon::None) override;
  bool askYesNo(std::string_view text, std::string_view title) override;
  // Recorded among the questions, answered from yesNoAnswers and optOutAnswers.
  bool askYesNoOptOut(std::string_view text, std::string_view title, std::string_view optOut,
                      bool& ticked) override;
  int chooseOption(std::string_view caption, std::string_view options) override;
  std::string chooseFile(DialogMode mode, std::string folder, std::string_view filter) override;
  void showProblem(std::string_view caption, const Prob& prob) override;
  bool startProgram(const Command& command, WindowStyle style) override;
  bool openDocument(const std::string& path) override;
};

// The options of the chooser: the text split at every ";" (a final empty piece included).
std::vector<std::string> SplitOptions(std::string_view options);

}  // namespace tolvi
