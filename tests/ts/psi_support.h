#pragma once

// What the table tests share: sections parsed from bytes with their notices
// collected, and real sections quoted from broadcast captures.
#include <string>
#include <string_view>
#include <vector>

#include "mpeg/chain_support.h"
#include "ts/PSI_PAT.h"
#include "ts/PSI_PMT.h"
#include "ts/PSI_SDT.h"

namespace cut2edl {

template <typename Table>
struct Parsed {
    Table table;
    std::vector<std::string> notices;
    int position = 1;
};

inline int size_of(const Bytes& bytes) { return static_cast<int>(bytes.size()); }

// A section of `bytes`, supplied with the size that its own section_length gives.
inline int section_size_of(const Bytes& bytes) { return ((bytes[1] & 0x0F) << 8 | bytes[2]) + 3; }

inline void parse_into(Parsed<PSI_PAT>& parsed, const Bytes& bytes, int section_size) {
    parsed.table.parse(bytes.data(), &parsed.position, section_size, size_of(bytes),
                       [&parsed](std::string_view text) { parsed.notices.emplace_back(text); });
}

inline void parse_into(Parsed<PSI_PMT>& parsed, const Bytes& bytes, int section_size) {
    parsed.table.parse(bytes.data(), section_size, &parsed.position, size_of(bytes),
                       [&parsed](std::string_view text) { parsed.notices.emplace_back(text); });
}

inline void parse_into(Parsed<PSI_SDT>& parsed, const Bytes& bytes, int section_size) {
    parsed.table.parse(bytes.data(), section_size, &parsed.position, size_of(bytes),
                       [&parsed](std::string_view text) { parsed.notices.emplace_back(text); });
}

// Real sections of two Italian DVB-T multiplexes, each followed by the 0xFF
// stuffing of its packet. The Mediaset PMT spans two packets.
inline const Bytes mediaset_pat = from_hex(
    "00b0591770c500000001e1000002e1010003e1020004e1030006e1060007e1070008e1080009e109000ae10a000ce10b000de10e"
    "0047e10f0048e1100065e1190066e11a0067e11b0068e11c0069e11d0325e10d0383e10cb594c8e0ff");
inline const Bytes rai_pmt = from_hex(
    "02b0990d4ac70000e201f00002e201f00502031a485f04e28bf0090a046974610052010204e2b7f0090a044f74680003016704e2b8"
    "f0090a04656e670003016706e241f011560f69746109006974611777656e6717780bebb9f00e52012913050000003d00660200f00b"
    "ebbaf00e52012a13050000003e006602012305e7d1f0056f030001e005e7d2f0056f030010e00cec1df0035201326e1ef035ff");
inline const Bytes mediaset_pmt = from_hex(
    "02b0e90001c90000e654f00002e654f00c0904183dea290904183ef52d04e655f0120a04697461000904183dea290904183ef52d04"
    "e656f0120a04656e67000904183dea290904183ef52d06e653f00c560a6974610900697461177605fec5f0056f030001e005fec6f0"
    "056f030001e005fec7f0056f030001e10bfe9ef03352010a140d000a000008800000000014ff00131900001ab60100000a0fe20000"
    "006e000000006e010453475700660400f000010bfe9ff03152010e140d000e0000088000000000187040131900001ab70100000a0f"
    "e2000000b900000000b9030453475700660200f0ca011d5eff");
// The Rai multiplex's HEVC test service.
inline const Bytes rai_hevc_pmt =
    from_hex("02b0280d52d70000e1f4f00024e1f4f016380f0220000000b00000000000999f1f1f0e03c003dc526b577bff");
// The Rai multiplex's SDT: its eight services.
inline const Bytes rai_sdt = from_hex(
    "42f0cf4800f50000013eff0d49ff800d480b01035261690552616920310d4aff800d480b01035261690552616920320d4cff801248"
    "1002035261690a52616920526164696f310d4dff8012481002035261690a52616920526164696f320d4eff8012481002035261690a"
    "52616920526164696f330d53ff8013481101035261690b526169204e6577732032340d4bff8020481e010352616918526169203320"
    "54475220456d696c696120526f6d61676e610d52fc801848161f0352616910546573742048455643206d61696e31305412f872ff");

}  // namespace cut2edl
