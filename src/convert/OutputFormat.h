#pragma once

#include <array>
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
};

inline constexpr std::array outputFormatNames = {
    OutputFormatName{OutputFormat::Edl, "edl", ".edl"},
    OutputFormatName{OutputFormat::FfMetadata, "ffmetadata", ".ffmeta"},
    OutputFormatName{OutputFormat::MkvChapters, "mkvchapters", ".chapters.xml"},
    OutputFormatName{OutputFormat::Json, "json", ".json"},
};

constexpr std::optional<OutputFormat> outputFormatNamed(std::string_view name) {
    for (const OutputFormatName& entry : outputFormatNames) {
        if (entry.name == name) return entry.format;
    }
    return std::nullopt;
}

constexpr std::string_view extensionOf(OutputFormat format) {
    for (const OutputFormatName& entry : outputFormatNames) {
        if (entry.format == format) return entry.extension;
    }
    return {};
}

}  // namespace cut2edl
