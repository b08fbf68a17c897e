#include "solvers/recording_services.h"

namespace tolvi {

std::vector<std::string> SplitOptions(std::string_view options) {
  std::vector<std::string> out;
  size_t start = 0;
  while (true) {
    size_t end = options.find(';', start);
    if (end == std::string_view::npos) {
      out.emplace_back(options.substr(start));
      return out;
    }
    out.emplace_back(options.substr(start, end - start));
    start = end + 1;
  }
}

void RecordingServices::message(std::string_view text, std::string_view title, Icon icon) {
  messages.push_back({std::string(text), std::string(title), icon});
}

bool RecordingServices::askYesNo(std::string_view text, std::string_view title) {
  questions.push_back({std::string(text), std::string(title), Icon::None});
  if (yesNoAnswers.empty()) return defaultYesNo;
  bool answer = yesNoAnswers.front();
  yesNoAnswers.pop_front();
  return answer;
}

bool RecordingServices::askYesNoOptOut(std::string_view text, std::string_view title,
                                       std::string_view, bool& ticked) {
  ticked = !optOutAnswers.empty() && optOutAnswers.front();
  if (!optOutAnswers.empty()) optOutAnswers.pop_front();
  return askYesNo(text, title);
}

int RecordingServices::chooseOption(std::string_view caption, std::string_view options) {
  Choice choice{std::string(caption), SplitOptions(options), defaultChoice};
  if (!choiceAnswers.empty()) {
    choice.chosen = choiceAnswers.front();
    choiceAnswers.pop_front();
  }
  if (choice.chosen < 0 || choice.chosen > static_cast<int>(choice.options.size()))
    choice.chosen = 0;
  choices.push_back(choice);
  return choice.chosen;
}

std::string RecordingServices::chooseFile(DialogMode mode, std::string folder,
                                          std::string_view filter) {
  fileRequests.push_back({mode, std::move(folder), std::string(filter)});
  if (fileAnswers.empty()) return {};
  std::string answer = std::move(fileAnswers.front());
  fileAnswers.pop_front();
  return answer;
}

void RecordingServices::showProblem(std::string_view caption, const Prob& prob) {
  problems.emplace_back(std::string(caption), prob);
}

bool RecordingServices::startProgram(const Command& command, WindowStyle style) {
  started.push_back({command, style});
  return startSucceeds;
}

bool RecordingServices::openDocument(const std::string& path) {
  opened.push_back(path);
  return openSucceeds;
}

}  // namespace tolvi
