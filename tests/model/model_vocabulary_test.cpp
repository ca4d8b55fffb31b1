// The vocabulary of the three simulation programs as one reviewable text
// (tests/data/model/vocabulary.txt): a changed name, number or description shows as a diff.
#include "model/model_vocabulary.h"

#include <gtest/gtest.h>

#include <string>

#include "support/golden.h"

namespace orvo::vocabulary {
namespace {

TEST(ModelVocabularyTest, TablesOfEveryType) {
  std::string text;
  for (const SimulationType simtyp : std::initializer_list<SimulationType>{
           kFenu5, kVerda5, kKobal5, kSimUnset, SimulationType{3}}) {
    const int systems = SystemCount(simtyp), parameters = SegmentParameterCount(simtyp),
              functions = TimeFunctionCount(simtyp);
    text += "type " + std::to_string(simtyp) + ": " + std::to_string(systems) + " systems, " +
            std::to_string(parameters) + " parameters, " + std::to_string(functions) +
            " time functions\n";
    for (int system = -1; system <= systems + 1; ++system)
      text += "  system " + std::to_string(system) + "\t" + SystemName(simtyp, system) + "\n";
    for (int slot = 0; slot < parameters; ++slot) {
      const SegmentParameterRow* row = SegmentParameter(simtyp, slot);
      ASSERT_NE(row, nullptr) << slot;
      text += "  parameter " + std::to_string(slot) + "\t" + row->number + "\t[" + row->name +
              "]\t" + row->description + "\n";
    }
    for (int slot = 0; slot < functions; ++slot) {
      const TimeFunctionRow* row = TimeFunction(simtyp, slot);
      ASSERT_NE(row, nullptr) << slot;
      text += "  function " + std::to_string(slot) + "\t" + row->number + "\t[" + row->name +
              "]\t" + row->units + "\t" + row->description + "\n";
    }
    EXPECT_EQ(SegmentParameter(simtyp, -1), nullptr);
    EXPECT_EQ(SegmentParameter(simtyp, parameters), nullptr);
    EXPECT_EQ(TimeFunction(simtyp, -1), nullptr);
    EXPECT_EQ(TimeFunction(simtyp, functions), nullptr);
  }
  testing::ExpectFileText(testing::DataPath("model/vocabulary.txt"), text);
}

}  // namespace
}  // namespace orvo::vocabulary
