#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string_view>

namespace cut2edl {

// The files that a conversion writes beside the cut list, one per format.
enum class OutputFormat {
    Edl,          // "show.edl": the cuts, for players that skip them
    FfMetadata,   // "show.ffmeta": chapters as ffmpeg's metadata file
    MkvChapters,  // "show.chapters.xml": chapters as Matroska XML
    Json,         // "show.json": what the conversion found and did, for scripts
};

struct OutputFormatName {
    OutputFormat format;
    std::string_view name;       // as --format names it
    std::string_view extension;  // in place of the cut list's
    std::string_view fileKind;   // as a message names such a file
};

// In the order of the enumeration.
inline constexpr std::array outputFormatNames = {
    OutputFormatName{OutputFormat::Edl, "edl", ".edl", "EDL"},
    OutputFormatName{OutputFormat::FfMetadata, "ffmetadata", ".ffmeta", "ffmetadata"},
    OutputFormatName{OutputFormat::MkvChapters, "mkvchapters", ".chapters.xml", "Matroska chapters"},
    OutputFormatName{OutputFormat::Json, "json", ".json", "JSON"},
};

static_assert([] {
    for (std::size_t i = 0; i < outputFormatNames.size(); ++i) {
        if (static_cast<std::size_t>(outputFormatNames[i].format) != i) return false;
    }
    return true;
}());

constexpr std::optional<OutputFormat> outputFormatNamed(std::string_view name) {
    for (const OutputFormatName& entry : outputFormatNames) {
        if (entry.name == name) return entry.format;
    }
    return std::nullopt;
}

constexpr const OutputFormatName& namesOf(OutputFormat format) {
    return outputFormatNames[static_cast<std::size_t>(format)];
}

}  // namespace cut2edl
