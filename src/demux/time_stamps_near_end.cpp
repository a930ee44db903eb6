#include "demux/time_stamps_near_end.h"

#include <algorithm>
#include <fstream>

namespace cut2edl {

std::vector<std::int64_t> timeStampsNearEnd(const std::string& path, std::size_t overlap, const StampScan& scan) {
    // Unbuffered, so that each block costs one read of just its bytes.
    std::ifstream file;
    file.rdbuf()->pubsetbuf(nullptr, 0);
    file.open(path, std::ios::binary | std::ios::ate);
    std::vector<std::int64_t> stamps;
    if (!file.is_open()) return stamps;
    const std::int64_t size = file.tellg();
    const std::int64_t searchStart = std::max<std::int64_t>(size - endSearchBound, 0);
    std::vector<std::uint8_t> block(endSearchBlock + overlap);
    for (std::int64_t end = size; end > searchStart && stamps.size() < endStampsWanted;) {
        const std::int64_t begin = std::max<std::int64_t>(end - static_cast<std::int64_t>(endSearchBlock), searchStart);
        const std::int64_t readEnd = std::min<std::int64_t>(end + static_cast<std::int64_t>(overlap), size);
        file.seekg(begin);
        file.read(reinterpret_cast<char*>(block.data()), readEnd - begin);
        if (file.gcount() != readEnd - begin) break;
        scan(std::span<const std::uint8_t>(block.data(), static_cast<std::size_t>(readEnd - begin)),
             static_cast<std::size_t>(end - begin), stamps);
        end = begin;
    }
    return stamps;
}

}  // namespace cut2edl
