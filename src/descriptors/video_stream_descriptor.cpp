#include "descriptors/video_stream_descriptor.h"

#include "mpeg/value_text.h"

namespace cut2edl {

void video_stream_descriptor::read_body(BoundedReader& body) {
    body.read(multiple_frame_rate_flag, 1);
    body.read(frame_rate_code, 4);
    body.read(MPEG_1_only_flag, 1);
    body.read(constrained_parameter_flag, 1);
    body.read(still_picture_flag, 1);
    if (MPEG_1_only_flag.value) return;
    body.read(profile_and_level_indication, 8);
    body.read(chroma_format, 2);
    body.read(frame_rate_extension_flag, 1);
    body.read(reserved, 5);
}

void video_stream_descriptor::render(const LineSink& sink, const ChildSink&) const {
    print_line(sink, "Multiple Frame Rate: %s", yes_no(multiple_frame_rate_flag.value));
    print_line(sink, "Frame Rate: %s", frame_rate_text(frame_rate_code.value).c_str());
    print_line(sink, "MPEG-1 Only: %s", yes_no(MPEG_1_only_flag.value));
    print_line(sink, "Constrained Parameters: %s", yes_no(constrained_parameter_flag.value));
    print_line(sink, "Still Picture: %s", yes_no(still_picture_flag.value));
    print_line(sink, "Profile and Level: %s", profile_and_level_text(profile_and_level_indication.value).c_str());
    print_line(sink, "Chroma Format: %s", chroma_format_text(chroma_format.value).c_str());
    print_line(sink, "Frame Rate Extension: %s", yes_no(frame_rate_extension_flag.value));
}

}  // namespace cut2edl
