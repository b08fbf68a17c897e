// tolvi-cli worksheet, run as the program (without a display): the sheet's PDF holds every
// statement in order and no answer, the key's every answer, the quiz parses; its problem-file
// text file is what is printed; bad requests write nothing. (The same seed giving the same cases
// is the worksheet builder's test.)
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "app/worksheet.h"
#include "cli/run_cli.h"
#include "documents/temp_folder.h"

namespace tolvi::cli {
namespace {

using Args = std::vector<std::string>;

// tolvi-cli with its standard output and error in files in dir.
int RunProgram(const Args& args, const testing::TempFolder& dir) {
  return cli::RunProgram(args, ">" + (dir / "out") + " 2>" + (dir / "err"));
}

// A text with every blank left out, so that line breaks, the layout's spaces and the
// subscripts' placement do not count.
std::string Squeezed(std::string text) {
  text.erase(std::remove_if(text.begin(), text.end(),
                            [](unsigned char c) { return std::isspace(c) != 0; }),
             text.end());
  return text;
}

// What a reader sees of a text in the formula look: its HTML without the markup.
std::string Shown(const std::string& text) {
  std::string html = FormulaHtml(text), out;
  bool tag = false;
  for (char c : html) {
    if (c == '<') tag = true;
    if (!tag) out += c;
    if (c == '>') tag = false;
  }
  for (const auto& [entity, c] :
       {std::pair{"&lt;", "<"}, {"&gt;", ">"}, {"&quot;", "\""}, {"&amp;", "&"}})
    for (size_t at = out.find(entity); at != std::string::npos; at = out.find(entity, at))
      out.replace(at, std::string(entity).size(), c);
  return Squeezed(out);
}

// The text of a PDF's pages (all, or those pages names: "-f 2", "-l 1"), squeezed.
std::string PdfText(const testing::TempFolder& dir, const std::string& pdf,
                    const std::string& pages = "") {
  const std::string text = dir / "text";
  EXPECT_EQ(Shell("pdftotext -enc UTF-8 " + pages + " '" + pdf + "' '" + text + "'"), 0) << pdf;
  return Squeezed(testing::ReadBytes(text));
}

TEST(CliWorksheet, SheetHoldsTheStatementsInOrderAndTheKeyTheAnswers) {
  testing::TempFolder dir;
  // The title holds what XML and HTML give a meaning to.
  const Args args = {"worksheet", "all", "--count", "2", "--seed", "77", "--title",
                     "Repaso de inter\u00E9s <&]]>", "--header", "1.\u00BA Bachillerato",
                     "--pdf", dir / "sheet.pdf", "--key", dir / "key.pdf", "--moodle",
                     dir / "quiz.xml"};
  ASSERT_EQ(RunProgram(args, dir), kOk) << testing::ReadBytes(dir / "err");
  EXPECT_EQ(testing::ReadBytes(dir / "err"), "");
  EXPECT_EQ(testing::ReadBytes(dir / "out").rfind("seed 77\n", 0), 0u);

  const WorksheetRequest request{
      .panels = {0, 1, 2, 3, 4, 5, 6, 7}, .count = 2, .counts = {}, .seed = 77};
  const std::vector<Prob> problems = ComposeWorksheet(request).problems();
  ASSERT_EQ(problems.size(), 16u);

  const std::string sheet = PdfText(dir, dir / "sheet.pdf");
  const std::string key = PdfText(dir, dir / "key.pdf");
  EXPECT_NE(sheet.find(Squeezed("Repaso de inter\u00E9s <&]]>")), std::string::npos);
  size_t at = 0;
  for (const Prob& p : problems) {
    at = sheet.find(Shown(p.Enun), at);
    ASSERT_NE(at, std::string::npos) << "missing or out of order: " << p.Enun;
    EXPECT_EQ(sheet.find(Shown(p.Resp)), std::string::npos) << "answer on the sheet: " << p.Resp;
    EXPECT_NE(key.find(Shown(p.Resp)), std::string::npos) << "answer not in the key: " << p.Resp;
  }
  EXPECT_EQ(key.find(Squeezed("Solución paso a paso")), std::string::npos);  // not asked
  EXPECT_EQ(Shell("xmllint --noout '" + (dir / "quiz.xml") + "'"), 0);
}

// The key after the sheet, in the same file, starts on a page of its own and shows each
// case's worked steps when asked; the sheet shows none.
TEST(CliWorksheet, KeyAfterTheSheetWithTheWorkedSteps) {
  testing::TempFolder dir;
  ASSERT_EQ(RunProgram({"worksheet", "arithmetic", "amortisation", "--count", "2", "--seed", "3",
                        "--steps", "--pdf", dir / "both.pdf", "--key-after"},
                       dir),
            kOk)
      << testing::ReadBytes(dir / "err");
  EXPECT_EQ(PdfText(dir, dir / "both.pdf", "-l 1").find("paso"), std::string::npos);
  const std::string key = PdfText(dir, dir / "both.pdf", "-f 2");
  EXPECT_EQ(key.find("Soluciones"), 0u);
  const WorksheetRequest request{.panels = {0, 7}, .count = 2, .counts = {}, .seed = 3};
  // A fraction's lines stand above and below its step's line, so only the presence of each
  // step is looked for, and the working once per case.
  const Worksheet sheet = ComposeWorksheet(request);
  size_t workings = 0;
  for (size_t at = key.find("Soluci\u00F3npasoapaso"); at != std::string::npos;
       at = key.find("Soluci\u00F3npasoapaso", at + 1))
    ++workings;
  EXPECT_EQ(workings, sheet.cases.size());
  for (const WorksheetCase& c : sheet.cases) {
    ASSERT_FALSE(c.working.steps.empty());
    for (const Step& step : c.working.steps)
      EXPECT_NE(key.find(Squeezed(step.label + ":")), std::string::npos) << step.label;
  }
}

// The problem-file text written with --text is what is printed without output files; without
// --seed the seed drawn from the clock is told. A request refused after its outputs were named
// writes none of them; a failed write does not keep the other outputs from being written.
// (What is printed, and the messages, are in the behaviour tables.)
TEST(CliWorksheet, TextFileAndWhatFailedWritesLeave) {
  testing::TempFolder dir;
  const Args args = {"worksheet", "all", "--count", "3", "--seed", "123"};
  Args text = args;
  text.insert(text.end(), {"--text", dir / "t.txt"});
  ASSERT_EQ(Cli(text).status, kOk);
  EXPECT_EQ("seed 123\n" + testing::ReadBytes(dir / "t.txt"), Cli(args).out);
  EXPECT_TRUE(Cli({"worksheet", "4", "--count", "1", "--json"}).json()["seed"].is_number());

  const std::string file = dir / "same.pdf";
  EXPECT_EQ(Cli({"worksheet", "0", "--count", "1", "--pdf", file, "--key", file}).status, kUsage);
  EXPECT_FALSE(std::filesystem::exists(file));
  const Outcome o = Cli({"worksheet", "0", "--count", "1", "--moodle", dir / "no/such/folder.xml",
                         "--text", file});
  EXPECT_EQ(o.status, kFailed);
  EXPECT_TRUE(std::filesystem::exists(file));
}

}  // namespace
}  // namespace tolvi::cli
