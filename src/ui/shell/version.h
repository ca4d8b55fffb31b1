// The program's version: the project version of the build and, when it was built from a git
// checkout, the commit (else empty).
#pragma once

namespace orvo {

const char* OrvoVersion();
const char* OrvoCommit();

}  // namespace orvo
