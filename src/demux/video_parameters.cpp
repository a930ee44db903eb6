#include "demux/video_parameters.h"

#include <span>

#include "demux/sequence_header_report.h"
#include "mpeg/mpeg_sequence_header.h"
#include "mpeg/start_code_scanner.h"
#include "nal/h264/seq_parameter_set_rbsp.h"
#include "nal/hevc/parameter_sets.h"

namespace cut2edl {

namespace {

constexpr std::uint8_t h264VideoType = 0x1B;
constexpr std::uint8_t hevcVideoType = 0x24;
constexpr std::uint8_t sequenceHeaderKind = 0xB3;
constexpr int firstPosition = 1;

// The bytes of a sequence header without matrices, of one quantiser matrix,
// and of an extension header holding a sequence extension.
constexpr int sequenceHeaderSize = 12;
constexpr int matrixSize = 64;
constexpr int sequenceExtensionSize = 10;

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

// Whether the buffer ends so soon behind the sequence header (the first
// 00 00 01 B3 in it) that a sequence extension could not fit behind it.
bool endsBehind(const mpeg_sequence_header& sequence, const std::uint8_t* data, int length) {
    const std::span<const std::uint8_t> bytes(data, static_cast<std::size_t>(length));
    const start_code_range below = start_codes_below(sequenceHeaderKind);
    auto start = next_start_code(bytes, 0, below);
    while (start && bytes[*start + 3] != sequenceHeaderKind) start = next_start_code(bytes, *start + 1, below);
    if (!start) return true;
    const int size = sequenceHeaderSize + matrixSize * (sequence.load_intra_quantiser_matrix.value +
                                                        sequence.load_non_intra_quantiser_matrix.value);
    return length - static_cast<int>(*start) < size + sequenceExtensionSize;
}

VideoParameters findSequenceHeader(const std::uint8_t* data, int length, const ProbeReport& report,
                                   bool moreBytesToCome) {
    int position = firstPosition;
    const auto chain = create_mpeg_header(data, length, &position, report.notices());
    const mpeg_sequence_header* sequence = firstSequenceHeader(chain.get());
    if (sequence == nullptr) return {};
    if (moreBytesToCome && !sequence->next && endsBehind(*sequence, data, length)) {
        return {.outcome = VideoParameters::Outcome::NeedsMoreBytes};
    }
    report_sequence_header(report, *sequence);
    return {VideoParameters::Outcome::Found, sequence->horizontal_size_value.value & 0xFFF,
            sequence->vertical_size_value.value & 0xFFF, sequence->frame_rate()};
}

template <typename ParameterSet>
void reportParameterSet(const ProbeReport& report, const char* name, const ParameterSet& parameterSet) {
    if (report.discards()) return;
    report.line(name);
    parameterSet.dump(report.nested().sink());
}

VideoParameters findH264ParameterSet(const std::uint8_t* data, int length, const ProbeReport& report) {
    const auto parameterSet = h264::find_seq_parameter_set(data, length, firstPosition);
    if (!parameterSet || !parameterSet->read_through_size || !parameterSet->complete_through_timing()) return {};
    reportParameterSet(report, "Sequence parameter set:", *parameterSet);
    const bool fieldPictures = parameterSet->frame_mbs_only_flag.value == 0;
    if (parameterSet->frame_rate() < 0) {
        report.line("No frame rate: the sequence parameter set carries no timing information");
        return {VideoParameters::Outcome::FoundWithoutRate, parameterSet->width(), parameterSet->height(), -1.0,
                fieldPictures};
    }
    return {VideoParameters::Outcome::Found, parameterSet->width(), parameterSet->height(), parameterSet->frame_rate(),
            fieldPictures};
}

VideoParameters findHevcParameterSets(const std::uint8_t* data, int length, const ProbeReport& report) {
    const hevc::ParameterSets sets = hevc::find_parameter_sets(data, length, firstPosition);
    const hevc::seq_parameter_set_rbsp* sequence = sets.sps.get();
    if (sequence == nullptr || !sequence->read_through_size || !sequence->complete_through_timing()) return {};
    if (sets.vps) reportParameterSet(report, "Video parameter set:", *sets.vps);
    reportParameterSet(report, "Sequence parameter set:", *sequence);
    if (sets.frame_rate() < 0) {
        report.line("No frame rate: neither parameter set carries timing information");
        return {VideoParameters::Outcome::FoundWithoutRate, sequence->width(), sequence->height()};
    }
    // Decoders, players and the detectors that write cut lists count the
    // pictures of a field-coded stream, so its rate stays the picture rate.
    if (sequence->pictures_are_fields()) report.line("The pictures are fields: the rate counts pictures");
    if (sets.rate_from_vps()) report.line("The frame rate comes from the video parameter set");
    return {VideoParameters::Outcome::Found, sequence->width(), sequence->height(), sets.frame_rate()};
}

}  // namespace

VideoParameters findVideoParameters(std::uint8_t streamType, const std::uint8_t* data, int length,
                                    const ProbeReport& report, bool moreBytesToCome) {
    if (streamType == h264VideoType) return findH264ParameterSet(data, length, report);
    if (streamType == hevcVideoType) return findHevcParameterSets(data, length, report);
    return findSequenceHeader(data, length, report, moreBytesToCome);
}

}  // namespace cut2edl
