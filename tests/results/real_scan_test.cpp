#include "results/real_scan.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "support/golden.h"

namespace orvo {
namespace {

// ScanReal must give strtod's value, bit for bit, and stop where strtod stops (the test runs
// in the "C" locale). Hexadecimal text is the one form where the two part: the reader takes
// its leading "0" only.
void ExpectLikeStrtod(const std::string& text) {
  char* strtod_end = nullptr;
  const double expected = std::strtod(text.c_str(), &strtod_end);
  const char* p = text.data();
  double value = 0;
  const bool scanned = ScanReal(p, text.data() + text.size(), value);
  ASSERT_EQ(scanned, strtod_end != text.c_str()) << '"' << text << '"';
  if (!scanned) return;
  EXPECT_EQ(p, strtod_end) << '"' << text << '"';
  if (expected != expected) {
    EXPECT_NE(value, value) << '"' << text << '"';
  } else {
    EXPECT_EQ(std::bit_cast<std::uint64_t>(value), std::bit_cast<std::uint64_t>(expected))
        << '"' << text << "\" " << value << " != " << expected;
  }
}

std::string Format(const char* format, double value) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, format, value);
  return buffer;
}

TEST(RealScanTest, WrittenFormsReadBackExactly) {
  // The model programs' fields, "%g" texts and shortest round-trip texts, over values from
  // denormals to overflow, including mantissas at the edge of 53 bits and of 19 digits.
  std::mt19937_64 random(20261206);
  std::vector<double> values = {0.0,
                                -0.0,
                                1.0,
                                -1.0,
                                0.1,
                                0.5,
                                9007199254740992.0,
                                9007199254740993.0,
                                1e22,
                                1e23,
                                1e-22,
                                1e-23,
                                5e-324,
                                2.2250738585072014e-308,
                                1.7976931348623157e308};
  for (int i = 0; i < 4000; ++i) {
    const double magnitude = std::ldexp(1.0, static_cast<int>(random() % 120) - 60);
    values.push_back(magnitude * (static_cast<double>(random() % 2000000) / 1e6 - 1.0));
    values.push_back(std::bit_cast<double>(random() & 0x7fefffffffffffffULL));
  }
  for (double value : values) {
    for (const char* format :
         {"%10.3E", "%14.6e", "%10.3f", "%.5f", "%g", "%.17g", "%.19e", "%.25g", "%+.3e"}) {
      ExpectLikeStrtod(Format(format, value));
    }
  }
}

TEST(RealScanTest, HandWrittenFormsAndEdges) {
  // One text a line, the empty and the blank one included.
  std::istringstream texts(
      testing::ReadFile(testing::DataPath("results/real_scan/hand_written_forms.txt")));
  for (std::string text; std::getline(texts, text);) ExpectLikeStrtod(text);
  const std::string hex = "0x10";
  const char* p = hex.data();
  double value = -1;
  ASSERT_TRUE(ScanReal(p, hex.data() + hex.size(), value));
  EXPECT_EQ(value, 0.0);
  EXPECT_EQ(p, hex.data() + 1);
}

TEST(RealScanTest, NumbersEndWithTheirText) {
  // A number cut by the end of its text ends there, whatever follows in memory.
  const std::string text = "1.2345E+01 ";
  for (std::size_t length = 1; length < text.size(); ++length) {
    const char* p = text.data();
    double value = 0;
    ASSERT_TRUE(ScanReal(p, text.data() + length, value));
    EXPECT_LE(p, text.data() + length);
    EXPECT_EQ(value, std::strtod(text.substr(0, length).c_str(), nullptr)) << length;
  }
}

TEST(RealScanTest, SixRealsAndIntegers) {
  double values[6] = {};
  ASSERT_TRUE(ScanSixReals(" 1.000E+00-2.500E-01 3 4 5 6 trailing", values));
  EXPECT_EQ(values[0], 1.0);
  EXPECT_EQ(values[1], -0.25);
  EXPECT_EQ(values[5], 6.0);
  EXPECT_FALSE(ScanSixReals("1 2 3 4 5", values));
  EXPECT_FALSE(ScanSixReals("1 2 3 x 5 6", values));

  const std::string line = "   -12 99999999999999999999 9223372036854775808 +7";
  const char* p = line.data();
  const char* end = p + line.size();
  long long number = 0;
  ASSERT_TRUE(ScanInt(p, end, number));
  EXPECT_EQ(number, -12);
  ASSERT_TRUE(ScanInt(p, end, number));
  EXPECT_EQ(number, 9223372036854775807LL);  // held at the largest value
  ASSERT_TRUE(ScanInt(p, end, number));
  EXPECT_EQ(number, 9223372036854775807LL);  // one past it, without overflowing on the way
  ASSERT_TRUE(ScanInt(p, end, number));
  EXPECT_EQ(number, 7);
  EXPECT_FALSE(ScanInt(p, end, number));
}

}  // namespace
}  // namespace orvo
