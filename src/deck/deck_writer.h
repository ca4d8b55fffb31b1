// Writing a whole input deck: cards A to J in letter order.
#pragma once

#include <string>

#include "model/project_document.h"

namespace orvo {

// The write command's naming rule: ".inp" is appended unless the first ".inp" in the chosen
// name is its last four characters (run1 -> run1.inp, a.inp.txt -> a.inp.txt.inp).
std::string InpPath(const std::string& chosen);

// Writes the deck to path, replacing what is there once the new deck is whole on disk (a
// write that fails keeps the previous deck). The first group that cannot be written is
// reported and ends the deck (what was written stays on disk); false then, and false when
// the file cannot be opened or written. The project is never changed.
bool OrvoWrite(const COrvoBuilderDoc& doc, const std::string& path);

// The deck text, for callers that keep it in memory; ok tells whether every card was written.
std::string DeckText(const COrvoBuilderDoc& doc, bool& ok);

}  // namespace orvo
