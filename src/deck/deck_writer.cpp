#include "deck/deck_writer.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>

#include "deck/card_registry.h"
#include "model/file_replace.h"

namespace orvo {

namespace fs = std::filesystem;

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

namespace {

// The deck to sink a chunk at a time, so that a big deck is never held whole. False when the
// sink failed; cards_ok tells whether every card was written (a failing card's part is
// written all the same).
bool StreamDeck(const COrvoBuilderDoc& doc, const ByteSink& sink, bool& cards_ok) {
  DeckOut out(doc.platform());
  out.SetSink(sink);
  cards_ok = WriteCards(doc, out, [&out] {
    out.Drain();
    return out.sink_ok();
  });
  return out.sink_ok();
}

void ReportUnwritable(const COrvoBuilderDoc& doc, const std::string& path, int reason) {
  doc.platform().ShowMessage("Unable to write " + path + ": " + std::strerror(reason) + ".");
}

// Straight into the file as it stands: for what cannot be replaced (a device, a pipe, a file
// whose folder takes no new file).
bool WriteInPlace(const COrvoBuilderDoc& doc, const std::string& path) {
  std::FILE* file = std::fopen(path.c_str(), "w");
  if (file == nullptr) {
    doc.platform().ShowMessage("Unable to open " + path + "for writing.");
    return false;
  }
  int reason = 0;
  bool cards_ok = true;
  bool written = StreamDeck(
      doc,
      [file, &reason](std::string_view chunk) {
        if (std::fwrite(chunk.data(), 1, chunk.size(), file) == chunk.size()) return true;
        reason = errno;
        return false;
      },
      cards_ok);
  // A full disk shows up at the write, the flush or the close.
  if (written && std::fflush(file) != 0) {
    written = false;
    reason = errno;
  }
  const bool closed = std::fclose(file) == 0;
  if (!written || !closed) {
    ReportUnwritable(doc, path, written ? errno : reason);
    return false;
  }
  return cards_ok;
}

}  // namespace

bool OrvoWrite(const COrvoBuilderDoc& doc, const std::string& path) {
  // A link is followed, as writing into it would: the deck it names is replaced.
  std::string target = path;
  std::error_code error;
  if (fs::is_symlink(path, error)) {
    const fs::path resolved = fs::weakly_canonical(path, error);
    if (!error) target = resolved.string();
  }
  struct stat status;
  if (::stat(target.c_str(), &status) == 0) {
    if (!S_ISREG(status.st_mode)) return WriteInPlace(doc, path);
    // What could not be opened for writing is not replaced either.
    const int probe = ::open(target.c_str(), O_WRONLY | O_CLOEXEC);
    if (probe < 0) {
      doc.platform().ShowMessage("Unable to open " + path + "for writing.");
      return false;
    }
    ::close(probe);
  }
  // The deck replaces the previous one only once it is whole on disk: a write that fails keeps
  // the previous deck. A card that fails still ends the deck there, as written.
  bool cards_ok = true;
  const FileReplaceResult result =
      ReplaceFile(target, [&](const ByteSink& sink) { return StreamDeck(doc, sink, cards_ok); });
  if (!result.opened) return WriteInPlace(doc, path);
  if (!result.ok) {
    ReportUnwritable(doc, path, result.reason);
    return false;
  }
  return cards_ok;
}

}  // namespace orvo
