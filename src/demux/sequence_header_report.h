#pragma once

#include "demux/ProbeReport.h"
#include "mpeg/mpeg_sequence_header.h"

namespace cut2edl {

// Reports a sequence header with its lines, the extension headers that
// directly follow it with theirs, and how its sequence extension scales the
// frame rate.
void report_sequence_header(const ProbeReport& report, const mpeg_sequence_header& header);

}  // namespace cut2edl
