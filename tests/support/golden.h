// Expected files under tests/data/: each kind a folder, each case a folder (or a file) of it.
// Run the tests with ORVO_UPDATE_EXPECTED=1 to write the expected files again from what the
// code does now; review the rewritten files as a diff before committing them.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "support/scratch_dir.h"

namespace orvo::testing {

inline std::filesystem::path DataPath(const std::string& relative) {
  return std::filesystem::path(ORVO_SOURCE_DIR) / "tests" / "data" / relative;
}

inline bool UpdatingExpected() {
  return std::getenv("ORVO_UPDATE_EXPECTED") != nullptr;
}

// The names of the entries of one kind's folder, sorted, so that test names stay stable.
inline std::vector<std::string> CaseNames(const std::string& kind, const std::string& ext = "") {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(DataPath(kind))) {
    if (ext.empty() ? entry.is_directory() : entry.path().extension() == ext)
      names.push_back(ext.empty() ? entry.path().filename().string()
                                  : entry.path().stem().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

// A case name as a test name: letters, digits and "_" only.
inline std::string CaseTestName(const ::testing::TestParamInfo<std::string>& info) {
  std::string name = info.param;
  for (char& c : name)
    if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
  return name;
}

// `actual` is byte for byte the expected file `path`; updating, it becomes the file.
inline void ExpectFileText(const std::filesystem::path& path, const std::string& actual) {
  if (UpdatingExpected()) {
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << actual;
    return;
  }
  ASSERT_TRUE(std::filesystem::exists(path))
      << path << " is missing: run with ORVO_UPDATE_EXPECTED=1";
  EXPECT_EQ(actual, ReadFile(path)) << "differs from " << path;
}

// As ExpectFileText, where an absent file stands for `otherwise` (a deck written back
// unchanged needs no copy of itself).
inline void ExpectFileTextOr(const std::filesystem::path& path, const std::string& actual,
                             const std::string& otherwise) {
  if (UpdatingExpected()) {
    std::error_code ignored;
    if (actual == otherwise)
      std::filesystem::remove(path, ignored);
    else
      std::ofstream(path, std::ios::binary) << actual;
    return;
  }
  EXPECT_EQ(actual, std::filesystem::exists(path) ? ReadFile(path) : otherwise)
      << "differs from " << (std::filesystem::exists(path) ? path.string() : "the input");
}

// A test name as a file name: "FieldOne" as "field_one", "Cases/2" as "cases_2".
inline std::string SnakeCase(const std::string& name) {
  std::string snake;
  for (size_t i = 0; i < name.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(name[i]);
    const bool after_lower = i > 0 && std::islower(static_cast<unsigned char>(name[i - 1]));
    const bool starts_word = i > 0 && i + 1 < name.size() &&
                             std::isupper(static_cast<unsigned char>(name[i - 1])) &&
                             std::islower(static_cast<unsigned char>(name[i + 1]));
    if (std::isupper(c) && (after_lower || starts_word)) snake += '_';
    snake += std::isalnum(c) ? static_cast<char>(std::tolower(c)) : '_';
  }
  return snake;
}

// The expected text of the running test: tests/data/<folder>/<unit>/<test>[_<part>].txt, where
// the test's source is tests/<folder>/<unit>_test.cpp.
inline void ExpectText(const std::string& actual, const std::string& part = "") {
  const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
  std::string source = info->file();
  source = source.substr(source.rfind("/tests/") + 7);
  source = source.substr(0, source.rfind("_test.cpp"));
  std::string name = SnakeCase(info->name());
  if (!part.empty()) name += "_" + part;
  const std::filesystem::path path = DataPath(source) / (name + ".txt");
  if (UpdatingExpected()) std::filesystem::create_directories(path.parent_path());
  ExpectFileText(path, actual);
}

}  // namespace orvo::testing
