#include "descriptors/create_descriptor.h"

#include <algorithm>

#include "descriptors/AAC_descriptor.h"
#include "descriptors/AVC_timing_and_HRD_descriptor.h"
#include "descriptors/AVC_video_descriptor.h"
#include "descriptors/DTS_descriptor.h"
#include "descriptors/HEVC_video_descriptor.h"
#include "descriptors/ISO_639_language_descriptor.h"
#include "descriptors/MPEG2_AAC_audio_descriptor.h"
#include "descriptors/MPEG4_audio_descriptor.h"
#include "descriptors/ac3_descriptor.h"
#include "descriptors/application_signalling_descriptor.h"
#include "descriptors/association_descriptor.h"
#include "descriptors/audio_stream_descriptor.h"
#include "descriptors/carousel_identifier_descriptor.h"
#include "descriptors/component_descriptor.h"
#include "descriptors/conditional_access_descriptor.h"
#include "descriptors/content_descriptor.h"
#include "descriptors/copyright_descriptor.h"
#include "descriptors/country_availability_descriptor.h"
#include "descriptors/data_broadcast_descriptor.h"
#include "descriptors/data_broadcast_id_descriptor.h"
#include "descriptors/data_stream_alignment_descriptor.h"
#include "descriptors/enhanced_AC3_descriptor.h"
#include "descriptors/extended_event_descriptor.h"
#include "descriptors/extension_descriptor.h"
#include "descriptors/frequency_list_descriptor.h"
#include "descriptors/linkage_descriptor.h"
#include "descriptors/local_time_offset_descriptor.h"
#include "descriptors/logical_channel_descriptor.h"
#include "descriptors/maximum_bitrate_descriptor.h"
#include "descriptors/multilingual_service_name_descriptor.h"
#include "descriptors/multiplex_buffer_utilisation_descriptor.h"
#include "descriptors/network_name_descriptor.h"
#include "descriptors/parental_rating_descriptor.h"
#include "descriptors/private_data_specifier_descriptor.h"
#include "descriptors/registration_descriptor.h"
#include "descriptors/service_descriptor.h"
#include "descriptors/service_list_descriptor.h"
#include "descriptors/short_event_descriptor.h"
#include "descriptors/smoothing_buffer_descriptor.h"
#include "descriptors/stream_identifier_descriptor.h"
#include "descriptors/subtitling_descriptor.h"
#include "descriptors/system_clock_descriptor.h"
#include "descriptors/target_background_grid_descriptor.h"
#include "descriptors/teletext_descriptor.h"
#include "descriptors/terrestrial_delivery_system_descriptor.h"
#include "descriptors/user_private_data_descriptor.h"
#include "descriptors/vbi_data_descriptor.h"
#include "descriptors/video_stream_descriptor.h"
#include "mpeg/owning_chain.h"

