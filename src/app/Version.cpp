#include "app/Version.h"

namespace cut2edl {

const char* versionLine() { return "cut2edl " CUT2EDL_VERSION "\n"; }

}  // namespace cut2edl
