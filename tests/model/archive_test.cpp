#include "model/archive.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

namespace orvo {
namespace {

TEST(ArchiveTest, NumbersAreLittleEndian) {
  ArchiveWriter ar;
  ar.U16(0x3DBF);
  ar.I32(-2);
  ar.F64(1.0);
  EXPECT_EQ(ar.bytes(), std::string("\xBF\x3D\xFE\xFF\xFF\xFF\0\0\0\0\0\0\xF0\x3F", 14));
}

// A text made in place, after bytes already written, is stored as String stores it.
TEST(ArchiveTest, StringLengthPrefixEscalates) {
  const std::pair<size_t, std::string> cases[] = {
      {0, std::string("\0", 1)},
      {254, "\xFE"},
      {255, std::string("\xFF\xFF\x00", 3)},
      {300, std::string("\xFF\x2C\x01", 3)},
      {65533, std::string("\xFF\xFD\xFF", 3)},
      {65534, std::string("\xFF\xFF\xFF\xFE\xFF\x00\x00", 7)},
  };
  for (const auto& [length, prefix] : cases) {
    const std::string text = std::string(length, 'a') + (length > 0 ? "z" : "");
    const std::string_view body = std::string_view(text).substr(0, length);
    ArchiveWriter copied;
    copied.U16(7);
    copied.String(body);
    copied.U16(9);
    EXPECT_EQ(copied.bytes(),
              std::string("\x07\0", 2) + prefix + std::string(body) + std::string("\x09\0", 2))
        << length;
    ArchiveWriter in_place;
    in_place.U16(7);
    in_place.StringInPlace([&](std::string& bytes) { bytes.append(body); });
    in_place.U16(9);
    EXPECT_EQ(in_place.bytes(), copied.bytes()) << length;
  }
}

TEST(ArchiveTest, ReaderAcceptsEveryPrefixFormForAnyLength) {
  const std::string texts[] = {std::string("\x02hi", 3), std::string("\xFF\x02\x00hi", 5),
                               std::string("\xFF\xFF\xFF\x02\x00\x00\x00hi", 9)};
  for (const std::string& bytes : texts) {
    ArchiveReader ar(bytes);
    EXPECT_EQ(ar.String(), "hi");
    EXPECT_TRUE(ar.ok());
    EXPECT_EQ(ar.remaining(), 0u);
  }
}

TEST(ArchiveTest, RoundTrip) {
  ArchiveWriter ar;
  ar.U16(7);
  ar.I32(-123456);
  ar.U32(4000000000u);
  ar.F64(-0.125);
  ar.String(std::string(70000, 'z'));
  ar.Count(5);
  ar.Count(70000);
  ArchiveReader in(ar.bytes());
  EXPECT_EQ(in.U16(), 7);
  EXPECT_EQ(in.I32(), -123456);
  EXPECT_EQ(in.U32(), 4000000000u);
  EXPECT_EQ(in.F64(), -0.125);
  EXPECT_EQ(in.String(), std::string(70000, 'z'));
  EXPECT_EQ(in.Count(), 5u);
  EXPECT_EQ(in.Count(), 70000u);
  EXPECT_TRUE(in.ok());
}

TEST(ArchiveTest, FailuresStickAndNeverOverread) {
  // A text claiming 4 GiB in a file of a few bytes.
  const std::string huge_bytes("\xFF\xFF\xFF\xFF\xFF\xFF\xFFxyz", 10);
  ArchiveReader huge(huge_bytes);
  EXPECT_EQ(huge.String(), "");
  EXPECT_FALSE(huge.ok());
  EXPECT_EQ(huge.I32(), 0);

  const std::string short_bytes("\x01\x02\x03", 3);
  ArchiveReader short_read(short_bytes);
  EXPECT_EQ(short_read.I32(), 0);
  EXPECT_FALSE(short_read.ok());
  EXPECT_EQ(short_read.U16(), 0) << "reads after a failure yield zero";

  ArchiveReader raised("abcd");
  raised.Fail("first");
  raised.Fail("second");
  EXPECT_EQ(raised.error(), "first");
}

}  // namespace
}  // namespace orvo
