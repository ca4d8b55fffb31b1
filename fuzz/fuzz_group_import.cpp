// A group import reads one card of a deck the user picked into a finished project. Whatever
// the card holds, the import must take it or refuse it (a refused or skipped card changes
// nothing), and the project must then still save to a file that opens again: a failed or odd
// import must not cost the user the project.
//
// First byte: bits 0-4 the card ('B' .. 'J' as letters, the rest wraps around), bit 5 (a
// lower-case letter) only moves past the card, bit 7 takes the deck shape from the second
// byte instead of from the project. The rest is the deck text.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "deck/card_registry.h"
#include "deck/deck_scanner.h"
#include "model/network_node.h"
#include "model/project_document.h"
#include "model/scripted_platform.h"
#include "support/example_river.h"

namespace {

// Cards B to J: every card but A has an importer.
constexpr int kReaderCount = orvo::kCardCount - 1;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using orvo::COrvoBuilderCntrItem;
  using orvo::COrvoBuilderDoc;
  if (size == 0) return 0;
  std::string_view input(reinterpret_cast<const char*>(data), size);
  const auto control = static_cast<unsigned char>(input[0]);
  input.remove_prefix(1);
  // 'B' is 2 in the low bits: shifted so that the letters name their own cards.
  const int index = ((control & 0x1F) + kReaderCount - 2) % kReaderCount;
  const bool skip = (control & 0x20) != 0;

  // The counter is process-wide; every input starts as a freshly started program.
  COrvoBuilderCntrItem::SetNodeNumberCounter(0);
  orvo::ScriptedPlatform platform;
  COrvoBuilderDoc doc(platform);
  orvo::testing::BuildExampleRiver(doc);
  // A fragment describes the project it is imported into; a whole deck brings its own card
  // A, whose shape the import command accepts when NOSEG >= 0 and NOSYS <= 8.
  doc.imported_NOSEG = doc.group_a.NOSEG;
  doc.imported_NOSYS = doc.group_a.NOSYS;
  if ((control & 0x80) != 0) {
    if (input.empty()) return 0;
    const auto shape = static_cast<unsigned char>(input[0]);
    input.remove_prefix(1);
    doc.imported_NOSEG = shape >> 4;
    doc.imported_NOSYS = (shape & 0x0F) % 9;
  }

  // Importers parse the whole card before changing anything: skipping a card, or failing to
  // read it, must leave the project exactly as it was.
  const std::string before = doc.SaveToBytes();
  orvo::DeckScanner in(input);
  const bool imported = orvo::Cards()[static_cast<size_t>(index) + 1].import(doc, in, skip);
  const std::string saved = doc.SaveToBytes();
  if ((skip || !imported) && saved != before) {
    std::fprintf(stderr, "%s card %c changed the project\n",
                 skip ? "skipping" : "failing to import", 'B' + index);
    std::abort();
  }

  // Opened again as by a freshly started program, so that the node numbers match.
  COrvoBuilderCntrItem::SetNodeNumberCounter(0);
  COrvoBuilderDoc reloaded(platform);
  std::string error;
  if (!reloaded.LoadFromBytes(saved, error)) {
    std::fprintf(stderr,
                 "after importing card %c%s the project saves to %zu bytes that do not "
                 "load again: %s\n",
                 'B' + index, skip ? " (skipped)" : "", saved.size(), error.c_str());
    std::abort();
  }
  return 0;
}
