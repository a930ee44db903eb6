#pragma once

#include <cstdint>

#include "mpeg/bounded_reader.h"
#include "mpeg/byte_copies.h"
#include "mpeg/field.h"

// The bodies that two descriptors share.
namespace cut2edl {

// registration_descriptor and copyright_descriptor: a 32-bit identifier, then
// the rest of the body as additional bytes.
void read_identifier_with_bytes(BoundedReader& body, Field<std::uint32_t>& identifier, ByteRun& additional_bytes);

}  // namespace cut2edl
