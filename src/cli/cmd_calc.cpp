#include <CLI/CLI.hpp>
#include <nlohmann/json.hpp>
#include <ostream>
#include <string>
#include <vector>

#include "cli/cli.h"
#include "numeric/numtext.h"

namespace tolvi::cli {

// tolvi-cli calc TEXT...: each text read as a typed field is read.
void AddCalc(CLI::App& app, Streams io, int* status) {
  struct Options {
    std::vector<std::string> texts;
    bool json = false;
  };
  auto opts = std::make_shared<Options>();
  CLI::App* cmd =
      app.add_subcommand("calc",
                         "Read each TEXT as a typed field is read: whether it counts as "
                         "a given number, its value and the calculator's message");
  cmd->add_option("TEXT", opts->texts,
                  "Texts as typed (\",\" or \".\" decimals, pi, + - * / ^ and "
                  "parentheses); put -- before texts that begin with -")
      ->required();
  cmd->add_flag("--json", opts->json, "Print one JSON document");
  cmd->callback([opts, io, status] {
    nlohmann::ordered_json results = nlohmann::ordered_json::array();
    for (const std::string& text : opts->texts) {
      double value = 0;
      CalcResult err;
      bool given = LlegeixNum(text, value, &err);
      if (opts->json) {
        nlohmann::ordered_json message = nullptr;
        if (!err.ok()) message = {{"text", err.message}, {"title", "Error"}};
        results.push_back(
            {{"text", text}, {"given", given}, {"value", value}, {"message", message}});
      } else {
        io.out << '"' << text << "\": " << (given ? "given" : "not given") << ", "
               << TextCurt(value);
        if (!err.ok())
          io.out << "  [Error: " << (err.message.empty() ? "(a box with no text)" : err.message)
                 << "]";
        io.out << '\n';
      }
    }
    if (opts->json)
      io.out << nlohmann::ordered_json{{"results", results}}.dump(
                    -1, ' ', false, nlohmann::ordered_json::error_handler_t::replace)
             << '\n';
    *status = kOk;
  });
}

}  // namespace tolvi::cli
