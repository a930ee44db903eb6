// Feeds arbitrary bytes to the MPEG header factory and renders the whole chain,
// so that every header class parses and renders whatever the buffer holds.
#include <algorithm>
#include <climits>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "mpeg/mpeg_header.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const int length = static_cast<int>(std::min<std::size_t>(size, INT_MAX));
    std::vector<std::string> notices;
    std::vector<std::string> lines;
    int position = 1;
    const auto chain = cut2edl::create_mpeg_header(data, length, &position,
                                                   [&notices](std::string_view text) { notices.emplace_back(text); });
    if (chain) chain->dump([&lines](std::string_view line) { lines.emplace_back(line); });
    return 0;
}
