// Feeds arbitrary bytes to the PAT, the PMT, the SDT, the descriptor factory,
// the DVB text decoder and the adaptation field, and renders each result, so that every table and
// descriptor class parses and renders whatever a section holds.
#include <algorithm>
#include <climits>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "descriptors/create_descriptor.h"
#include "descriptors/dvb_text.h"
#include "ts/PSI_PAT.h"
#include "ts/PSI_PMT.h"
#include "ts/PSI_SDT.h"
#include "ts/adaptation_field.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const int length = static_cast<int>(std::min<std::size_t>(size, INT_MAX));
    std::vector<std::string> collected;
    const cut2edl::LineSink collect = [&collected](std::string_view text) { collected.emplace_back(text); };
    // The size the demuxer supplies: its own reading of section_length.
    const int section_size = length >= 3 ? ((data[1] & 0x0F) << 8 | data[2]) + 3 : length;

    int position = 1;
    cut2edl::PSI_PAT pat;
    pat.parse(data, &position, section_size, length, collect);
    pat.dump(collect);

    position = 1;
    cut2edl::PSI_PMT pmt;
    pmt.parse(data, section_size, &position, length, collect);
    pmt.dump(collect);

    position = 1;
    cut2edl::PSI_SDT sdt;
    sdt.parse(data, section_size, &position, length, collect);
    sdt.dump(collect, cut2edl::same_sink, cut2edl::headed_descriptor);

    position = 1;
    if (length > 0) {
        const auto loop = cut2edl::create_descriptor(data, length, &position, collect);
        if (loop) loop->dump(collect, cut2edl::same_sink, cut2edl::headed_descriptor);
    }

    // The same bytes as a DVB text, as a service name would be decoded.
    collected.push_back(cut2edl::dvb_text_to_utf8({data, size}));

    position = 1;
    cut2edl::adaptation_field field;
    field.parse(data, length, &position);
    field.dump(collect);
    return 0;
}
