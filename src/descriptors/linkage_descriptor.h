#pragma once

#include "descriptors/Descriptor.h"
#include "mpeg/byte_copies.h"

namespace cut2edl {

// linkage_descriptor (tag 0x4A): a service that tells more about the one
// described (an EPG, a replacement, a mobile hand-over, ...).
class linkage_descriptor final : public Descriptor {
public:
    Field<std::uint16_t> transport_stream_id;
    Field<std::uint16_t> original_network_id;
    Field<std::uint16_t> service_id;
    Field<std::uint8_t> linkage_type;
    Field<std::uint8_t> hand_over_type;
    Field<std::uint8_t> reserved_future_use;
    Field<std::uint8_t> origin_type;
    Field<std::uint16_t> network_id;
    Field<std::uint16_t> initial_service_id;
    ByteRun private_data_byte;

protected:
    void read_body(BoundedReader& body) override;
    void render(const LineSink& sink, const ChildSink& children) const override;

private:
    bool is_mobile_hand_over() const;
    bool has_network_id() const;
    bool has_initial_service_id() const;
    void render_mobile_hand_over(const LineSink& sink) const;
};

}  // namespace cut2edl
