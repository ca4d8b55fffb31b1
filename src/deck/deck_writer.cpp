#include "deck/deck_writer.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "deck/card_registry.h"

namespace orvo {

std::string InpPath(const std::string& chosen) {
  const size_t first = chosen.find(".inp");
  if (first != std::string::npos && first + 4 == chosen.size()) return chosen;
  return chosen + ".inp";
}

namespace {

// Room for a whole deck, so that its text is not copied as it grows: card J takes 25 columns
// per segment and system, the other cards a line or two per node.
size_t DeckSizeEstimate(const COrvoBuilderDoc& doc) {
  const size_t nodes = doc.nodes().size();
  const size_t segments = std::min(static_cast<size_t>(std::max(doc.group_a.NOSEG, 0)), nodes);
  const size_t systems = static_cast<size_t>(std::clamp(doc.group_a.NOSYS, 0, GroupJDlg::kSystems));
  return segments * 26 * systems + nodes * 160 + 65536;
}

// The cards in letter order into `out`, calling `card_written` after each (also after the
// failing one, whose part stays in the deck). The first failing group is reported.
template <class CardWritten>
bool WriteCards(const COrvoBuilderDoc& doc, DeckOut& out, CardWritten&& card_written) {
  for (const CardEntry& card : Cards()) {
    const bool written = card.write(doc, out, nullptr) && out.ok();
    if (!card_written()) return false;
    if (!written) {
      doc.platform().ShowMessage(
          std::string("COrvoBuilderDoc::OrvoWrite: Failed to properly write group ") + card.letter +
          ".");
      return false;
    }
  }
  return true;
}

}  // namespace

std::string DeckText(const COrvoBuilderDoc& doc, bool& ok) {
  DeckOut out(doc.platform());
  out.text().reserve(DeckSizeEstimate(doc));
  ok = WriteCards(doc, out, [] { return true; });
  return std::move(out.text());
}

bool OrvoWrite(const COrvoBuilderDoc& doc, const std::string& path) {
  std::FILE* file = std::fopen(path.c_str(), "w");
  if (file == nullptr) {
    doc.platform().ShowMessage("Unable to open " + path + "for writing.");
    return false;
  }
  // The text goes to the file a chunk at a time: a big deck is never held whole.
  DeckOut out(doc.platform());
  int reason = 0;
  out.SetSink([file, &reason](std::string_view chunk) {
    if (std::fwrite(chunk.data(), 1, chunk.size(), file) == chunk.size()) return true;
    reason = errno;
    return false;
  });
  // A failing card's part stays in the deck.
  const bool cards_ok = WriteCards(doc, out, [&out] {
    out.Drain();
    return out.sink_ok();
  });
  bool written = out.sink_ok();
  // A full disk shows up at the write, the flush or the close.
  if (written && std::fflush(file) != 0) {
    written = false;
    reason = errno;
  }
  const bool closed = std::fclose(file) == 0;
  if (!written || !closed) {
    doc.platform().ShowMessage("Unable to write " + path + ": " +
                               std::strerror(written ? errno : reason) + ".");
    return false;
  }
  return cards_ok;
}

}  // namespace orvo
