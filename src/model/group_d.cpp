#include "group_d.h"

#include <vector>

#include "model/array_record.h"

namespace orvo {
namespace {

constexpr int kLeadingEntries = 3;  // SCALQ, CONVQ, units

}  // namespace

int GroupDDlg::NINQ(int field) const {
  if (field < 0 || field >= kFieldCount) return 0;
  const int entries = static_cast<int>(fields[field].size());
  return entries > kLeadingEntries ? entries - kLeadingEntries : 0;
}

int GroupDDlg::NFIELD() const {
  for (int field = kFieldCount; field > 0; --field) {
    if (!fields[field - 1].empty()) return field;
  }
  return 0;
}

StringArray GroupDDlg::EmptyExchangeRecord() const {
  std::vector<std::string> record;
  for (int field = 0; field < kFieldCount; ++field) {
    StringArray portions(std::vector<std::string>(NINQ(field)));
    record.push_back(portions.ToString());
  }
  return StringArray(std::move(record));
}

void GroupDDlg::Serialize(ArchiveWriter& ar) const {
  ar.U16(kCookie);
  ar.I32(flow_option);
  ar.String(hydrodynamic_file);
  for (const StringArray& field : fields) ar.String(StringArray(field).ToString());
  ar.String(bypass.Join(' '));
}

bool GroupDDlg::Serialize(ArchiveReader& ar, int version) {
  if (ar.U16() != kCookie) {
    ar.Fail("Error reading group D from archive (bad cookie).");
    return false;
  }
  flow_option = ar.I32();
  hydrodynamic_file = ar.String();
  for (StringArray& field : fields) {
    if (!ReadArray(ar, field)) return false;
    // Version 0 files predate the units name, which goes in front of the functions.
    auto& entries = field.GetList();
    if (version == 0 && entries.size() >= kLeadingEntries) {
      entries.insert(entries.begin() + 2, "m^3/sec");
    }
  }
  bypass.Parse(ar.String(), false);
  return ar.ok();
}

}  // namespace orvo
