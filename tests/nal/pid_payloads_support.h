#pragma once

// What the tests of the recordings in tests/data share: the video payloads
// of a PID and a test name made of the file name.
#include <cctype>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace cut2edl {

// The payloads of one PID's transport-stream packets in a file of tests/data,
// PES headers and all, as a transport-stream demuxer hands them on.
inline std::vector<std::uint8_t> pid_payloads(const std::string& file, unsigned pid) {
    constexpr std::size_t packet_size = 188;
    std::ifstream in(std::string(CUT2EDL_TEST_DATA) + "/" + file, std::ios::binary);
    const std::vector<std::uint8_t> ts((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::vector<std::uint8_t> payloads;
    for (std::size_t at = 0; at + packet_size <= ts.size(); at += packet_size) {
        const std::uint8_t* packet = ts.data() + at;
        const unsigned packet_pid = (packet[1] & 0x1Fu) << 8 | packet[2];
        const unsigned adaptation_field_control = packet[3] >> 4 & 3u;
        if (packet_pid != pid || !(adaptation_field_control & 1u)) continue;
        const std::size_t start = 4 + (adaptation_field_control == 3 ? 1u + packet[4] : 0u);
        if (start < packet_size) payloads.insert(payloads.end(), packet + start, packet + packet_size);
    }
    return payloads;
}

// "ts-25-720x576-h264-ac3.ts" -> "ts_25_720x576_h264_ac3".
inline std::string recording_test_name(std::string file) {
    file = file.substr(0, file.rfind('.'));
    for (char& c : file) {
        if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
    }
    return file;
}

}  // namespace cut2edl
