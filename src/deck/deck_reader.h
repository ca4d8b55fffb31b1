// The deck reader: a whole input deck into a dataset record, and the network built from it.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "deck/deck_record.h"
#include "model/project_document.h"

namespace orvo {

class OrvoClass {
 public:
  // Reads the whole deck at path. When the deck cannot be opened or used, the reason has
  // been shown and record() is null; so it is when the user cancelled the reading.
  OrvoClass(const std::string& path, Platform& platform);
  // The same from text already in memory; directory is where the deck's own file names
  // (the hydrodynamic file) are looked up.
  OrvoClass(std::string_view text, const std::string& directory, Platform& platform);

  const DeckRecord* record() const { return ok_ ? &record_ : nullptr; }
  // Once the network is built from the record, only card B's exchange functions are consulted
  // again (SetGroupB_ExchangeData): the per-segment parts of the other cards are given back.
  void ReleaseBuiltParts();
  // The build gives back what it has used as it goes: card J's rows once the groups have
  // loaded (the largest part of a big deck's record), cards C and G's once the segments stand.
  void ReleaseCardJRows();
  void ReleaseSegmentRows();

 private:
  // Tells the platform the reading is over, however it ended.
  struct ProgressEnd {
    Platform& platform;
    ~ProgressEnd();
  };

  void Read(std::string_view text, const std::string& directory, Platform& platform);

  DeckRecord record_;
  bool ok_ = false;
};

// "Read ORVO Input Dataset" after its file dialog: asks before deleting a network that has
// nodes, reads the deck and, when it could be used, builds groups and network from it. False
// (the project unchanged) when the user declines or the deck cannot be used.
bool ReadOrvoInputDataset(COrvoBuilderDoc& doc, const std::string& path);
// The same without the question: for callers that asked their own. Both report their
// progress through the platform. The user may cancel the reading (the project is then
// unchanged) or the building: then the network is half built and false is returned, so a
// caller that lets the user cancel reads inside an undo step and abandons it on false.
bool ReadDeckAndBuild(COrvoBuilderDoc& doc, const std::string& path);

// Network construction from the document's dataset reader: deletes the network, lets groups
// A to J take their values, lays out segments and labels by segment type, then creates the
// exchanges of card B and the flow-only exchanges of card D. False when the user cancelled
// through the platform's progress (between two of these stages). With owned_reader (the
// document's reader, when the caller holds it and lets it go if the build is cancelled), the
// rows the groups have taken are given back as the build goes.
bool BuildNetwork(COrvoBuilderDoc& doc, OrvoClass* owned_reader = nullptr);

}  // namespace orvo
