// The layout of the data files and the mass-balance record, byte for byte.
#include "engine/output_files.h"
#include "support/golden.h"

#include <gtest/gtest.h>

namespace orvo::engine {
namespace {

TEST(OutputFiles, HeadAndRecordsHaveTheReadersLayout) {
  std::string text = DataFileHead({"Title one", "tab\there"}, "Output times: 2", "Segments: 1",
                                  {"Volume {m^3)", "NH3 {mg/L)"});
  const double values[] = {1.5, -0.25, 1e-30, 123456789.0, 0.0, 2.0, 7.0, 8.0};
  AppendRecord(text, 1, 152.0, values, 8);
  AppendRecord(text, 12, 1.0 / 3.0, values, 2);
  orvo::testing::ExpectText(text);
}

TEST(OutputFiles, TimesFitTheirTenColumnsAndLongLinesAreCut) {
  EXPECT_EQ(TimeField(0.0), "   0.00000");
  EXPECT_EQ(TimeField(1234.5), "1234.50000");
  EXPECT_EQ(TimeField(12345.25), " 12345.250");
  EXPECT_EQ(TimeField(-98765432.0), " -98765432");
  EXPECT_EQ(TimeField(1.5e12), " 1.500e+12");
  const std::string head = DataFileHead({std::string(10000, 'x')}, "t", "s", {"v {u)"});
  EXPECT_EQ(head, "1\n" + std::string(500, 'x') + "\nt\ns\nv {u)\n");
}

TEST(OutputFiles, MassBalanceRecordOfTheChosenSystem) {
  EngineModel model = EmptyModel(kFenu5, 1, 1);
  model.TITLE1 = "Closed";
  model.JMASS = 1;
  model.volume = {10.0};
  model.initial = {1.0};
  model.load_functions = {{{0.0}, {4.0}}};
  model.loads = {{0, 0, 0}};
  model.DTS = {0.5};
  Simulation simulation(model);
  RunFiles files(model, "fenu5", 2);
  ASSERT_TRUE(RunSimulation(simulation, &files, nullptr).ok);
  orvo::testing::ExpectText(files.TakeBalance());
  model.JMASS = 0;
  RunFiles none(model, "fenu5", 2);
  EXPECT_EQ(none.TakeBalance(), "No system was chosen for the mass balance (JMASS 0).\n");
  // Transport and model files carry the same times.
  EXPECT_NE(files.TakeTransport().find("     1   1.00000\n"), std::string::npos);
}

}  // namespace
}  // namespace orvo::engine
