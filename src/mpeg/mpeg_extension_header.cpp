#include "mpeg/mpeg_extension_header.h"

#include <array>

#include "mpeg/mpeg_camera_parameters_extension.h"
#include "mpeg/mpeg_copyright_extension.h"
#include "mpeg/mpeg_itu_t_extension.h"
#include "mpeg/mpeg_picture_coding_extension.h"
#include "mpeg/mpeg_picture_display_extension.h"
#include "mpeg/mpeg_picture_spatial_scalable_extension.h"
#include "mpeg/mpeg_picture_temporal_scalable_extension.h"
#include "mpeg/mpeg_quant_matrix_extension.h"
#include "mpeg/mpeg_sequence_display_extension.h"
#include "mpeg/mpeg_sequence_extension.h"
#include "mpeg/mpeg_sequence_scalable_extension.h"

namespace cut2edl {

namespace {

using PayloadMaker = std::unique_ptr<mpeg_extension_base> (*)();

template <typename Payload>
std::unique_ptr<mpeg_extension_base> make_payload() {
    return std::make_unique<Payload>();
}

// The payload class of every extension_start_code_identifier; nullptr where
// there is none.
constexpr std::array<PayloadMaker, 16> payload_classes = {
    nullptr,                                                   // 0: reserved
    make_payload<mpeg_sequence_extension>,                     // 1
    make_payload<mpeg_sequence_display_extension>,             // 2
    make_payload<mpeg_quant_matrix_extension>,                 // 3
    make_payload<mpeg_copyright_extension>,                    // 4
    make_payload<mpeg_sequence_scalable_extension>,            // 5
    nullptr,                                                   // 6: reserved
    make_payload<mpeg_picture_display_extension>,              // 7
    make_payload<mpeg_picture_coding_extension>,               // 8
    make_payload<mpeg_picture_spatial_scalable_extension>,     // 9
    make_payload<mpeg_picture_temporal_scalable_extension>,    // 10
    make_payload<mpeg_camera_parameters_extension>,            // 11
    make_payload<mpeg_itu_t_extension>,                        // 12
    nullptr,                                                   // 13: reserved
    nullptr,                                                   // 14: reserved
    nullptr,                                                   // 15: reserved
};

constexpr int start_code_size = 4;

}  // namespace

const std::uint8_t* mpeg_extension_header::parse(const std::uint8_t* data, int length, int* position) {
    const int first = *position;
    BoundedReader reader(data, length, position);
    extension_start_code = read_start_code(reader);
    const bool complete =
        !reader.ran_out() && parse_payload(data + start_code_size, length - start_code_size, position);
    span = make_span(first, *position - 1);
    // The search for the next header runs over the payload's bytes.
    return complete ? data + start_code_size : nullptr;
}

// Reads the identifier and the payload it selects from `data`, the identifier's
// byte; false when the buffer ends inside them.
bool mpeg_extension_header::parse_payload(const std::uint8_t* data, int length, int* position) {
    // The identifier's byte is also the payload's first byte, which the payload
    // consumes: the identifier is read on a copy of the running counter.
    int identifier_position = *position;
    BoundedReader identifier_reader(data, length, &identifier_position);
    identifier_reader.read(extension_start_code_identifier, 4);
    if (identifier_reader.ran_out()) return false;
    const PayloadMaker make = payload_classes[extension_start_code_identifier.value];
    if (make == nullptr) {
        *position = identifier_position;  // without a payload, the identifier alone consumed the byte
        return true;
    }
    payload = make();
    return payload->parse(data, length, position) != nullptr;
}

void mpeg_extension_header::render(const LineSink& sink) const {
    if (payload) payload->dump(sink);
}

}  // namespace cut2edl