namespace cut2edl {

namespace {

template <typename Class>
std::unique_ptr<Descriptor> make_descriptor() {
    return std::make_unique<Class>();
}

struct TagClass {
    std::uint8_t tag;
    const char* name;
    std::unique_ptr<Descriptor> (*make)();
};

#define CUT2EDL_DESCRIPTOR(tag, Class) {tag, #Class, make_descriptor<Class>}

// Every tag that has a class of its own; any other tag is user private data.
constexpr TagClass tag_classes[] = {
    CUT2EDL_DESCRIPTOR(0x02, video_stream_descriptor),
    CUT2EDL_DESCRIPTOR(0x03, audio_stream_descriptor),
    CUT2EDL_DESCRIPTOR(0x05, registration_descriptor),
    CUT2EDL_DESCRIPTOR(0x06, data_stream_alignment_descriptor),
    CUT2EDL_DESCRIPTOR(0x07, target_background_grid_descriptor),
    CUT2EDL_DESCRIPTOR(0x09, conditional_access_descriptor),
    CUT2EDL_DESCRIPTOR(0x0A, ISO_639_language_descriptor),
    CUT2EDL_DESCRIPTOR(0x0B, system_clock_descriptor),
    CUT2EDL_DESCRIPTOR(0x0C, multiplex_buffer_utilisation_descriptor),
    CUT2EDL_DESCRIPTOR(0x0D, copyright_descriptor),
    CUT2EDL_DESCRIPTOR(0x0E, maximum_bitrate_descriptor),
    CUT2EDL_DESCRIPTOR(0x10, smoothing_buffer_descriptor),
    CUT2EDL_DESCRIPTOR(0x13, carousel_identifier_descriptor),
    CUT2EDL_DESCRIPTOR(0x14, association_descriptor),
    CUT2EDL_DESCRIPTOR(0x1C, MPEG4_audio_descriptor),
    CUT2EDL_DESCRIPTOR(0x28, AVC_video_descriptor),
    CUT2EDL_DESCRIPTOR(0x2A, AVC_timing_and_HRD_descriptor),
    CUT2EDL_DESCRIPTOR(0x2B, MPEG2_AAC_audio_descriptor),
    CUT2EDL_DESCRIPTOR(0x38, HEVC_video_descriptor),
    CUT2EDL_DESCRIPTOR(0x40, network_name_descriptor),
    CUT2EDL_DESCRIPTOR(0x41, service_list_descriptor),
    CUT2EDL_DESCRIPTOR(0x45, vbi_data_descriptor),
    CUT2EDL_DESCRIPTOR(0x48, service_descriptor),
    CUT2EDL_DESCRIPTOR(0x49, country_availability_descriptor),
    CUT2EDL_DESCRIPTOR(0x4A, linkage_descriptor),
    CUT2EDL_DESCRIPTOR(0x4D, short_event_descriptor),
    CUT2EDL_DESCRIPTOR(0x4E, extended_event_descriptor),
    CUT2EDL_DESCRIPTOR(0x50, component_descriptor),
    CUT2EDL_DESCRIPTOR(0x52, stream_identifier_descriptor),
    CUT2EDL_DESCRIPTOR(0x54, content_descriptor),
    CUT2EDL_DESCRIPTOR(0x55, parental_rating_descriptor),
    CUT2EDL_DESCRIPTOR(0x56, teletext_descriptor),
    CUT2EDL_DESCRIPTOR(0x58, local_time_offset_descriptor),
    CUT2EDL_DESCRIPTOR(0x59, subtitling_descriptor),
    CUT2EDL_DESCRIPTOR(0x5A, terrestrial_delivery_system_descriptor),
    CUT2EDL_DESCRIPTOR(0x5D, multilingual_service_name_descriptor),
    CUT2EDL_DESCRIPTOR(0x5F, private_data_specifier_descriptor),
    CUT2EDL_DESCRIPTOR(0x62, frequency_list_descriptor),
    CUT2EDL_DESCRIPTOR(0x64, data_broadcast_descriptor),
    CUT2EDL_DESCRIPTOR(0x66, data_broadcast_id_descriptor),
    CUT2EDL_DESCRIPTOR(0x6A, ac3_descriptor),
    CUT2EDL_DESCRIPTOR(0x6F, application_signalling_descriptor),
    CUT2EDL_DESCRIPTOR(0x7A, enhanced_AC3_descriptor),
    CUT2EDL_DESCRIPTOR(0x7B, DTS_descriptor),
    CUT2EDL_DESCRIPTOR(0x7C, AAC_descriptor),
    CUT2EDL_DESCRIPTOR(0x7F, extension_descriptor),
    CUT2EDL_DESCRIPTOR(0x83, logical_channel_descriptor),
};

#undef CUT2EDL_DESCRIPTOR

constexpr std::uint8_t stuffing_tag = 0xFF;

const TagClass* class_of(std::uint8_t tag) {
    const auto found = std::find_if(std::begin(tag_classes), std::end(tag_classes),
                                    [tag](const TagClass& entry) { return entry.tag == tag; });
    return found == std::end(tag_classes) ? nullptr : found;
}

std::unique_ptr<Descriptor> descriptor_for(std::uint8_t tag) {
    const TagClass* known = class_of(tag);
    return known != nullptr ? known->make() : make_descriptor<user_private_data_descriptor>();
}

// The name of the class that the factory makes for `tag`; null for a tag
// without one of its own.
const char* descriptor_class_name(std::uint8_t tag) {
    const TagClass* known = class_of(tag);
    return known != nullptr ? known->name : nullptr;
}

}  // namespace

std::string descriptor_heading(const Descriptor& descriptor) {
    const unsigned tag = descriptor.descriptor_tag.value;
    const unsigned length = descriptor.descriptor_length.value;
    const char* unit = length == 1 ? "byte" : "bytes";
    const char* name = descriptor_class_name(descriptor.descriptor_tag.value);
    if (name == nullptr) return format_text("descriptor 0x%02X = %u (%u %s)", tag, tag, length, unit);
    return format_text("%s (tag 0x%02X = %u, %u %s)", name, tag, tag, length, unit);
}

LineSink headed_descriptor(const Descriptor& descriptor, const LineSink& sink) {
    sink(descriptor_heading(descriptor));
    return indented(sink);
}

std::unique_ptr<Descriptor> create_descriptor(const std::uint8_t* data, int length, int* position,
                                              const NoticeSink& notices) {
    const int first_position = *position;
    std::unique_ptr<Descriptor> first;
    ChainBuilder<Descriptor> chain(first);
    // One loop builds the whole chain, so a loop of many descriptors cannot
    // exhaust the stack.
    for (int offset = 0; offset < length;) {
        if (data[offset] == stuffing_tag) {
            notices("0xFF found where it shouldn't be!  Major prob, Zub!");
            break;
        }
        Descriptor& descriptor = chain.append(descriptor_for(data[offset]));
        offset = static_cast<int>(descriptor.parse(data + offset, length - offset, position) - data);
    }
    // Stuffing that ends the loop early is passed over with the rest of it.
    *position = first_position + std::max(length, 0);
    return first;
}

}  // namespace cut2edl
