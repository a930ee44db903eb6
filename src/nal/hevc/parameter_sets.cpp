#include "nal/hevc/parameter_sets.h"

#include "nal/emulation_prevention.h"
#include "nal/nal_unit.h"

namespace cut2edl::hevc {

bool ParameterSets::rate_from_vps() const {
    if (sps && sps->frame_rate() > 0) return false;
    if (!vps || vps->frame_rate() <= 0) return false;
    return !sps || sps->sps_video_parameter_set_id.value == vps->vps_video_parameter_set_id.value;
}

double ParameterSets::frame_rate() const {
    if (sps && sps->frame_rate() > 0) return sps->frame_rate();
    return rate_from_vps() ? vps->frame_rate() : -1.0;
}

ParameterSets find_parameter_sets(const std::uint8_t* data, int length, int first_position) {
    ParameterSets found;
    for (NalUnit unit = find_nal_unit(data, length, 0); unit.found() && !(found.vps && found.sps);
         unit = find_nal_unit(data, length, unit.end())) {
        if (unit.length < nal_unit_header_bytes) continue;
        const std::uint8_t* header = data + unit.offset;
        if (nuh_layer_id_of(header[0], header[1]) != 0) continue;
        const unsigned type = nal_unit_type_of(header[0]);
        if (type == nal_unit_type_video_parameter_set && !found.vps) {
            found.vps = parse_rbsp<video_parameter_set_rbsp>(header, unit.length, nal_unit_header_bytes, first_position);
        } else if (type == nal_unit_type_seq_parameter_set && !found.sps) {
            found.sps = parse_rbsp<seq_parameter_set_rbsp>(header, unit.length, nal_unit_header_bytes, first_position);
        }
    }
    return found;
}

}  // namespace cut2edl::hevc
