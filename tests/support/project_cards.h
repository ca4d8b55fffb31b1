// A project as its cards: each card A to J as its writer makes it of the project on its own,
// then whether it failed and what it said; every group's completeness findings; and each
// node's judgement by every card that judges nodes, in node-list order.
#pragma once

#include <string>
#include <vector>

#include "deck/card_registry.h"
#include "groups/deck_format.h"
#include "model/project_document.h"
#include "model/scripted_platform.h"

namespace orvo::testing {

inline std::string CardsText(COrvoBuilderDoc& doc, ScriptedPlatform& platform) {
  std::string text;
  for (const CardEntry& card : Cards()) {
    platform.messages.clear();
    DeckOut out(platform);
    const bool written = card.write(doc, out, nullptr);
    text += std::string("=== card ") + card.letter + (written ? "\n" : " (fails)\n") + out.text();
    if (!out.text().empty() && out.text().back() != '\n') text += "(no line end)\n";
    for (const std::string& message : platform.messages) text += "! " + message + "\n";
  }
  text += "=== findings\n";
  std::vector<std::string> findings;
  for (const CardEntry& card : Cards())
    if (card.check != nullptr) card.check(doc, findings);
  for (const std::string& finding : findings) text += finding + "\n";
  text += "=== nodes\n";
  for (const auto& node : doc.nodes()) {
    text += std::to_string(node->number());
    for (const CardEntry& card : Cards())
      if (card.node_check != nullptr)
        text += std::string("\t") + card.letter + ": " + card.node_check(doc, *node);
    text += "\n";
  }
  return text;
}

}  // namespace orvo::testing
