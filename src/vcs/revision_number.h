// Revision numbers as RCS writes them ("1.2", "1.10", "1.2.1.1"): kept as text, since 1.10
// and 1.1 are different revisions, and compared field by field.
#pragma once

#include <string>
#include <vector>

namespace orvo {

// Digits in dot-separated fields, at least two and an even number of them (an odd number
// names a branch, not a revision).
bool IsRevisionNumber(const std::string& text);

// Negative, zero or positive as a comes before, equals or follows b. Fields compare as
// numbers ("1.02" equals "1.2"); a number that runs out of fields first is the smaller. Any
// text compares, fields that hold no digits counting as 0.
int CompareRevisions(const std::string& a, const std::string& b);

// The number the next check-in asks for after the newest trunk revision of the list (newest
// first): the minor number one up ("1.2" gives "1.3", "1.10" gives "1.11"), except that a
// minor 9 moves to the next major ("1.9" gives "2", which RCS makes 2.1). Empty when the list
// holds no trunk revision: the first check-in lets RCS number it.
std::string NextRevision(const std::vector<std::string>& revisions);

}  // namespace orvo
