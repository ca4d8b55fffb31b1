#include "model/number_text.h"
#include "model/number_syntax.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <cstdio>
#include <random>
#include <string>

#include "model/string_array.h"

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

TEST(NumberTextTest, ParsesTheLeadingNumber) {
  EXPECT_EQ(AtoI("  42abc"), 42);
  EXPECT_EQ(AtoI("-7"), -7);
  EXPECT_EQ(AtoI("abc"), 0);
  EXPECT_EQ(AtoI(""), 0);
  EXPECT_EQ(AtoI("99999999999999999999"), 2147483647);
  EXPECT_EQ(AtoI("-99999999999999999999"), -2147483647 - 1);
  EXPECT_DOUBLE_EQ(AtoF(" 2.5e1xyz"), 25.0);
  EXPECT_DOUBLE_EQ(AtoF("x"), 0.0);
  EXPECT_DOUBLE_EQ(AtoF(std::string(5000, ' ') + "3.25"), 3.25);
  // The C library's forms beyond plain decimals.
  EXPECT_DOUBLE_EQ(AtoF("0x10"), 16.0);
  EXPECT_DOUBLE_EQ(AtoF("-0X1p3"), -8.0);
  EXPECT_DOUBLE_EQ(AtoF("+2.5"), 2.5);
  EXPECT_DOUBLE_EQ(AtoF("-.5"), -0.5);
  EXPECT_DOUBLE_EQ(AtoF(".25e1"), 2.5);
  EXPECT_EQ(AtoF("1e400"), HUGE_VAL);
  EXPECT_EQ(AtoF("-1e400"), -HUGE_VAL);
  EXPECT_EQ(AtoF("4.9e-324"), 4.9e-324);
  EXPECT_EQ(AtoF("1e-400"), 0.0);
  EXPECT_EQ(AtoF("0.1"), 0.1);
  EXPECT_EQ(AtoF("123456789012345678901234567890"), 1.2345678901234568e29);
}

// The desktop toolkit sets the process locale from the environment; a comma-decimal locale
// must not reach number text.
TEST(NumberTextTest, TellsWholeNumbersFromText) {
  for (const char* good : {"1.5", " -2e3 ", "+.5", "7.", "1E-05", "0"}) {
    EXPECT_TRUE(IsNumberText(good)) << good;
  }
  for (const char* bad : {"abc", "3x", "", " ", "1e", ".", "-", "inf", "nan", "1,5", "1 2"}) {
    EXPECT_FALSE(IsNumberText(bad)) << bad;
  }
  EXPECT_TRUE(IsNumberText("12", true));
  EXPECT_FALSE(IsNumberText("1.5", true));
  EXPECT_FALSE(IsNumberText("1e3", true));
  EXPECT_TRUE(IsNumberListText("1 0, 2e-5\t365"));
  EXPECT_TRUE(IsNumberListText(""));
  EXPECT_FALSE(IsNumberListText("1 zero"));
  EXPECT_FALSE(IsNumberListText("1 2.5", true));
}

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
