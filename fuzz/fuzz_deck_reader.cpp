// Any bytes may reach the deck reader (a damaged deck, or another program's file chosen by
// mistake). It must refuse them or read them; a deck it reads must build a network, and the
// deck that network writes must read again, or a project read from a deck could not be
// written back to one the program itself accepts.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "deck/deck_reader.h"
#include "deck/deck_reading.h"
#include "deck/deck_writer.h"
#include "model/network_node.h"
#include "model/project_document.h"
#include "model/scripted_platform.h"

namespace {

// Never created: a deck naming a hydrodynamic file must not find one by chance.
const char kDirectory[] = "/nonexistent/orvo_fuzz_deck_reader";

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using orvo::COrvoBuilderCntrItem;
  using orvo::COrvoBuilderDoc;
  using orvo::OrvoClass;
  // The counter is process-wide; every input starts as a freshly started program.
  COrvoBuilderCntrItem::SetNodeNumberCounter(0);
  // No files queued: every file chooser the reader opens is cancelled.
  orvo::ScriptedPlatform platform;
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  auto reader = std::make_shared<const OrvoClass>(text, kDirectory, platform);
  if (reader->record() == nullptr) return 0;

  COrvoBuilderDoc doc(platform);
  doc.dataset_reader = std::move(reader);
  orvo::BuildNetwork(doc);

  // The project built from any deck must save to a file that opens again, or the user's
  // first save would lose it.
  {
    const std::string saved = doc.SaveToBytes();
    COrvoBuilderCntrItem::SetNodeNumberCounter(0);
    COrvoBuilderDoc reloaded(platform);
    std::string error;
    if (!reloaded.LoadFromBytes(saved, error)) {
      std::fprintf(stderr, "a project built from a deck saves to %zu bytes that do not load: %s\n",
                   saved.size(), error.c_str());
      std::abort();
    }
  }

  bool written = false;
  const std::string deck = orvo::DeckText(doc, written);
  // A project the writer refuses is reported to the user; only a written deck must read.
  if (!written) return 0;
  // Card C has one line per segment ID that a node holds; a deck listing a segment twice or
  // outside 1..NOSEG builds a network whose deck has other lines than NOSEG says. And a
  // first title that is exactly the KOBAL5 marker cannot be told from it. Both are kept as
  // read, as the user made them; only a network the deck can describe must come back.
  std::vector<int> holders(static_cast<size_t>(std::max(doc.group_a.NOSEG, 0)), 0);
  for (const auto& node : doc.nodes()) {
    if (!node->is_segment()) continue;
    const int id = node->segment()->segment_id;
    if (id < 1 || id > doc.group_a.NOSEG) return 0;
    ++holders[static_cast<size_t>(id - 1)];
  }
  for (int count : holders) {
    if (count != 1) return 0;
  }
  if (orvo::IsKobalsLine(doc.group_a.TITLE1)) return 0;
  const size_t first_message = platform.messages.size();
  const OrvoClass again(deck, kDirectory, platform);
  if (again.record() == nullptr) {
    // Written whole: a deck may hold NUL bytes read from the input.
    std::fprintf(stderr, "a deck written from a read deck does not read again:\n");
    std::fwrite(deck.data(), 1, deck.size(), stderr);
    // What the second reading said tells which card it stopped at.
    for (size_t i = first_message; i < platform.messages.size(); ++i) {
      std::fprintf(stderr, "  message: %s\n", platform.messages[i].c_str());
    }
    std::abort();
  }
  return 0;
}
