#include "descriptors/create_descriptor.h"

#include <algorithm>

#include "descriptors/ISO_639_language_descriptor.h"
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
#include "descriptors/extended_event_descriptor.h"
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
    std::unique_ptr<Descriptor> (*make)();
};

// Every tag that has a class of its own; any other tag is user private data.
constexpr TagClass tag_classes[] = {
    {0x02, make_descriptor<video_stream_descriptor>},
    {0x03, make_descriptor<audio_stream_descriptor>},
    {0x05, make_descriptor<registration_descriptor>},
    {0x06, make_descriptor<data_stream_alignment_descriptor>},
    {0x07, make_descriptor<target_background_grid_descriptor>},
    {0x09, make_descriptor<conditional_access_descriptor>},
    {0x0A, make_descriptor<ISO_639_language_descriptor>},
    {0x0B, make_descriptor<system_clock_descriptor>},
    {0x0C, make_descriptor<multiplex_buffer_utilisation_descriptor>},
    {0x0D, make_descriptor<copyright_descriptor>},
    {0x0E, make_descriptor<maximum_bitrate_descriptor>},
    {0x10, make_descriptor<smoothing_buffer_descriptor>},
    {0x13, make_descriptor<carousel_identifier_descriptor>},
    {0x14, make_descriptor<association_descriptor>},
    {0x40, make_descriptor<network_name_descriptor>},
    {0x41, make_descriptor<service_list_descriptor>},
    {0x45, make_descriptor<vbi_data_descriptor>},
    {0x48, make_descriptor<service_descriptor>},
    {0x49, make_descriptor<country_availability_descriptor>},
    {0x4A, make_descriptor<linkage_descriptor>},
    {0x4D, make_descriptor<short_event_descriptor>},
    {0x4E, make_descriptor<extended_event_descriptor>},
    {0x50, make_descriptor<component_descriptor>},
    {0x52, make_descriptor<stream_identifier_descriptor>},
    {0x54, make_descriptor<content_descriptor>},
    {0x55, make_descriptor<parental_rating_descriptor>},
    {0x56, make_descriptor<teletext_descriptor>},
    {0x58, make_descriptor<local_time_offset_descriptor>},
    {0x5A, make_descriptor<terrestrial_delivery_system_descriptor>},
    {0x5D, make_descriptor<multilingual_service_name_descriptor>},
    {0x5F, make_descriptor<private_data_specifier_descriptor>},
    {0x62, make_descriptor<frequency_list_descriptor>},
    {0x64, make_descriptor<data_broadcast_descriptor>},
    {0x66, make_descriptor<data_broadcast_id_descriptor>},
    {0x6A, make_descriptor<ac3_descriptor>},
    {0x6F, make_descriptor<application_signalling_descriptor>},
    {0x83, make_descriptor<logical_channel_descriptor>},
};

constexpr std::uint8_t stuffing_tag = 0xFF;

std::unique_ptr<Descriptor> descriptor_for(std::uint8_t tag) {
    for (const auto& entry : tag_classes) {
        if (entry.tag == tag) return entry.make();
    }
    return make_descriptor<user_private_data_descriptor>();
}

}  // namespace

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
