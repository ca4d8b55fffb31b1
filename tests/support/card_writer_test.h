// The base of the card writers' tests: a project loaded from a project case (whose cards
// tests/deck/project_cards_test.cpp checks), written one card at a time.
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
  // The project case tests/data/projects/<name>, its segments in `segments`.
  void LoadCase(const std::string& name) {
    ASSERT_TRUE(doc.Load(DataPath("projects/" + name + "/project.orb").string())) << name;
    for (const auto& node : doc.nodes())
      if (node->is_segment()) segments.push_back(node.get());
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
