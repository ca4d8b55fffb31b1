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

std::string DeckText(const COrvoBuilderDoc& doc, bool& ok) {
  DeckOut out(doc.platform());
  // Room for the whole text at once, so that it is not copied as it grows: card J takes 25
  // columns per segment and system, the other cards a line or two per node.
  const size_t nodes = doc.nodes().size();
  const size_t segments = std::min(static_cast<size_t>(std::max(doc.group_a.NOSEG, 0)), nodes);
  const size_t systems = static_cast<size_t>(std::clamp(doc.group_a.NOSYS, 0, GroupJDlg::kSystems));
  out.text().reserve(segments * 26 * systems + nodes * 160 + 65536);
  ok = true;
  for (const CardEntry& card : Cards()) {
    if (!card.write(doc, out, nullptr) || !out.ok()) {
      doc.platform().ShowMessage(
          std::string("COrvoBuilderDoc::OrvoWrite: Failed to properly write group ") + card.letter +
          ".");
      ok = false;
      break;
    }
  }
  return std::move(out.text());
}

bool OrvoWrite(const COrvoBuilderDoc& doc, const std::string& path) {
  std::FILE* file = std::fopen(path.c_str(), "w");
  if (file == nullptr) {
    doc.platform().ShowMessage("Unable to open " + path + "for writing.");
    return false;
  }
  bool cards_ok;
  const std::string text = DeckText(doc, cards_ok);
  // A full disk shows up at the write, the flush or the close.
  const bool written =
      std::fwrite(text.data(), 1, text.size(), file) == text.size() && std::fflush(file) == 0;
  const int reason = errno;
  const bool closed = std::fclose(file) == 0;
  if (!written || !closed) {
    doc.platform().ShowMessage("Unable to write " + path + ": " +
                               std::strerror(written ? errno : reason) + ".");
    return false;
  }
  return cards_ok;
}

}  // namespace orvo
