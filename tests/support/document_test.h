// The base of tests on one project: a scripted platform, a document reporting to it, and node
// numbers counted from 1 as in a freshly started program.
#pragma once

#include <gtest/gtest.h>

#include "model/project_document.h"
#include "model/scripted_platform.h"

namespace orvo::testing {

struct NodeNumbersFromOne {
  NodeNumbersFromOne() { COrvoBuilderCntrItem::SetNodeNumberCounter(0); }
};

template <class Base = ::testing::Test>
class DocumentTestOf : public Base {
 protected:
  NodeNumbersFromOne numbering;  // before the document, which may number nodes
  ScriptedPlatform platform;
  COrvoBuilderDoc doc{platform};
};

using DocumentTest = DocumentTestOf<>;

}  // namespace orvo::testing
