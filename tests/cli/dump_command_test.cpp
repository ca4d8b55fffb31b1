#include <gtest/gtest.h>

#include "model/model_vocabulary.h"
#include "model/project_document.h"
#include "model/scripted_platform.h"
#include "support/cli_run.h"
#include "support/network_builder.h"
#include "support/scratch_dir.h"

namespace orvo::cli {
namespace {

using Result = testing::CliResult;
using testing::RunCli;

TEST(DumpCommandTest, OneTabSeparatedLinePerNode) {
  COrvoBuilderCntrItem::SetNodeNumberCounter(0);
  ScriptedPlatform platform;
  COrvoBuilderDoc doc(platform);
  COrvoBuilderCntrItem* segment = testing::AddSegmentWithLabel(doc, 80, 120, 1);
  segment->SetParameter(9, "2.5");
  segment->SetParameter(12, "_StringArrayCookie_0_");
  doc.AddExchange(segment, segment, kOutflow);
  const testing::ScratchDir scratch("orvo_dump_command");
  const std::string path = scratch / "project.orb";
  ASSERT_TRUE(doc.Save(path));

  COrvoBuilderCntrItem::SetNodeNumberCounter(0);  // as in a freshly started program
  const Result result = RunCli({"dump", path});
  EXPECT_EQ(result.status, kSuccess);
  EXPECT_EQ(result.err, "");
  const std::string e = "_StringArrayCookie_0_";
  EXPECT_EQ(result.out,
            "1\t1\t80\t120\t32\t32\t1\t1\t0\t0\t0\t0\t0\t2.5\t" + e + "\t" + e + "\t" + e +
                "\t2\n"
                "2\t3\t100\t80\t32\t32\t1\t\t<error>\t<error>\t<error>\t<error>\t<error>\t"
                "<error>\t<error>\t<error>\t<error>\t\n"
                "3\t2\t80\t170\t16\t16\t1\t0\t2\t0\t0\t" +
                e + "\t" + doc.group_d.EmptyExchangeRecord().ToString() + "\t\t\t\t\t\n");
}

TEST(DumpCommandTest, MissingProjectFails) {
  Result missing = RunCli({"dump", "/nonexistent/project.orb"});
  EXPECT_EQ(missing.status, kFailed);
  EXPECT_NE(missing.err.find("Unable to open /nonexistent/project.orb"), std::string::npos);
}

}  // namespace
}  // namespace orvo::cli
