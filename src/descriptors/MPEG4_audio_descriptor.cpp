#include "descriptors/MPEG4_audio_descriptor.h"

namespace cut2edl {

void MPEG4_audio_descriptor::read_body(BoundedReader& body) { body.read(MPEG_4_audio_profile_and_level, 8); }

// The indication's table belongs to the MPEG-4 audio coding and grows with it,
// so the value is shown as coded.
void MPEG4_audio_descriptor::render(const LineSink& sink, const ChildSink&) const {
    print_line(sink, "MPEG-4_audio_profile_and_level: 0x%02X", MPEG_4_audio_profile_and_level.value);
}

}  // namespace cut2edl
