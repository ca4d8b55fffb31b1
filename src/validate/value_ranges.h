// The value ranges of group J's per-segment values: reading and saving the ranges file, and
// the questions asked when a typed value lies outside a set bound.
#pragma once

#include <string>

#include "model/platform.h"
#include "model/value_range_table.h"

namespace orvo {

// The table's path becomes path, then the file's lines fill the table; values set before a
// faulty line stay set. An empty path reads nothing. False when a fault was reported.
bool ReadTableData(ValueRangeTable& table, const std::string& path, Platform& platform);
// The ranges file to read for a project's path: the path itself when it can be read or is
// absolute; a relative one that cannot (a project made elsewhere, such as the bundled
// examples' "RangeDefaults.txt") is the file of that name beside the program, when there is one.
std::string RangeFileToRead(const std::string& path, const std::string& application_directory);
// Writes the file at the table's path (nothing when it is empty). False when a fault was
// reported.
bool SaveTableData(const ValueRangeTable& table, Platform& platform);

// Asks whether to keep a value below the set minimum or above the set maximum (an empty
// bound is not set). False when the user rejects the value.
bool CheckValue(const std::string& min_text, const std::string& max_text, double value,
                Platform& platform);
bool CheckC(const ValueRangeTable& table, double value, Platform& platform);
bool CheckDissf(const ValueRangeTable& table, double value, Platform& platform);

}  // namespace orvo
