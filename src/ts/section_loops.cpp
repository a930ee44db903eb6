#include "ts/section_loops.h"

#include <algorithm>

#include "descriptors/create_descriptor.h"

namespace cut2edl {

std::unique_ptr<Descriptor> parse_descriptor_loop(const std::uint8_t* data, int offset, int declared, int available,
                                                  int* position, const NoticeSink& notices) {
    const int size = std::clamp(available - offset, 0, declared);
    return size > 0 ? create_descriptor(data + offset, size, position, notices) : nullptr;
}

}  // namespace cut2edl
