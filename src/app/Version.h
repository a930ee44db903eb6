#pragma once

namespace cut2edl {

// "cut2edl X.Y.Z" and a line end, with the version that the build was given.
const char* versionLine();

}  // namespace cut2edl
