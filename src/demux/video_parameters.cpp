#include "demux/video_parameters.h"

#include "demux/sequence_header_report.h"
#include "mpeg/mpeg_sequence_header.h"
#include "nal/h264/seq_parameter_set_rbsp.h"

namespace cut2edl {

namespace {

constexpr std::uint8_t mpeg2VideoType = 0x02;
constexpr std::uint8_t h264VideoType = 0x1B;
constexpr std::uint8_t sequenceHeaderKind = 0xB3;

// The kinds of header a search for the sequence header passes over: slices,
// pictures, user data, extensions, GOPs and PES headers.
bool passedOver(std::uint8_t kind) {
    return kind <= 0xAF || kind == 0xB2 || kind == 0xB5 || kind == 0xB8 || (kind >= 0xBD && kind <= 0xEF);
}

// The chain's first sequence header, when it comes before any header that
// ends the walk and holds the fields up to its frame rate.
const mpeg_sequence_header* firstSequenceHeader(const MPEG_Header* chain) {
    for (const MPEG_Header* header = chain; header != nullptr; header = header->next.get()) {
        if (header->kind() == sequenceHeaderKind) {
            const auto& sequence = static_cast<const mpeg_sequence_header&>(*header);
            return sequence.frame_rate_code.span != 0 ? &sequence : nullptr;
        }
        if (!passedOver(header->kind())) return nullptr;
    }
    return nullptr;
}

VideoParameters findSequenceHeader(const std::uint8_t* data, int length, int* position, const ProbeReport& report) {
    const auto chain = create_mpeg_header(data, length, position, report.notices());
    const mpeg_sequence_header* sequence = firstSequenceHeader(chain.get());
    if (sequence == nullptr) return {};
    report_sequence_header(report, *sequence);
    return {VideoParameters::Outcome::Found, sequence->horizontal_size_value.value & 0xFFF,
            sequence->vertical_size_value.value & 0xFFF, sequence->frame_rate()};
}

VideoParameters findH264ParameterSet(const std::uint8_t* data, int length, const ProbeReport& report) {
    const auto parameterSet = h264::find_seq_parameter_set(data, length);
    if (!parameterSet || !parameterSet->read_through_size || !parameterSet->complete_through_timing()) return {};
    if (!report.discards()) {
        report.line("Sequence parameter set:");
        parameterSet->dump(report.nested().sink());
    }
    if (parameterSet->frame_rate() < 0) {
        report.line("No frame rate: the sequence parameter set carries no timing information");
        return {.outcome = VideoParameters::Outcome::FoundWithoutRate};
    }
    return {VideoParameters::Outcome::Found, parameterSet->width(), parameterSet->height(), parameterSet->frame_rate()};
}

}  // namespace

bool isReadVideoType(std::uint8_t streamType) { return streamType == mpeg2VideoType || streamType == h264VideoType; }

VideoParameters findVideoParameters(std::uint8_t streamType, const std::uint8_t* data, int length, int* position,
                                    const ProbeReport& report) {
    if (streamType == h264VideoType) return findH264ParameterSet(data, length, report);
    return findSequenceHeader(data, length, position, report);
}

}  // namespace cut2edl
