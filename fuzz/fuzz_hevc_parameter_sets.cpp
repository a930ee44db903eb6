// Feeds arbitrary bytes to the HEVC parameter-set parsers three ways: the
// input as one NAL unit (two header bytes, then the escaped RBSP) parsed as a
// video, a sequence and a picture parameter set, every NAL unit that the search
// finds in it as in video PES bytes parsed both ways, and the search for the
// first parameter sets of each kind; each is unescaped, parsed and rendered,
// derived values included.
//
// Seeds in corpus/hevc: the first video and sequence parameter set NAL units
// of each test recording and the first 2 KiB of its video PES bytes (written
// by scripts/make-hevc-test-media), the same of the DVB-T2 capture's HEVC
// service, and hand-*.bin: the unit tests' hand-written parameter sets as NAL
// units (escaped) and a PES buffer holding several of them.
#include <algorithm>
#include <climits>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "nal/emulation_prevention.h"
#include "nal/hevc/parameter_sets.h"
#include "nal/hevc/pic_parameter_set_rbsp.h"
#include "nal/nal_unit.h"

namespace {

using Lines = std::vector<std::string>;

template <typename ParameterSet>
void render(const ParameterSet& parameter_set, Lines& lines) {
    parameter_set.dump([&lines](std::string_view line) { lines.emplace_back(line); });
    if (parameter_set.complete_through_timing() && parameter_set.frame_rate() == 0.0) __builtin_trap();
}

void parse_and_render(const std::uint8_t* nal_unit, int length, Lines& lines) {
    if (length < cut2edl::hevc::nal_unit_header_bytes) return;
    const std::vector<std::uint8_t> rbsp = cut2edl::remove_emulation_prevention(
        nal_unit + cut2edl::hevc::nal_unit_header_bytes, length - cut2edl::hevc::nal_unit_header_bytes);
    const int size = static_cast<int>(rbsp.size());
    int position = 0;
    cut2edl::hevc::video_parameter_set_rbsp vps;
    vps.parse(rbsp.data(), size, &position);
    if (position > size) __builtin_trap();
    render(vps, lines);
    position = 0;
    cut2edl::hevc::seq_parameter_set_rbsp sps;
    sps.parse(rbsp.data(), size, &position);
    if (position > size || sps.width() == 0 || sps.height() == 0) __builtin_trap();
    render(sps, lines);
    position = 0;
    cut2edl::hevc::pic_parameter_set_rbsp pps;
    pps.parse(rbsp.data(), size, &position);
    if (position > size) __builtin_trap();
    pps.dump([&lines](std::string_view line) { lines.emplace_back(line); });
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const int length = static_cast<int>(std::min<std::size_t>(size, INT_MAX));
    Lines lines;
    parse_and_render(data, length, lines);
    for (cut2edl::NalUnit unit = cut2edl::find_nal_unit(data, length, 0); unit.found();
         unit = cut2edl::find_nal_unit(data, length, unit.end())) {
        if (unit.offset < 0 || unit.end() > length) __builtin_trap();
        parse_and_render(data + unit.offset, unit.length, lines);
    }
    const cut2edl::hevc::ParameterSets found = cut2edl::hevc::find_parameter_sets(data, length);
    if (found.vps) render(*found.vps, lines);
    if (found.sps) render(*found.sps, lines);
    if (found.frame_rate() == 0.0) __builtin_trap();
    return 0;
}
