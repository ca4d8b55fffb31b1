#include "model/string_array.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "model/string_array_view.h"
#include "support/card_cases.h"

namespace orvo {
namespace {

// String forms read, each line of a case of tests/data/model/string_forms.txt (as
// support/card_cases.h reads them): into an array holding "kept", whether the read succeeds, the
// level and elements it gives, and what the array writes back. The copy-free canonical form and
// the first elements read alone must agree with reading the text whole.
std::string Forms(const testing::CardCase& c) {
  std::string result;
  std::istringstream lines(c.text);
  for (std::string text; std::getline(lines, text);) {
    StringArray array({"kept"});
    const bool read = array.FromString(text);
    result += text + "\n\t" + (read ? "reads" : "fails: " + array.error()) + ", level " +
              std::to_string(array.level()) + ":";
    for (const std::string& element : array.GetList()) result += " [" + element + "]";
    result += "\n\twrites " + array.ToString() + "\n";

    StringArray fresh;
    fresh.FromString(text);
    std::string out;
    std::string_view error;
    if (CanonicalStringArray(text, out, error)) {
      EXPECT_EQ(out, fresh.ToString()) << text;
      std::string in_place = text;
      EXPECT_TRUE(CanonicalizeStringArray(in_place, error)) << text;
      EXPECT_EQ(in_place, out) << text;
    } else {
      result += "\tno canonical form: " + std::string(error) + "\n";
    }
    const StringArrayView whole(text);
    for (size_t count = 0; count <= 4; ++count) {
      StringArrayView first;
      first.ResetFirst(text, count);
      for (size_t i = 0; i < count; ++i) EXPECT_EQ(first.At(i), whole.At(i)) << text << " " << i;
    }
  }
  return result;
}

TEST(StringArrayTest, StringFormCases) {
  testing::CheckCases(testing::DataPath("model/string_forms.txt"), Forms);
}

TEST(StringArrayTest, NestedArrayRaisesTheLevel) {
  StringArray inner({"x", "y"});
  StringArray outer({"first", inner.ToString()});
  EXPECT_EQ(outer.level(), 1);
  const std::string text = outer.ToString();
  EXPECT_EQ(text, "_StringArrayCookie_1_first|@|_StringArrayCookie_0_x|!|y");
  StringArray back(text);
  ASSERT_EQ(back.size(), 2u);
  EXPECT_EQ(back.At(0), "first");
  EXPECT_EQ(back.At(1), "_StringArrayCookie_0_x|!|y");
  StringArray nested;
  ASSERT_TRUE(back.GetList(nested, 1));
  EXPECT_EQ(nested.GetList(), (std::vector<std::string>{"x", "y"}));
}

TEST(StringArrayTest, SetListStoresNestedFormAboveItsLevel) {
  StringArray deep({"v"});
  for (int i = 0; i < 3; ++i) {
    StringArray wrapper;
    ASSERT_TRUE(wrapper.SetList(deep, 0));
    deep = wrapper;
  }
  EXPECT_EQ(deep.level(), 3);
  EXPECT_EQ(deep.ToString(),
            "_StringArrayCookie_3_"
            "_StringArrayCookie_2__StringArrayCookie_1__StringArrayCookie_0_v");
  StringArray read(deep.ToString());
  EXPECT_EQ(read.level(), 3);
  EXPECT_EQ(read.ToString(), deep.ToString());
}

// An element may hold a delimiter as plain text; the string form then takes a level whose
// delimiter it does not hold, so that reading gives back the same elements.
TEST(StringArrayTest, ElementsHoldingADelimiterReadBack) {
  StringArray split_across({"x|@", "|@|", ""});
  EXPECT_EQ(StringArray(split_across.ToString()).GetList(), split_across.GetList());
  StringArray plain({"a|!|b"});
  EXPECT_EQ(plain.ToString(), "_StringArrayCookie_1_a|!|b");
}

TEST(StringArrayTest, DelimiterTable) {
  EXPECT_EQ(StringArrayDelimiter(0), "|!|");
  EXPECT_EQ(StringArrayDelimiter(3), "|$|");
  EXPECT_EQ(StringArrayDelimiter(11), "|_|");
  EXPECT_EQ(StringArrayDelimiter(27), "|\\|");
  EXPECT_EQ(StringArrayDelimiter(37), "|0|");
  EXPECT_EQ(StringArrayDelimiter(38), "");
}

// Exhausted delimiter levels fail the operation and leave the array as it was.
TEST(StringArrayTest, LevelsOutOfRangeFailWithoutChange) {
  StringArray top;
  top.GetList().push_back("_StringArrayCookie_37_x");
  EXPECT_FALSE(top.Resync());
  EXPECT_EQ(top.level(), 0);

  StringArray nested;
  nested.GetList().push_back("_StringArrayCookie_36_x");
  ASSERT_TRUE(nested.Resync());
  EXPECT_EQ(nested.level(), 37);
  StringArray holder({"kept"});
  EXPECT_FALSE(holder.SetList(nested, 0));
  EXPECT_EQ(holder.error(), "[StringArray::SetList] Out of array delimiters!");
  EXPECT_EQ(holder.GetList(), std::vector<std::string>{"kept"});
}

TEST(StringArrayTest, IndexOutsideTheListYieldsEmptyText) {
  StringArray array({"a"});
  array[5] = "ignored";
  EXPECT_EQ(array.error(), "[StringArray::operator[]] Request out of range.\n");
  EXPECT_EQ(array.GetList(), std::vector<std::string>{"a"});
  EXPECT_EQ(array[5], "");
  EXPECT_EQ(array.At(7), "");
}

TEST(StringArrayTest, ParseKeepsEmptyFieldsBetweenGivenSeparators) {
  StringArray array;
  array.Parse("1,,3", false, ",");
  EXPECT_EQ(array.GetList(), (std::vector<std::string>{"1", " ", "3"}));
  array.Parse("1,,3", true, ",");
  EXPECT_EQ(array.GetList(), (std::vector<std::string>{"1", "0", "3"}));
  array.Parse("a,", false, ",");
  EXPECT_EQ(array.GetList(), (std::vector<std::string>{"a", " "}));
  array.Parse("1,,,4", false, ",");
  EXPECT_EQ(array.GetList(), (std::vector<std::string>{"1", " ", " ", "4"}));
  array.Parse(",a", false, ",");
  EXPECT_EQ(array.GetList(), std::vector<std::string>{"a"});
}

TEST(StringArrayTest, ParseWithDefaultSeparators) {
  StringArray array;
  array.Parse("2  4\t6", false);
  EXPECT_EQ(array.GetList(), (std::vector<std::string>{"2", "4", "6"}));
  array.Parse("1.5 2", false);
  EXPECT_EQ(array.GetList(), (std::vector<std::string>{"1.5", "2"}));
  array.Parse("1.50, 2e3\n x", true);
  EXPECT_EQ(array.GetList(), (std::vector<std::string>{"1.5", "2000", "0"}));
  array.Parse("", true);
  EXPECT_TRUE(array.empty());
}

TEST(StringArrayTest, JoinHasNoTrailingSeparator) {
  EXPECT_EQ(StringArray({"0.0", "1", "2"}).Join(' '), "0.0 1 2");
  EXPECT_EQ(StringArray().Join(' '), "");
}

}  // namespace
}  // namespace orvo
