#pragma once

#include "descriptors/Descriptor.h"
#include "mpeg/byte_copies.h"

namespace cut2edl {

// carousel_identifier_descriptor (tag 0x13): the object carousel a data
// stream belongs to; with format_id 1 (enhanced boot) it also locates the
// module that holds the carousel's service gateway.
class carousel_identifier_descriptor final : public Descriptor {
public:
    Field<std::uint32_t> carousel_id;
    Field<std::uint8_t> format_id;
    Field<std::uint8_t> module_version;
    Field<std::uint16_t> module_id;
    Field<std::uint16_t> block_size;
    Field<std::uint32_t> module_size;
    Field<std::uint8_t> compression_method;
    Field<std::uint32_t> original_size;
    Field<std::uint8_t> timeout;
    Field<std::uint8_t> object_key_length;
    ByteRun object_key_data;
    ByteRun private_data_byte;

protected:
    void read_body(BoundedReader& body) override;
    void render(const LineSink& sink, const ChildSink& children) const override;

private:
    void read_enhanced_boot(BoundedReader& body);
    void render_enhanced_boot(const LineSink& sink) const;
};

}  // namespace cut2edl
