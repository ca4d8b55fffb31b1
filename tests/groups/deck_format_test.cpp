#include "groups/deck_format.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <cstdio>
#include <random>

#include "model/scripted_platform.h"

namespace orvo {
namespace {

// The fitted format spelled out step by step with the C library, as a reference.
std::string Reference(double value, int width) {
  char buffer[128];
  char format[32];
  std::snprintf(buffer, sizeof buffer, "%g", value);
  std::string plain = buffer;
  if (plain.find('.') == std::string::npos && plain.find('e') == std::string::npos) {
    std::snprintf(format, sizeof format, "%%%d.1f", width);
  } else if (plain.find('.') == std::string::npos) {
    std::snprintf(format, sizeof format, "%%#%d.1g", width);
  } else {
    std::snprintf(format, sizeof format, "%%%dg", width);
    std::string last = plain;
    for (int precision = width - 1; static_cast<int>(last.size()) > width && precision > 0;
         --precision) {
      std::snprintf(format, sizeof format, "%%%d.%dg", width, precision);
      std::snprintf(buffer, sizeof buffer, format, value);
      last = buffer;
    }
  }
  std::snprintf(buffer, sizeof buffer, format, value);
  return buffer;
}

TEST(DeckFormatTest, FittedNumberExamples) {
  EXPECT_EQ(FittedNumber(12), "      12.0");
  EXPECT_EQ(FittedNumber(-5), "      -5.0");
  EXPECT_EQ(FittedNumber(0), "       0.0");
  EXPECT_EQ(FittedNumber(1.5), "       1.5");
  EXPECT_EQ(FittedNumber(0.000123456), "0.00012346");
  EXPECT_EQ(FittedNumber(1e20), "    1.e+20");
  EXPECT_EQ(FittedNumber(123456789), " 123456789");
  EXPECT_EQ(FittedNumber(2.5, 5), "  2.5");
  EXPECT_EQ(FittedNumber(1, 5), "  1.0");
}

// Some values never fit five columns; the precision stops at 1 and the wider text is kept.
TEST(DeckFormatTest, NarrowColumnsTerminate) {
  EXPECT_EQ(FittedNumber(0.0001, 5), "0.0001");
  EXPECT_EQ(FittedNumber(-12345.6, 5), "-1e+04");
  EXPECT_EQ(FittedNumber(1.0 / 3.0, 5), "0.333");
}

TEST(DeckFormatTest, FittedNumberSweepMatchesReference) {
  std::mt19937_64 random(20261206);
  std::uniform_real_distribution<double> exponent(-12, 22);
  std::uniform_int_distribution<int> digits(0, 1);
  for (int i = 0; i < 20000; ++i) {
    double value = std::pow(10.0, exponent(random));
    if (digits(random)) value = std::round(value);
    if (i % 3 == 0) value = -value;
    for (int width : {5, 10}) {
      ASSERT_EQ(FittedNumber(value, width), Reference(value, width)) << value << " " << width;
    }
  }
  for (double value : {99999.95, 9999999999.0, 1e-300, 5e-324, 1.7e308, 0.1, 100.0, -0.0, 999999.0,
                       -999999.0, 1e6, 123456.0}) {
    EXPECT_EQ(FittedNumber(value), Reference(value, 10)) << value;
    EXPECT_EQ(FittedNumber(value, 5), Reference(value, 5)) << value;
  }
}

TEST(DeckFormatTest, TimeFunctionBlocks) {
  ScriptedPlatform platform;
  DeckOut zero(platform);
  EXPECT_TRUE(zero.TimeFunction(std::vector<std::string>{}));
  EXPECT_EQ(zero.text(), "    0\n");

  DeckOut three(platform);
  EXPECT_TRUE(three.TimeFunction(std::vector<std::string>{"1", "0", "2", "10", "3", "20"}));
  EXPECT_EQ(three.text(),
            "    3\n"
            "       1.0       0.0       2.0      10.0       3.0      20.0\n");

  DeckOut eight(platform);
  std::vector<double> pairs;
  for (int i = 0; i < 16; ++i) pairs.push_back(i);
  EXPECT_TRUE(eight.TimeFunction(pairs));
  const std::string line1 =
      "       0.0       1.0       2.0       3.0       4.0       5.0       6.0"
      "       7.0\n";
  const std::string line2 =
      "       8.0       9.0      10.0      11.0      12.0      13.0      14.0"
      "      15.0\n";
  EXPECT_EQ(eight.text(), "    8\n" + line1 + line2);

  DeckOut odd(platform);
  EXPECT_FALSE(odd.TimeFunction(std::vector<std::string>{"1", "0", "2"}));
  EXPECT_EQ(odd.text(), "    1\n       1.0       0.0       2.0");
  EXPECT_FALSE(odd.ok());
}

TEST(DeckFormatTest, IntegersThatDoNotFitFail) {
  ScriptedPlatform platform;
  DeckOut out(platform);
  out.Int(99999, 5, "Segment ID");
  EXPECT_TRUE(out.ok());
  out.Int(100000, 5, "Segment ID");
  EXPECT_FALSE(out.ok());
  EXPECT_EQ(platform.messages.back(), "Segment ID 100000 does not fit its 5-column field.");
  DeckOut names(platform);
  names.Name("TOTKG 1", 5);
  names.Name("DO", 5);
  EXPECT_EQ(names.text(), "TOTKG   DO");
}

TEST(DeckFormatTest, CommaLocaleDoesNotReachTheDeck) {
  if (std::setlocale(LC_ALL, "de_DE.UTF-8") == nullptr) {
    GTEST_SKIP() << "de_DE.UTF-8 is not installed (make test generates it)";
  }
  EXPECT_EQ(FittedNumber(0.25), "      0.25");
  EXPECT_EQ(FittedNumber(3), "       3.0");
  std::setlocale(LC_ALL, "C");
}

}  // namespace
}  // namespace orvo
