#pragma once

#include <memory>

#include "descriptors/list_descriptor.h"
#include "mpeg/byte_copies.h"

namespace cut2edl {

// One line of a VBI data service: its field and line offset.
class vbi_data_service_item final : public descriptor_item<vbi_data_service_item> {
public:
    static constexpr int fixed_size = 1;

    Field<std::uint8_t> reserved;
    Field<std::uint8_t> field_parity;
    Field<std::uint8_t> line_offset;

    void read(BoundedReader& reader);
    void render(const LineSink& sink) const;
};

// One data service of a vbi_data_descriptor (teletext, VPS, WSS, closed
// captions, ...): the lines it occupies, or bytes for a service without lines.
class vbi_data_service final : public descriptor_item<vbi_data_service> {
public:
    static constexpr int fixed_size = 2;

    Field<std::uint8_t> data_service_id;
    Field<std::uint8_t> data_service_descriptor_length;
    std::unique_ptr<vbi_data_service_item> first_item;
    ByteRun reserved_bytes;

    void read(BoundedReader& reader);
    void render(const LineSink& sink) const;
};

// vbi_data_descriptor (tag 0x45): the data services carried in a VBI stream.
class vbi_data_descriptor final : public list_descriptor<vbi_data_service> {};

}  // namespace cut2edl
