// A variation makes a card writer change one quantity of chosen targets in the written text
// (never in the project) and name the change in a note. Sensitivity runs use it; an ordinary
// deck is written with no variation.
#pragma once

#include <algorithm>
#include <string>
#include <vector>

namespace orvo {

class COrvoBuilderCntrItem;

struct Variation {
  // Segment IDs (groups C, E, F, G) or segment positions from 0 (group J).
  std::vector<int> targets;
  // Group B: function positions and exchange nodes; group D: function and field positions.
  std::vector<int> functions;
  std::vector<int> fields;
  std::vector<const COrvoBuilderCntrItem*> exchanges;
  // Item within the targets' values: a system (E, F, J), a slot (G); -1 for none.
  int item = -1;
  // The varied quantity: group B 0 area, 1 length; group C 0 VOLUME .. 4 DXP; group J 1 C,
  // 2 DISSF.
  int quantity = -1;
  // Group H: the constant by block (0 "Globals"), field and position, from 0.
  int block = -1;
  int field = -1;
  int constant = -1;
  double amount = 0.0;
  bool additive = false;
  bool percent = false;
  // When given, the writer appends the change's description after writing the card.
  std::string* note = nullptr;

  // percent: value * amount / 100; else additive: value + amount; else amount.
  double Apply(double value) const;
  // " ", "+/- " when additive, the amount ("%g"), "%" when percent.
  void AppendNote() const;

  static bool Contains(const std::vector<int>& list, int value) {
    return std::find(list.begin(), list.end(), value) != list.end();
  }
};

}  // namespace orvo
