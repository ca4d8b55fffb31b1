// Any bytes may be handed to the chart layout reader as a ".gsp" file. Whatever it accepts must
// be written back to a text that reads as the same layout, and applying it must keep a chart whole.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "results/chart_layout.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  std::string error;
  const std::optional<orvo::ChartLayout> layout = orvo::ChartLayout::Parse(text, error);
  if (!layout) {
    if (error.empty()) std::abort();
    return 0;
  }
  const std::string written = layout->Text();
  const std::optional<orvo::ChartLayout> again = orvo::ChartLayout::Parse(written, error);
  if (!again || again->Text() != written) {
    std::fprintf(stderr, "chart layout round trip changed the layout\n");
    std::abort();
  }
  orvo::ChartDescription chart;
  layout->ApplyTo(chart);
  return 0;
}
