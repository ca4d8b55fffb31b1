// The deck scanner and the readers of time functions on it. Scans are cases of
// tests/data/scans/*.txt (as support/card_cases.h reads them): the deck part is the text, the
// "import" line the scans in turn, each printing what it read or "fails":
//   int<width> double<width> word<width> name<width> chars<count>   one field
//   double<width>*                  doubles until one fails
//   line  end  line-number          a whole line; whether the text is used up; the line counter
//   pairs<count>                    ReadPairs of count pairs, then what the user was told
//   function                        ScanTimeFunction
#include "deck/deck_scanner.h"

#include <gtest/gtest.h>

#include <charconv>
#include <sstream>
#include <string>

#include "deck/deck_reading.h"
#include "model/scripted_platform.h"
#include "support/card_cases.h"

namespace orvo {
namespace {

std::string Number(double value) {
  char text[32];
  return std::string(text, std::to_chars(text, text + sizeof text, value).ptr);
}

std::string Breaks(const orvo::Breaks& breaks) {
  std::string text;
  for (const double value : breaks) text += " " + Number(value);
  return text;
}

std::string Scans(const testing::CardCase& c) {
  const std::string input = c.Input();
  DeckScanner in(input);
  ScriptedPlatform platform;
  std::string result;
  std::istringstream scans(c.import);
  for (std::string scan; scans >> scan;) {
    const size_t digits = scan.find_first_of("-0123456789");
    const std::string kind = scan.substr(0, digits);
    const int width = digits == std::string::npos ? 0 : std::stoi(scan.substr(digits));
    result += scan + ":";
    int number = 0;
    double real = 0;
    std::string text;
    bool ok = true;
    if (kind == "int") {
      if ((ok = in.ScanInt(width, number))) result += " " + std::to_string(number);
    } else if (kind == "double" && scan.back() == '*') {
      while (in.ScanDouble(width, real)) result += " " + Number(real);
    } else if (kind == "double") {
      if ((ok = in.ScanDouble(width, real))) result += " " + Number(real);
    } else if (kind == "word" || kind == "name" || kind == "chars" || kind == "line") {
      ok = kind == "word"   ? in.ScanWord(width, text)
           : kind == "name" ? in.ScanName(width, text)
           : kind == "line" ? in.ReadLine(text)
                            : in.ScanChars(width, text);
      if (ok) result += " \"" + text + "\"";
    } else if (kind == "end") {
      result += in.AtEnd() ? " yes" : " no";
    } else if (kind == "line-number") {
      result += " " + std::to_string(in.LineNumber());
    } else if (kind == "pairs") {
      result += Breaks(ReadPairs(in, width, platform));
    } else if (kind == "function") {
      orvo::Breaks breaks;
      if ((ok = ScanTimeFunction(in, breaks))) result += Breaks(breaks);
    } else {
      ADD_FAILURE() << "unknown scan " << scan;
    }
    result += ok ? "\n" : " fails\n";
    for (const std::string& message : platform.messages) result += message + "\n";
    platform.messages.clear();
  }
  return result;
}

TEST(DeckScannerTest, ScansAsTheCasesSay) {
  for (const std::string& name : testing::CaseNames("scans", ".txt")) {
    SCOPED_TRACE(name);
    testing::CheckCases(testing::DataPath("scans/" + name + ".txt"), Scans);
  }
}

TEST(DeckScannerTest, LinesAcceptBothLineEnds) {
  DeckScanner in("first\r\nsecond\nthird");
  std::string line;
  ASSERT_TRUE(in.ReadLine(line));
  EXPECT_EQ(line, "first");
  ASSERT_TRUE(in.ReadLine(line));
  EXPECT_EQ(line, "second");
  EXPECT_EQ(in.LineNumber(), 3);
  ASSERT_TRUE(in.ReadLine(line));
  EXPECT_EQ(line, "third");
  EXPECT_FALSE(in.ReadLine(line));
}

TEST(DeckScannerTest, ColumnsPastTheLineAreZero) {
  const std::string line = "   12  3.5";
  EXPECT_EQ(ColumnInt(line, 1, 5), 12);
  EXPECT_EQ(ColumnReal(line, 6, 5), 3.5);
  EXPECT_EQ(ColumnInt(line, 11, 5), 0);
  EXPECT_EQ(ColumnText(line, 9, 10), ".5");
  EXPECT_EQ(ColumnsFrom(line, 20), "");
  const std::string long_line(10000, '9');
  EXPECT_EQ(ColumnInt(long_line, 1, 5), 99999);
}

}  // namespace
}  // namespace orvo
