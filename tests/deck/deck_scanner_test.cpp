#include "deck/deck_scanner.h"

#include <gtest/gtest.h>

#include <cmath>

namespace orvo {
namespace {

// Right-aligned fields that fill their columns touch the field before them.
TEST(DeckScannerTest, FullWidthFieldsStayApart) {
  DeckScanner in("       0.010001    1.0e-5\n       1.0123456789    0\n");
  double value = -1;
  std::string word;
  ASSERT_TRUE(in.ScanDouble(10, value));
  EXPECT_EQ(value, 0.0);
  ASSERT_TRUE(in.ScanWord(5, word));
  EXPECT_EQ(word, "10001");
  ASSERT_TRUE(in.ScanDouble(10, value));
  EXPECT_EQ(value, 1.0e-5);
  int first = 0, second = 0;
  ASSERT_TRUE(in.ScanDouble(10, value)) << "across the line end";
  EXPECT_EQ(value, 1.0);
  ASSERT_TRUE(in.ScanInt(5, first));
  ASSERT_TRUE(in.ScanInt(5, second));
  EXPECT_EQ(first, 12345);
  EXPECT_EQ(second, 6789);
}

TEST(DeckScannerTest, FreeFormatAndLeftAlignedNumbers) {
  DeckScanner in("1.5       0         2.75      30\n20 0\n\n25 180");
  double value;
  std::vector<double> read;
  while (in.ScanDouble(10, value)) read.push_back(value);
  EXPECT_EQ(read, (std::vector<double>{1.5, 0, 2.75, 30, 20, 0, 25, 180}));
  EXPECT_TRUE(in.AtEnd());
}

// A value beyond the double range is written as "inf"; it must read back.
TEST(DeckScannerTest, InfinitiesReadBack) {
  DeckScanner in("       inf      -inf       1.0");
  double value = 0;
  ASSERT_TRUE(in.ScanDouble(10, value));
  EXPECT_TRUE(std::isinf(value) && value > 0);
  ASSERT_TRUE(in.ScanDouble(10, value));
  EXPECT_TRUE(std::isinf(value) && value < 0);
  ASSERT_TRUE(in.ScanDouble(10, value));
  EXPECT_EQ(value, 1.0);
}

TEST(DeckScannerTest, NamesAreReadByTheirColumns) {
  DeckScanner in("FOC 1    7       0.1   PH   11\n   DO");
  std::string name;
  int isc;
  double value;
  ASSERT_TRUE(in.ScanName(5, name));
  EXPECT_EQ(name, "FOC 1");
  ASSERT_TRUE(in.ScanInt(5, isc));
  ASSERT_TRUE(in.ScanDouble(10, value));
  ASSERT_TRUE(in.ScanName(5, name));
  EXPECT_EQ(name, "PH");
  ASSERT_TRUE(in.ScanInt(5, isc));
  EXPECT_EQ(isc, 11);
  ASSERT_TRUE(in.ScanName(5, name)) << "a blank rest of line passes to the next";
  EXPECT_EQ(name, "DO");
  EXPECT_FALSE(in.ScanName(5, name));
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

TEST(DeckScannerTest, FailedScansLeaveNothingBehind) {
  DeckScanner in("  abc");
  int number;
  double real;
  EXPECT_FALSE(in.ScanInt(5, number));
  EXPECT_FALSE(in.ScanDouble(10, real));
  std::string chars;
  EXPECT_TRUE(in.ScanChars(3, chars));
  EXPECT_EQ(chars, "abc");
  EXPECT_FALSE(in.ScanChars(1, chars));
}

}  // namespace
}  // namespace orvo
