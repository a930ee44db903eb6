#pragma once

// HEVC parameter sets written as bit strings (see mpeg/bit_string_support.h),
// one syntax element per piece; ue() and se() give an Exp-Golomb code's bits.
// The pieces come back const, so that "1" + ue(0) appends to a new string
// (prepending to a temporary draws a false -Wrestrict from g++ 12 at -O2).
#include <bitset>
#include <cstdint>
#include <string>
#include <vector>

namespace cut2edl::hevc::test {

inline const std::string zeros(std::size_t count) { return std::string(count, '0'); }
inline const std::string ones(std::size_t count) { return std::string(count, '1'); }
inline const std::string bits16(std::uint16_t value) { return std::bitset<16>(value).to_string(); }
inline const std::string bits32(std::uint32_t value) { return std::bitset<32>(value).to_string(); }

// ue(v): as many zeros as value + 1 has bits after its first, then value + 1.
inline const std::string ue(std::uint32_t value) {
    const std::string code = std::bitset<33>(std::uint64_t{value} + 1).to_string();
    const std::string significant = code.substr(code.find('1'));
    return zeros(significant.size() - 1) + significant;
}
// se(v): 1, -1, 2, -2, ... are code numbers 1, 2, 3, 4, ...
inline const std::string se(int value) { return ue(value > 0 ? 2u * value - 1 : 2u * static_cast<unsigned>(-value)); }

// A NAL unit's payload escaped: 03 after two zero bytes in front of 00 to 03.
inline std::vector<std::uint8_t> escaped(const std::vector<std::uint8_t>& rbsp) {
    std::vector<std::uint8_t> unit;
    int zero_run = 0;
    for (const std::uint8_t byte : rbsp) {
        if (zero_run == 2 && byte <= 3) {
            unit.push_back(3);
            zero_run = 0;
        }
        unit.push_back(byte);
        zero_run = byte == 0 ? zero_run + 1 : 0;
    }
    return unit;
}

// The 88 bits of a profile: Main (1, compatible with 1 and 2, progressive
// frames), Main 10 (2, compatible with 2) and format range extensions (4,
// high tier, constraint flags 1 1 1 0 1 1 1 0 1, inbld_flag 1).
inline const std::string main_profile = "00" "0" "00001" "0110" + zeros(28) + "1001" "0000000" "0" + zeros(35) + "0";
inline const std::string main10_profile = "00" "0" "00010" "0010" + zeros(28) + "1001" "0000000" "0" + zeros(35) + "0";
inline const std::string rext_profile = "00" "1" "00100" "0000100" + zeros(25) + "0101" "111011101" + zeros(34) + "1";

// A Main 720x576 4:2:0 8-bit sequence parameter set without scaling lists,
// reference picture sets or VUI; tests replace its parts.
struct SpsBits {
    std::string head = "0000" "000" "1" + main_profile + "01011010";  // vps 0, one sub-layer, level 90
    std::string format = ue(0) + ue(1) + ue(720) + ue(576) + "0" + ue(0) + ue(0) + ue(4);  // id, 4:2:0, no window
    std::string ordering = "1" + ue(4) + ue(2) + ue(5);
    std::string blocks = ue(0) + ue(3) + ue(0) + ue(3) + ue(0) + ue(0);
    std::string scaling = "0";
    std::string tools = "0" "1" "0";             // amp, sample adaptive offset, pcm
    std::string references = ue(0) + "0";        // no short-term sets, no long-term pictures
    std::string flags = "1" "1";                 // temporal mvp, strong intra smoothing
    std::string vui = "0";                       // vui_parameters_present_flag
    std::string tail = "0" "1";                  // sps_extension_present_flag, rbsp_stop_one_bit

    std::string bits() const {
        return head + format + ordering + blocks + scaling + tools + references + flags + vui + tail;
    }
};

// Video parameter set 3: sub-layers 0 and 1 below the highest (the first
// with the range-extensions profile and level 90), ordering for all three,
// layer set 1 holding layers 0 and 1, timing 1001 / 60000 and an HRD for
// each layer set, the second taking the first's common part.
inline const std::string vps_timing = "1" + bits32(1001) + bits32(60000) + "1" + ue(0);
inline std::string vps_bits(const std::string& timing = vps_timing, const std::string& id = "0011") {
    const std::string same_sub_layer = "1" + ue(0) + ue(0) + ue(0) + ue(0) + "0";
    const std::string hrd = timing == "0" ? "" :
        ue(2) + ue(0) + "1" "0" "0" "0100" "0110" "10111" "10111" "00100" +
        "1" + ue(0) + ue(0) + ue(9) + ue(4) + "0" +
        "0" "0" "1" + ue(0) + ue(0) + "1" +
        "0" "1" + ue(1) + ue(1) + ue(2) + ue(3) + "0" + ue(0) + ue(1) + "1" +
        ue(1) + "0" + same_sub_layer + same_sub_layer + same_sub_layer;
    return id + "1" "1" "000000" "010" "0" + ones(16) +
           main_profile + "01011101" "1" "1" "0" "0" + zeros(12) + rext_profile + "01011010" +
           "1" + ue(2) + ue(0) + ue(0) + ue(3) + ue(1) + ue(0) + ue(4) + ue(2) + ue(5) +
           "000001" + ue(1) + "11" + timing + hrd + "0" "1";
}

}  // namespace cut2edl::hevc::test
