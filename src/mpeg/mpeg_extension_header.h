#pragma once

#include <cstdint>
#include <memory>

#include "mpeg/mpeg_extension_base.h"
#include "mpeg/mpeg_header.h"

namespace cut2edl {

// extension_start_code (00 00 01 B5) and the payload that its 4-bit
// extension_start_code_identifier selects. Identifiers without a payload
// class (0, 6, 13-15) keep no payload.
class mpeg_extension_header : public MPEG_Header {
public:
    const std::uint8_t* parse(const std::uint8_t* data, int length, int* position) override;

    field_span span = 0;
    Field<std::uint32_t> extension_start_code;
    Field<std::uint8_t> extension_start_code_identifier;
    std::unique_ptr<mpeg_extension_base> payload;

protected:
    void render(const LineSink& sink) const override;

private:
    bool parse_payload(const std::uint8_t* data, int length, int* position);
};

}  // namespace cut2edl
