#pragma once

#include "demux/ProbeReport.h"
#include "mpeg/mpeg_header.h"

namespace cut2edl {

// Reports the sequence header at the front of `headers` with its lines, and
// the extension headers that directly follow it with theirs.
void report_sequence_header(const ProbeReport& report, const MPEG_Header& headers);

}  // namespace cut2edl
