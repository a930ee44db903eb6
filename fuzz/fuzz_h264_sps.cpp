// Feeds arbitrary bytes to the H.264 parameter-set parser two ways: the input
// as one NAL unit (header byte, then the escaped RBSP), and every NAL unit that
// the search finds in it as in video PES bytes; each is unescaped, parsed as a
// sequence and as a picture parameter set and rendered, derived values included.
//
// Seeds in corpus/h264: the first parameter set NAL unit of each test
// recording and the first 2 KiB of its video PES bytes (both written by
// scripts/make-h264-test-media); hand-*.bin are the unit tests' hand-written
// parameter sets as NAL units (header byte 0x67, escaped) and a PES buffer in
// which a second PES header splits a NAL unit.
#include <algorithm>
#include <climits>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "nal/emulation_prevention.h"
#include "nal/h264/pic_parameter_set_rbsp.h"
#include "nal/h264/seq_parameter_set_rbsp.h"
#include "nal/nal_unit.h"

namespace {

void parse_and_render(const std::uint8_t* nal_unit, int length, std::vector<std::string>& lines) {
    if (length < 1) return;
    const std::vector<std::uint8_t> rbsp = cut2edl::remove_emulation_prevention(nal_unit + 1, length - 1);
    cut2edl::h264::seq_parameter_set_rbsp sps;
    int position = 0;
    sps.parse(rbsp.data(), static_cast<int>(rbsp.size()), &position);
    sps.dump([&lines](std::string_view line) { lines.emplace_back(line); });
    if (sps.complete_through_timing() && sps.frame_rate() == 0.0) __builtin_trap();
    position = 0;
    cut2edl::h264::pic_parameter_set_rbsp pps;
    pps.parse(rbsp.data(), static_cast<int>(rbsp.size()), &position);
    pps.dump([&lines](std::string_view line) { lines.emplace_back(line); });
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const int length = static_cast<int>(std::min<std::size_t>(size, INT_MAX));
    std::vector<std::string> lines;
    parse_and_render(data, length, lines);
    for (cut2edl::NalUnit unit = cut2edl::find_nal_unit(data, length, 0); unit.found();
         unit = cut2edl::find_nal_unit(data, length, unit.end())) {
        if (unit.offset < 0 || unit.end() > length) __builtin_trap();
        parse_and_render(data + unit.offset, unit.length, lines);
    }
    return 0;
}
