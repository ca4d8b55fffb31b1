// Any bytes may reach the deck reader (a damaged deck, or another program's file chosen by
// mistake). It must refuse them or read them; a deck it reads must build a network, and the
// deck that network writes must read again, or a project read from a deck could not be
// written back to one the program itself accepts.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <string_view>

#include "deck/deck_reader.h"
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

  bool written = false;
  const std::string deck = orvo::DeckText(doc, written);
  // A project the writer refuses is reported to the user; only a written deck must read.
  if (!written) return 0;
  const size_t first_message = platform.messages.size();
  const OrvoClass again(deck, kDirectory, platform);
  if (again.record() == nullptr) {
    std::fprintf(stderr, "a deck written from a read deck does not read again:\n%s\n",
                 deck.c_str());
    // What the second reading said tells which card it stopped at.
    for (size_t i = first_message; i < platform.messages.size(); ++i) {
      std::fprintf(stderr, "  message: %s\n", platform.messages[i].c_str());
    }
    std::abort();
  }
  return 0;
}
