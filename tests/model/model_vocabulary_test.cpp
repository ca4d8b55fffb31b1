#include "model/model_vocabulary.h"

#include <string>

#include <gtest/gtest.h>

namespace orvo::vocabulary {
namespace {

// Systems, segment parameters and time functions per type; 3 is no type.
TEST(ModelVocabularyTest, TableSizes) {
  struct Row {
    int simtyp, systems, parameters, functions;
  };
  for (const Row& row : {Row{kFenu5, 6, 18, 17}, Row{kVerda5, 8, 15, 22}, Row{kKobal5, 7, 32, 0},
                         Row{kSimUnset, 0, 0, 0}, Row{3, 0, 0, 0}}) {
    SCOPED_TRACE(row.simtyp);
    EXPECT_EQ(SystemCount(row.simtyp), row.systems);
    EXPECT_EQ(SegmentParameterCount(row.simtyp), row.parameters);
    EXPECT_EQ(TimeFunctionCount(row.simtyp), row.functions);
    for (int slot = 0; slot < row.parameters; ++slot)
      ASSERT_NE(SegmentParameter(row.simtyp, slot), nullptr) << slot;
    for (int slot = 0; slot < row.functions; ++slot)
      ASSERT_NE(TimeFunction(row.simtyp, slot), nullptr) << slot;
    EXPECT_EQ(SegmentParameter(row.simtyp, -1), nullptr);
    EXPECT_EQ(SegmentParameter(row.simtyp, row.parameters), nullptr);
    EXPECT_EQ(TimeFunction(row.simtyp, -1), nullptr);
    EXPECT_EQ(TimeFunction(row.simtyp, row.functions), nullptr);
    EXPECT_EQ(SystemName(row.simtyp, 0), "");
    EXPECT_EQ(SystemName(row.simtyp, row.systems + 1), "");
  }
}

TEST(ModelVocabularyTest, SystemNames) {
  const char* const verda[] = {"NH3", "NO3", "PO4", "CHL", "CBOD", "DO", "ON", "OP"};
  for (int system = 1; system <= 8; ++system) {
    EXPECT_EQ(SystemName(kVerda5, system), verda[system - 1]) << "system " << system;
  }
  EXPECT_EQ(SystemName(kVerda5, -1), "");
  EXPECT_EQ(SystemName(kFenu5, 1), "Chemical 1");
  EXPECT_EQ(SystemName(kFenu5, 6), "Chemical 3");
  EXPECT_EQ(SystemName(kKobal5, 1), "CD");
  EXPECT_EQ(SystemName(kKobal5, 5), "Solid 1");
  EXPECT_EQ(SystemName(kKobal5, 7), "Solid 3");
}

TEST(ModelVocabularyTest, Kobal5ParametersSkipNumberThirty) {
  const SegmentParameterRow* before = SegmentParameter(kKobal5, 28);
  const SegmentParameterRow* after = SegmentParameter(kKobal5, 29);
  ASSERT_NE(before, nullptr);
  ASSERT_NE(after, nullptr);
  EXPECT_STREQ(before->name, "pHFN");
  EXPECT_STREQ(before->number, "29");
  EXPECT_STREQ(after->name, "SO4");
  EXPECT_STREQ(after->number, "31");
  EXPECT_STREQ(SegmentParameter(kKobal5, 31)->number, "33");
}

TEST(ModelVocabularyTest, SlotNumbersMatchPositionWhereNothingIsSkipped) {
  for (int simtyp : {kFenu5, kVerda5}) {
    for (int slot = 0; slot < SegmentParameterCount(simtyp); ++slot) {
      EXPECT_EQ(SegmentParameter(simtyp, slot)->number, std::to_string(slot + 1));
    }
    for (int slot = 0; slot < TimeFunctionCount(simtyp); ++slot) {
      EXPECT_EQ(TimeFunction(simtyp, slot)->number, std::to_string(slot + 1));
    }
  }
  for (int slot = 0; slot < 29; ++slot) {
    EXPECT_EQ(SegmentParameter(kKobal5, slot)->number, std::to_string(slot + 1));
  }
}

TEST(ModelVocabularyTest, Verda5ListsRlghtsTwice) {
  const SegmentParameterRow* first = SegmentParameter(kVerda5, 9);
  const SegmentParameterRow* second = SegmentParameter(kVerda5, 10);
  EXPECT_STREQ(first->name, "RLGHTS");
  EXPECT_STREQ(first->number, "10");
  EXPECT_STREQ(first->description, "Used internally; not specified by user.");
  EXPECT_STREQ(second->name, "RLGHTS");
  EXPECT_STREQ(second->number, "11");
  EXPECT_STREQ(second->description, "Unknown");
}

TEST(ModelVocabularyTest, ParameterNamesKeepEmbeddedBlanks) {
  EXPECT_STREQ(SegmentParameter(kFenu5, 6)->name, "FOC 1");
  EXPECT_STREQ(SegmentParameter(kFenu5, 17)->name, "TOTKG 3");
}

TEST(ModelVocabularyTest, DescriptionsAreKeptExactly) {
  const SegmentParameterRow* exenv = SegmentParameter(kFenu5, 14);
  EXPECT_STREQ(exenv->name, "EXENV");
  EXPECT_STREQ(exenv->description,
               "Property of aquatic environment that affects the user-defined \"extra "
               "reaction\"; E.");
  EXPECT_STREQ(SegmentParameter(kFenu5, 4)->description,
               "Multiplier of time function 5, whose definition depends on volatilizaion option "
               "XV; V.");
  EXPECT_STREQ(SegmentParameter(kVerda5, 14)->description,
               "Segment specific herbiverous zooplankton population (g-C/m3).");
  EXPECT_STREQ(SegmentParameter(kKobal5, 11)->description, "Free managanese");

  const TimeFunctionRow* xicev = TimeFunction(kVerda5, 21);
  EXPECT_STREQ(xicev->name, "XICEV");
  EXPECT_STREQ(xicev->description,
               "Time-variable ice-cover function, %.  This provides the percentage of water "
               "surface area available for reaeration.  Note that 100% (entered as 1.0) "
               "indicates all surface area is available for reaeration.");
  EXPECT_STREQ(xicev->units, "%");

  const TimeFunctionRow* temp1 = TimeFunction(kFenu5, 0);
  EXPECT_STREQ(temp1->description,
               "Time-variable temperature function 1.  TEMPN(K) can be either a nomalized "
               "function or an actual temperature in C, depending on the definition of the "
               "parameter multiplier TEMP(ISEG).");
  EXPECT_STREQ(temp1->units, "either a nomalized function or an actual temperature in C");
  EXPECT_STREQ(TimeFunction(kFenu5, 16)->description,
               "Normalized benthic bacteria fuction, dimensionless.  Multiplied by the segment "
               "specific multiplier BAC(ISEG) for benthic segments.");
}

TEST(ModelVocabularyTest, Verda5SalinityFunctionHasNoTexts) {
  const TimeFunctionRow* salfn = TimeFunction(kVerda5, 19);
  EXPECT_STREQ(salfn->name, "SALFN");
  EXPECT_STREQ(salfn->number, "20");
  EXPECT_STREQ(salfn->description, "");
  EXPECT_STREQ(salfn->units, "");
}

}  // namespace
}  // namespace orvo::vocabulary
