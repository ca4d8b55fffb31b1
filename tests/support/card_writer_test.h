// The base of the card writers' tests: a project drawn as the editors draw it, or loaded from a
// project case (whose cards tests/deck/project_cards_test.cpp checks), written one card at a
// time.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "groups/cards.h"
#include "groups/deck_format.h"
#include "model/project_document.h"
#include "model/scripted_platform.h"
#include "support/document_test.h"
#include "support/golden.h"
#include "support/node_records.h"

namespace orvo::testing {

class CardWriterTest : public testing::DocumentTest {
 protected:
  // `count` more segments of type 0 in a row, kept in `segments`.
  void DrawSegments(int count) {
    for (int i = 0; i < count; ++i) {
      const int left = 100 * static_cast<int>(segments.size() + 1);
      segments.push_back(AddSegmentWithLabel(doc, left, 100));
    }
  }

  // The project case tests/data/projects/<name>, its segments in `segments`.
  void LoadCase(const std::string& name) {
    ASSERT_TRUE(doc.Load(DataPath("projects/" + name + "/project.orb").string())) << name;
    for (const auto& node : doc.nodes())
      if (node->is_segment()) segments.push_back(node.get());
  }

  // The exchange tool between segments by ID; an end 0 lies outside, and the exchange then
  // hangs on its one segment.
  COrvoBuilderCntrItem* DrawExchange(int up, int down) {
    const ExchangeMode mode = up == 0 ? kInflow : down == 0 ? kOutflow : kInterface;
    return doc.AddExchange(doc.GetSegmentNode(up == 0 ? down : up),
                           doc.GetSegmentNode(down == 0 ? up : down), mode);
  }

  // The card `write` makes of the project; `written` tells whether the writer succeeded.
  template <class Write>
  std::string Written(Write write, const Variation* variation = nullptr) {
    DeckOut out(platform);
    written = write(doc, out, variation);
    return out.text();
  }

  template <class Check>
  std::vector<std::string> Findings(Check check) {
    std::vector<std::string> findings;
    check(doc, findings);
    return findings;
  }

  std::vector<COrvoBuilderCntrItem*> segments;
  bool written = false;
};

}  // namespace orvo::testing
