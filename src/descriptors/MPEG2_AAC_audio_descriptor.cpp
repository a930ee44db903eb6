#include "descriptors/MPEG2_AAC_audio_descriptor.h"

namespace cut2edl {

namespace {

// The profiles of MPEG-2 AAC; the ADTS header has two bits for them, so a
// larger value names none.
const char* aac_profile_text(unsigned profile) {
    switch (profile) {
        case 0: return "Main";
        case 1: return "Low Complexity (LC)";
        case 2: return "Scalable Sampling Rate (SSR)";
        case 3: return "reserved";
        default: return "unknown";
    }
}

}  // namespace

void MPEG2_AAC_audio_descriptor::read_body(BoundedReader& body) {
    body.read(MPEG_2_AAC_profile, 8);
    body.read(MPEG_2_AAC_channel_configuration, 8);
    body.read(MPEG_2_AAC_additional_information, 8);
}

void MPEG2_AAC_audio_descriptor::render(const LineSink& sink, const ChildSink&) const {
    print_line(sink, "MPEG-2_AAC_profile: %u (%s)", MPEG_2_AAC_profile.value,
               aac_profile_text(MPEG_2_AAC_profile.value));
    print_line(sink, "MPEG-2_AAC_channel_configuration: %u", MPEG_2_AAC_channel_configuration.value);
    print_line(sink, "MPEG-2_AAC_additional_information: 0x%02X", MPEG_2_AAC_additional_information.value);
}

}  // namespace cut2edl
