#include "nal/hevc/profile_tier_level.h"

#include <string>

#include "mpeg/video_profile_text.h"

namespace cut2edl::hevc {

namespace {

constexpr int reserved_zero_33bits = 33;
constexpr int reserved_zero_34bits = 34;
constexpr int reserved_zero_7bits = 7;
constexpr int reserved_zero_35bits = 35;
constexpr int reserved_zero_43bits = 43;
constexpr int highest_sub_layer_count = 8;

// "general_profile_idc", "sub_layer_profile_idc[2]".
std::string name_of(const char* prefix, const char* element, int index) {
    std::string name = format_text("%s_%s", prefix, element);
    if (index >= 0) append_text(name, "[%d]", index);
    return name;
}

void dump_flag(const LineSink& sink, const char* prefix, const char* element, int index,
               const Field<std::uint8_t>& flag) {
    print_line(sink, "%s: %s", name_of(prefix, element, index).c_str(), yes_no(flag.value));
}

std::string bits_of(std::uint32_t flags) {
    std::string bits;
    for (int j = 31; j >= 0; --j) bits += (flags >> j & 1u) ? '1' : '0';
    return bits;
}

}  // namespace

bool profile_tier_level::layer_profile::is_compatible_with(unsigned idc) const {
    return profile_idc.value == idc || (idc < 32 && (profile_compatibility_flag.value >> (31 - idc) & 1u));
}

bool profile_tier_level::layer_profile::has_range_extension_flags() const {
    for (unsigned idc = 4; idc <= 11; ++idc) {
        if (is_compatible_with(idc)) return true;
    }
    return false;
}

bool profile_tier_level::layer_profile::has_max_14bit_constraint_flag() const {
    return is_compatible_with(5) || is_compatible_with(9) || is_compatible_with(10) || is_compatible_with(11);
}

bool profile_tier_level::layer_profile::has_inbld_flag() const {
    for (const unsigned idc : {1u, 2u, 3u, 4u, 5u, 9u, 11u}) {
        if (is_compatible_with(idc)) return true;
    }
    return false;
}

void profile_tier_level::layer_profile::parse(BoundedReader& reader) {
    reader.read(profile_space, 2);
    reader.read(tier_flag, 1);
    reader.read(profile_idc, 5);
    reader.read(profile_compatibility_flag, 32);
    reader.read(progressive_source_flag, 1);
    reader.read(interlaced_source_flag, 1);
    reader.read(non_packed_constraint_flag, 1);
    reader.read(frame_only_constraint_flag, 1);
    parse_constraint_flags(reader);
    if (has_inbld_flag()) {
        reader.read(inbld_flag, 1);
    } else {
        reader.skip_bits(1);
    }
}

void profile_tier_level::layer_profile::parse_constraint_flags(BoundedReader& reader) {
    if (has_range_extension_flags()) {
        reader.read(max_12bit_constraint_flag, 1);
        reader.read(max_10bit_constraint_flag, 1);
        reader.read(max_8bit_constraint_flag, 1);
        reader.read(max_422chroma_constraint_flag, 1);
        reader.read(max_420chroma_constraint_flag, 1);
        reader.read(max_monochrome_constraint_flag, 1);
        reader.read(intra_constraint_flag, 1);
        reader.read(one_picture_only_constraint_flag, 1);
        reader.read(lower_bit_rate_constraint_flag, 1);
        if (has_max_14bit_constraint_flag()) {
            reader.read(max_14bit_constraint_flag, 1);
            reader.skip_bits(reserved_zero_33bits);
        } else {
            reader.skip_bits(reserved_zero_34bits);
        }
    } else if (is_compatible_with(2)) {
        reader.skip_bits(reserved_zero_7bits);
        reader.read(one_picture_only_constraint_flag, 1);
        reader.skip_bits(reserved_zero_35bits);
    } else {
        reader.skip_bits(reserved_zero_43bits);
    }
}

void profile_tier_level::layer_profile::dump(const LineSink& sink, const char* prefix, int index) const {
    print_line(sink, "%s: %u", name_of(prefix, "profile_space", index).c_str(), profile_space.value);
    print_line(sink, "%s: %u (%s)", name_of(prefix, "tier_flag", index).c_str(), tier_flag.value,
               tier_flag.value ? "High" : "Main");
    print_line(sink, "%s: %u (%s)", name_of(prefix, "profile_idc", index).c_str(), profile_idc.value,
               hevc_profile_idc_text(profile_idc.value).c_str());
    print_line(sink, "%s: %s", name_of(prefix, "profile_compatibility_flag", index).c_str(),
               bits_of(profile_compatibility_flag.value).c_str());
    dump_flag(sink, prefix, "progressive_source_flag", index, progressive_source_flag);
    dump_flag(sink, prefix, "interlaced_source_flag", index, interlaced_source_flag);
    dump_flag(sink, prefix, "non_packed_constraint_flag", index, non_packed_constraint_flag);
    dump_flag(sink, prefix, "frame_only_constraint_flag", index, frame_only_constraint_flag);
    dump_constraint_flags(sink, prefix, index);
    if (has_inbld_flag()) dump_flag(sink, prefix, "inbld_flag", index, inbld_flag);
}

void profile_tier_level::layer_profile::dump_constraint_flags(const LineSink& sink, const char* prefix,
                                                              int index) const {
    if (has_range_extension_flags()) {
        dump_flag(sink, prefix, "max_12bit_constraint_flag", index, max_12bit_constraint_flag);
        dump_flag(sink, prefix, "max_10bit_constraint_flag", index, max_10bit_constraint_flag);
        dump_flag(sink, prefix, "max_8bit_constraint_flag", index, max_8bit_constraint_flag);
        dump_flag(sink, prefix, "max_422chroma_constraint_flag", index, max_422chroma_constraint_flag);
        dump_flag(sink, prefix, "max_420chroma_constraint_flag", index, max_420chroma_constraint_flag);
        dump_flag(sink, prefix, "max_monochrome_constraint_flag", index, max_monochrome_constraint_flag);
        dump_flag(sink, prefix, "intra_constraint_flag", index, intra_constraint_flag);
        dump_flag(sink, prefix, "one_picture_only_constraint_flag", index, one_picture_only_constraint_flag);
        dump_flag(sink, prefix, "lower_bit_rate_constraint_flag", index, lower_bit_rate_constraint_flag);
        if (has_max_14bit_constraint_flag()) {
            dump_flag(sink, prefix, "max_14bit_constraint_flag", index, max_14bit_constraint_flag);
        }
    } else if (is_compatible_with(2)) {
        dump_flag(sink, prefix, "one_picture_only_constraint_flag", index, one_picture_only_constraint_flag);
    }
}

void profile_tier_level::parse(BoundedReader& reader, bool profilePresentFlag, unsigned maxNumSubLayersMinus1) {
    profile_present = profilePresentFlag;
    if (profilePresentFlag) general.parse(reader);
    reader.read(general_level_idc, 8);
    for (unsigned i = 0; i < maxNumSubLayersMinus1 && !reader.ran_out(); ++i) {
        sub_layer& layer = sub_layers.emplace_back();
        reader.read(layer.sub_layer_profile_present_flag, 1);
        reader.read(layer.sub_layer_level_present_flag, 1);
    }
    // The flags are padded to eight pairs, so the sub-layer parts start byte aligned.
    if (maxNumSubLayersMinus1 > 0)
        reader.skip_bits(2 * (highest_sub_layer_count - static_cast<int>(maxNumSubLayersMinus1)));
    for (sub_layer& layer : sub_layers) {
        if (layer.sub_layer_profile_present_flag.value) layer.profile.parse(reader);
        if (layer.sub_layer_level_present_flag.value) reader.read(layer.sub_layer_level_idc, 8);
    }
}

void profile_tier_level::dump(const LineSink& sink) const {
    if (profile_present) general.dump(sink, "general", -1);
    print_line(sink, "general_level_idc: %u", general_level_idc.value);
    for (std::size_t i = 0; i < sub_layers.size(); ++i) {
        const sub_layer& layer = sub_layers[i];
        const int index = static_cast<int>(i);
        dump_flag(sink, "sub_layer", "profile_present_flag", index, layer.sub_layer_profile_present_flag);
        dump_flag(sink, "sub_layer", "level_present_flag", index, layer.sub_layer_level_present_flag);
        if (layer.sub_layer_profile_present_flag.value) layer.profile.dump(sink, "sub_layer", index);
        if (layer.sub_layer_level_present_flag.value) {
            print_line(sink, "sub_layer_level_idc[%d]: %u", index, layer.sub_layer_level_idc.value);
        }
    }
}

}  // namespace cut2edl::hevc
