#include "model/model_vocabulary.h"

#include <string>

#include <gtest/gtest.h>

namespace orvo::vocabulary {
namespace {

TEST(ModelVocabularyTest, SystemCounts) {
  EXPECT_EQ(SystemCount(kFenu5), 6);
  EXPECT_EQ(SystemCount(kVerda5), 8);
  EXPECT_EQ(SystemCount(kKobal5), 7);
  EXPECT_EQ(SystemCount(kSimUnset), 0);
  EXPECT_EQ(SystemCount(3), 0);
}

TEST(ModelVocabularyTest, Fenu5HasNoSeventhOrEighthSystem) {
  EXPECT_EQ(SystemName(kFenu5, 1), "Chemical 1");
  EXPECT_EQ(SystemName(kFenu5, 6), "Chemical 3");
  EXPECT_EQ(SystemName(kFenu5, 7), "");
  EXPECT_EQ(SystemName(kFenu5, 8), "");
}

TEST(ModelVocabularyTest, Verda5NamesAllEightSystems) {
  const char* const expected[] = {"NH3", "NO3", "PO4", "CHL", "CBOD", "DO", "ON", "OP"};
  for (int system = 1; system <= 8; ++system) {
    EXPECT_EQ(SystemName(kVerda5, system), expected[system - 1]) << "system " << system;
  }
}

TEST(ModelVocabularyTest, Kobal5SystemNames) {
  EXPECT_EQ(SystemName(kKobal5, 1), "CD");
  EXPECT_EQ(SystemName(kKobal5, 5), "Solid 1");
  EXPECT_EQ(SystemName(kKobal5, 7), "Solid 3");
  EXPECT_EQ(SystemName(kKobal5, 8), "");
}

TEST(ModelVocabularyTest, SystemNameOutOfRangeIsEmpty) {
  EXPECT_EQ(SystemName(kVerda5, 0), "");
  EXPECT_EQ(SystemName(kVerda5, 9), "");
  EXPECT_EQ(SystemName(kVerda5, -1), "");
  EXPECT_EQ(SystemName(kSimUnset, 1), "");
  EXPECT_EQ(SystemName(3, 1), "");
}

TEST(ModelVocabularyTest, TableSizes) {
  EXPECT_EQ(SegmentParameterCount(kFenu5), 18);
  EXPECT_EQ(SegmentParameterCount(kVerda5), 15);
  EXPECT_EQ(SegmentParameterCount(kKobal5), 32);
  EXPECT_EQ(SegmentParameterCount(kSimUnset), 0);
  EXPECT_EQ(TimeFunctionCount(kFenu5), 17);
  EXPECT_EQ(TimeFunctionCount(kVerda5), 22);
  EXPECT_EQ(TimeFunctionCount(kKobal5), 0);
  EXPECT_EQ(TimeFunctionCount(kSimUnset), 0);
}

TEST(ModelVocabularyTest, EverySlotInRangeHasARow) {
  for (int simtyp : {kFenu5, kVerda5, kKobal5}) {
    for (int slot = 0; slot < SegmentParameterCount(simtyp); ++slot) {
      ASSERT_NE(SegmentParameter(simtyp, slot), nullptr) << simtyp << " " << slot;
    }
    for (int slot = 0; slot < TimeFunctionCount(simtyp); ++slot) {
      ASSERT_NE(TimeFunction(simtyp, slot), nullptr) << simtyp << " " << slot;
    }
  }
}

TEST(ModelVocabularyTest, OutOfRangeSlotsGiveNull) {
  EXPECT_EQ(SegmentParameter(kFenu5, -1), nullptr);
  EXPECT_EQ(SegmentParameter(kFenu5, 18), nullptr);
  EXPECT_EQ(SegmentParameter(kVerda5, 15), nullptr);
  EXPECT_EQ(SegmentParameter(kKobal5, 32), nullptr);
  EXPECT_EQ(SegmentParameter(kSimUnset, 0), nullptr);
  EXPECT_EQ(SegmentParameter(3, 0), nullptr);
  EXPECT_EQ(TimeFunction(kFenu5, -1), nullptr);
  EXPECT_EQ(TimeFunction(kFenu5, 17), nullptr);
  EXPECT_EQ(TimeFunction(kVerda5, 22), nullptr);
  EXPECT_EQ(TimeFunction(kSimUnset, 0), nullptr);
  EXPECT_EQ(TimeFunction(3, 0), nullptr);
}

TEST(ModelVocabularyTest, Kobal5OffersNoTimeFunctions) {
  EXPECT_EQ(TimeFunctionCount(kKobal5), 0);
  EXPECT_EQ(TimeFunction(kKobal5, 0), nullptr);
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
