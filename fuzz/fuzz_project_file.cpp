// Any bytes may reach the project file reader (a damaged or foreign .orb). It must refuse
// them or accept them; what it accepts must save, and that save must load again (or the
// user's next open of the project fails) and save to the same bytes once more.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "model/network_node.h"
#include "model/project_document.h"
#include "model/scripted_platform.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using orvo::COrvoBuilderCntrItem;
  using orvo::COrvoBuilderDoc;
  // The counter is process-wide; every input starts as a freshly started program.
  COrvoBuilderCntrItem::SetNodeNumberCounter(0);
  orvo::ScriptedPlatform platform;
  COrvoBuilderDoc document(platform);
  std::string error;
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  if (!document.LoadFromBytes(bytes, error)) return 0;

  const std::string saved = document.SaveToBytes();
  // Opened again as by a freshly started program, so that the node numbers match.
  COrvoBuilderCntrItem::SetNodeNumberCounter(0);
  COrvoBuilderDoc reloaded(platform);
  if (!reloaded.LoadFromBytes(saved, error)) {
    std::fprintf(stderr, "a loaded project saved to %zu bytes that do not load again: %s\n",
                 saved.size(), error.c_str());
    std::abort();
  }
  // Whatever loading normalised, it did so the first time: the second save changes nothing.
  if (reloaded.SaveToBytes() != saved) {
    std::fprintf(stderr, "saving the reloaded project gives other bytes than the first save\n");
    std::abort();
  }
  return 0;
}
