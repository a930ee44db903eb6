#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace cut2edl {

// A DVB text (a service or event name as ETSI EN 300 468 Annex A codes it) as
// UTF-8, for a reader. Its first byte may select the character table: none
// (a byte from 0x20) is the default Latin table, whose diacritical marks come
// before their letter and are put after it here; 0x01-0x0B and 0x10 0x00 0xNN
// name a part of ISO/IEC 8859, 0x11 UCS-2 and 0x15 UTF-8; behind any other
// selector only ASCII is taken as sure. The control codes (emphasis, line
// breaks, and the C0 controls that could steer a terminal) are dropped; what
// cannot be decoded becomes U+FFFD.
std::string dvb_text_to_utf8(std::span<const std::uint8_t> text);

}  // namespace cut2edl
