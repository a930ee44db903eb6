#include "mpeg/mpeg_picture_coding_extension.h"

#include "mpeg/value_text.h"

namespace cut2edl {

namespace {

// sub_carrier_phase counts steps of 360/256 degrees.
constexpr double degrees_per_phase_step = 1.40625;

}  // namespace

void mpeg_picture_coding_extension::read_fields(BoundedReader& reader) {
    for (auto& direction : f_code) {
        for (auto& code : direction) reader.read(code, 4);
    }
    reader.read(intra_dc_precision, 2);
    reader.read(picture_structure, 2);
    reader.read(top_field_first, 1);
    reader.read(frame_pred_frame_dct, 1);
    reader.read(concealment_motion_vectors, 1);
    reader.read(q_scale_type, 1);
    reader.read(intra_vlc_format, 1);
    reader.read(alternate_scan, 1);
    reader.read(repeat_first_field, 1);
    reader.read(chroma_420_type, 1);
    reader.read(progressive_frame, 1);
    reader.read(composite_display_flag, 1);
    if (composite_display_flag.value) read_composite_display(reader);
}

void mpeg_picture_coding_extension::read_composite_display(BoundedReader& reader) {
    reader.read(v_axis, 1);
    reader.read(field_sequence, 3);
    reader.read(sub_carrier, 1);
    reader.read(burst_amplitude, 7);
    reader.read(sub_carrier_phase, 8);
}

void mpeg_picture_coding_extension::dump(const LineSink& sink) const {
    for (int s = 0; s < 2; ++s) {
        for (int t = 0; t < 2; ++t) print_line(sink, "f_code[%d][%d]: %d", s, t, f_code[s][t].value);
    }
    print_line(sink, "Intra DC Precision: %s", intra_dc_precision_text(intra_dc_precision.value).c_str());
    print_line(sink, "Picture Structure: %s", picture_structure_text(picture_structure.value).c_str());
    print_line(sink, "Top Field First? %s", yes_no(top_field_first.value));
    print_line(sink, "Only Use Frame Prediction & Frame DCT? %s", yes_no(frame_pred_frame_dct.value));
    print_line(sink, "Motion Vectors coded in Intra Macroblocks? %s", yes_no(concealment_motion_vectors.value));
    print_line(sink, "Q-Scale Type? %s", yes_no(q_scale_type.value));
    print_line(sink, "Intra VLC Format? %s", yes_no(intra_vlc_format.value));
    print_line(sink, "Alternate Scan Pattern? %s", yes_no(alternate_scan.value));
    print_line(sink, "Repeat First Field? %s", yes_no(repeat_first_field.value));
    print_line(sink, "Chroma is 4:2:0? %s", yes_no(chroma_420_type.value));
    print_line(sink, "Progressive Frame? %s", yes_no(progressive_frame.value));
    if (composite_display_flag.value) render_composite_display(sink);
}

void mpeg_picture_coding_extension::render_composite_display(const LineSink& sink) const {
    print_line(sink, "V-Axis set? %s", yes_no(v_axis.value));
    print_line(sink, "Field Sequence: %s", field_sequence_text(field_sequence.value).c_str());
    // sub_carrier 0 means the sub-carrier/line frequency relation is correct.
    print_line(sink, "Sub Carrier Correct? %s", yes_no(sub_carrier.value == 0));
    print_line(sink, "Burst Amplitude (see Recommendation ITU-R.BT.601): %d", burst_amplitude.value);
    print_line(sink, "Sub Carrier Phase: %f degrees", sub_carrier_phase.value * degrees_per_phase_step);
}

}  // namespace cut2edl
