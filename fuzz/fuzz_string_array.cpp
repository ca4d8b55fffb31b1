// String forms come from project files, parameters and grid cells, so FromString sees
// anything. A string form the array gives out must read back to the same elements and the
// same string form.
// Parse gets the free-form text of dialog fields, with a separator set of the input's
// choosing.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "model/string_array.h"
#include "model/string_array_view.h"

namespace {

void Fail(const char* what, const std::string& first, const std::string& second) {
  std::fprintf(stderr, "%s\n  first:  %s\n  second: %s\n", what, first.c_str(), second.c_str());
  std::abort();
}

// The copy-free readings agree with FromString and ToString.
void CheckViews(std::string_view text) {
  orvo::StringArray array;
  const bool read = array.FromString(text);
  std::string canonical;
  std::string_view error;
  if (orvo::CanonicalStringArray(text, canonical, error) != read) {
    Fail("Canonical and FromString disagree on success", std::string(text), canonical);
  }
  const orvo::StringArrayView view(text);
  if (!read) {
    if (view.size() != 0) Fail("a refused text has view elements", std::string(text), "");
    return;
  }
  if (canonical != array.ToString())
    Fail("Canonical differs from ToString", canonical, array.ToString());
  if (view.size() != array.size()) Fail("view and array sizes differ", std::string(text), "");
  for (size_t i = 0; i < view.size(); ++i) {
    if (view.At(i) != array.At(i))
      Fail("view element differs", std::string(view.At(i)), array.At(i));
  }
}

void CheckRoundTrip(std::string_view text) {
  CheckViews(text);
  orvo::StringArray array;
  if (!array.FromString(text)) return;
  const std::string form = array.ToString();
  orvo::StringArray again;
  if (!again.FromString(form)) Fail("string form does not read back", form, again.error());
  if (again.GetList() != array.GetList()) {
    Fail("string form reads back other elements",
         form + " (" + std::to_string(array.size()) + " elements)",
         std::to_string(again.size()) + " elements read back");
  }
  const std::string form_again = again.ToString();
  if (form_again != form) Fail("string form changes on reading back", form, form_again);
}

// First byte: bit 7 the convert flag, bits 0-1 how many of the next bytes are separators.
void CheckParse(std::string_view input) {
  if (input.empty()) return;
  const auto control = static_cast<unsigned char>(input[0]);
  const bool convert = (control & 0x80) != 0;
  input.remove_prefix(1);
  const size_t separator_count = std::min<size_t>(control & 0x03, input.size());
  const std::string separators(input.substr(0, separator_count));
  input.remove_prefix(separator_count);

  orvo::StringArray array;
  array.Parse(input, convert, separators);
  const std::string set = separators.empty() ? std::string(" ,\t\n") : separators;
  for (const std::string& element : array.GetList()) {
    // strtok never yields an empty token nor one holding a separator; converted tokens are
    // number text, which may well hold a separator character.
    if (element.empty() || (!convert && element.find_first_of(set) != std::string::npos)) {
      Fail("Parse gave a bad element", std::string(input), element);
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  CheckRoundTrip(input);
  CheckParse(input);
  return 0;
}
