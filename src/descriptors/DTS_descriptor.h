#pragma once

#include "descriptors/Descriptor.h"
#include "mpeg/byte_copies.h"

namespace cut2edl {

// DTS_descriptor (tag 0x7B): the frame parameters of a DTS audio stream, as its
// frame headers code them.
class DTS_descriptor final : public Descriptor {
public:
    Field<std::uint8_t> sample_rate_code;
    Field<std::uint8_t> bit_rate_code;
    Field<std::uint8_t> nblks;
    Field<std::uint16_t> fsize;
    Field<std::uint8_t> surround_mode;
    Field<std::uint8_t> lfe_flag;
    Field<std::uint8_t> extended_surround_flag;
    ByteRun additional_info;

protected:
    void read_body(BoundedReader& body) override;
    void render(const LineSink& sink, const ChildSink& children) const override;
};

}  // namespace cut2edl
