#include "nal/emulation_prevention.h"

namespace cut2edl {

std::vector<std::uint8_t> remove_emulation_prevention(const std::uint8_t* data, int length) {
    std::vector<std::uint8_t> rbsp;
    if (length <= 0) return rbsp;
    rbsp.reserve(static_cast<std::size_t>(length));
    int zeros = 0;
    for (int i = 0; i < length; ++i) {
        const std::uint8_t byte = data[i];
        if (zeros >= 2 && byte == 0x03) {
            zeros = 0;
            continue;
        }
        zeros = byte == 0 ? zeros + 1 : 0;
        rbsp.push_back(byte);
    }
    return rbsp;
}

}  // namespace cut2edl
