#pragma once

#include <cstdint>

#include "mpeg/bounded_reader.h"
#include "mpeg/byte_copies.h"
#include "mpeg/field.h"
#include "mpeg/line_sink.h"

// The bodies that two descriptors share.
namespace cut2edl {

// registration_descriptor and copyright_descriptor: a 32-bit identifier, then
// the rest of the body as additional bytes.
void read_identifier_with_bytes(BoundedReader& body, Field<std::uint32_t>& identifier, ByteRun& additional_bytes);

// The AC-3 family: a one-byte field that is sent only when its flag is set,
// read and shown as "bsid: 0x10".
void read_if_flagged(BoundedReader& body, const Field<std::uint8_t>& flag, Field<std::uint8_t>& field);
void print_if_flagged(const LineSink& sink, const Field<std::uint8_t>& flag, const char* label,
                      const Field<std::uint8_t>& field);

// The AC-3 family, DTS_descriptor and AAC_descriptor: the bytes that
// end the body behind the fields, each with a space on either side;
// nothing when there are none.
void print_additional_info(const LineSink& sink, const ByteRun& additional_info);

}  // namespace cut2edl
