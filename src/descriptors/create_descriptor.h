#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "descriptors/Descriptor.h"
#include "mpeg/line_sink.h"

namespace cut2edl {

// Turns the descriptor loop of `length` bytes at `data` into the chain of its
// descriptors, each of the class of its tag (user_private_data_descriptor for
// a tag without one), and moves `*position` on over the loop. A tag of 0xFF, the
// stuffing value, ends the loop with the notice "0xFF found where it shouldn't
// be!  Major prob, Zub!". Null for an empty loop or one that begins with 0xFF.
std::unique_ptr<Descriptor> create_descriptor(const std::uint8_t* data, int length, int* position,
                                              const NoticeSink& notices = notice_to_stdout);

// A line naming a descriptor for a reader of a report:
// "stream_identifier_descriptor (tag 0x52 = 82, 1 byte)", or for a tag
// without a class of its own "descriptor 0x90 = 144 (3 bytes)".
std::string descriptor_heading(const Descriptor& descriptor);

// A DescriptorFrame: the descriptor's heading, and its lines one level beneath it.
LineSink headed_descriptor(const Descriptor& descriptor, const LineSink& sink);

}  // namespace cut2edl
