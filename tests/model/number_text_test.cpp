#include "model/number_text.h"
#include "model/number_syntax.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <cstdio>
#include <random>
#include <sstream>
#include <string>

#include "model/string_array.h"
#include "support/card_cases.h"

namespace orvo {
namespace {

TEST(NumberTextTest, FormatsLikePrintf) {
  EXPECT_EQ(IntText(-12), "-12");
  EXPECT_EQ(RealText(0.0), "0");
  EXPECT_EQ(RealText(1.5), "1.5");
  EXPECT_EQ(RealText(1e20), "1e+20");
  EXPECT_EQ(RealText(0.000123456), "0.000123456");
  EXPECT_EQ(CFormat("%10.1f|%#10.1g", 12.0, 1e20), "      12.0|    1.e+20");
  EXPECT_EQ(CFormat("%s", std::string(300, 'x').c_str()).size(), 300u);
}

TEST(NumberTextTest, RealTextIsPrintfG) {
  std::mt19937_64 random(7);
  std::uniform_real_distribution<double> exponent(-320, 308);
  char expected[64];
  for (int i = 0; i < 50000; ++i) {
    double value = std::pow(10.0, exponent(random)) * (i % 2 ? -1 : 1);
    if (i % 5 == 0) value = std::round(value * 1000) / 1000;
    std::snprintf(expected, sizeof expected, "%g", value);
    ASSERT_EQ(RealText(value), expected) << value;
  }
  for (double value : {0.0, -0.0, 1e300 * 1e300, 0.5, 999999.5, 9999995.0, 1e-5, 123456.5}) {
    std::snprintf(expected, sizeof expected, "%g", value);
    EXPECT_EQ(RealText(value), expected) << value;
  }
}

// Texts read as numbers, cases of tests/data/model/number_texts.txt (as support/card_cases.h
// reads them): each line of a case is a text in brackets; the result gives per text what AtoI and
// AtoF read from its start and whether it is a number, a whole number, a list of numbers and a
// list of whole numbers.
std::string Readings(const testing::CardCase& c) {
  std::string result;
  std::istringstream lines(c.text);
  for (std::string line; std::getline(lines, line);) {
    const std::string text = line.substr(1, line.size() - 2);
    char real[32];
    std::snprintf(real, sizeof real, "%.17g", AtoF(text));
    const auto yes = [](bool b) { return b ? "yes" : "no"; };
    result += line + "\t" + std::to_string(AtoI(text)) + "\t" + real + "\t" +
              yes(IsNumberText(text)) + " " + yes(IsNumberText(text, true)) + " " +
              yes(IsNumberListText(text)) + " " + yes(IsNumberListText(text, true)) + "\n";
  }
  return result;
}

TEST(NumberTextTest, TextsAsTheCasesSay) {
  testing::CheckCases(testing::DataPath("model/number_texts.txt"), Readings);
  EXPECT_DOUBLE_EQ(AtoF(std::string(5000, ' ') + "3.25"), 3.25);
}

// The desktop toolkit sets the process locale from the environment; a comma-decimal locale
// must not reach number text.
TEST(NumberTextTest, CommaDecimalLocaleDoesNotLeak) {
  const char* names[] = {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "fr_FR.utf8"};
  const char* chosen = nullptr;
  for (const char* name : names) {
    if (std::setlocale(LC_ALL, name) != nullptr) {
      chosen = name;
      break;
    }
  }
  if (chosen == nullptr) {
    GTEST_SKIP() << "no comma-decimal locale is installed (make test generates de_DE.UTF-8)";
  }
  char probe[16];
  std::snprintf(probe, sizeof probe, "%g", 1.5);
  EXPECT_STREQ(probe, "1,5") << "the locale " << chosen << " should use a decimal comma";

  EXPECT_EQ(RealText(1.5), "1.5");
  EXPECT_EQ(CFormat("%10.1f", 2.0), "       2.0");
  EXPECT_DOUBLE_EQ(AtoF("1.5"), 1.5);
  StringArray parsed;
  parsed.Parse("0.25 3", true);
  EXPECT_EQ(parsed.Join(' '), "0.25 3");
  std::setlocale(LC_ALL, "C");
}

}  // namespace
}  // namespace orvo
