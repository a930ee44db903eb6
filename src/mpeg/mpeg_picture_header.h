#pragma once

#include <cstdint>
#include <memory>

#include "mpeg/mpeg_header.h"

namespace cut2edl {

// One extra_information_picture byte; the bytes of a picture header form a
// list in stream order.
class mpeg_picture_extra {
public:
    mpeg_picture_extra() = default;
    mpeg_picture_extra(const mpeg_picture_extra&) = delete;
    mpeg_picture_extra& operator=(const mpeg_picture_extra&) = delete;
    // Releases the rest of the list iteratively: a damaged header can carry
    // thousands of extra bytes.
    virtual ~mpeg_picture_extra();

    void render(const LineSink& sink) const;

    field_span span = 0;
    Field<std::uint8_t> extra_information_picture;
    std::unique_ptr<mpeg_picture_extra> next;
};

// picture_header() of ISO/IEC 13818-2 (start code 00 00 01 00): temporal
// reference, coding type, VBV delay, the MPEG-1 motion vector codes of P and B
// pictures and the extra information bytes.
class mpeg_picture_header : public MPEG_Header {
public:
    const std::uint8_t* parse(const std::uint8_t* data, int length, int* position) override;

    field_span span = 0;
    Field<std::uint16_t> temporal_reference;
    Field<std::uint8_t> picture_coding_type;
    Field<std::uint16_t> vbv_delay;
    Field<std::uint8_t> full_pel_forward_vector;
    Field<std::uint8_t> forward_f_code;
    Field<std::uint8_t> full_pel_backward_vector;
    Field<std::uint8_t> backward_f_code;
    std::unique_ptr<mpeg_picture_extra> extra;

protected:
    void render(const LineSink& sink) const override;

private:
    void read_extra_information(BoundedReader& reader);
};

}  // namespace cut2edl
