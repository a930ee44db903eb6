#include "convert/Conversion.h"

#include <algorithm>
#include <array>
#include <filesystem>
#include <iostream>
#include <optional>
#include <string>

#include <boost/filesystem/operations.hpp>

#include "convert/Chapters.h"
#include "convert/CutList.h"
#include "convert/EdlWriter.h"
#include "convert/FrameRateChoice.h"
#include "convert/PathForms.h"
#include "convert/atomic_write.h"
#include "convert/chapter_files.h"
#include "convert/json_report.h"

namespace cut2edl {

namespace fs = boost::filesystem;

namespace {

constexpr std::array videoExtensions = {".mpg", ".mpeg", ".ts", ".dvr-ms", ".m2ts", ".mts"};

// The parsers' notices end without a line end, so that a failure message runs
// on behind them; a note starts on a line of its own.
class ConsoleNotes {
public:
    NoticeSink noticeSink() {
        return [this](std::string_view notice) {
            notice_to_stdout(notice);
            noticePending = true;
        };
    }

    void note(const fs::path& cutListPath, const std::string& text) {
        if (noticePending) std::cout << "\n";
        noticePending = false;
        std::cout << "Note: \"" << native_file_string(cutListPath) << "\" " << text << "\n";
    }

private:
    bool noticePending = false;
};

std::string leftOutNote(std::size_t count) {
    if (count == 1) return "holds 1 cut that ends before it starts; it is left out.";
    return "holds " + std::to_string(count) + " cuts that end before they start; they are left out.";
}

// Every format but the EDL holds chapters, which end at the recording's end.
bool writesChapters(const std::vector<OutputFormat>& formats) {
    return std::any_of(formats.begin(), formats.end(), [](OutputFormat format) { return format != OutputFormat::Edl; });
}

std::string unwritten(OutputFormat format, const fs::path& file) {
    if (format == OutputFormat::Edl) return "the EDL file could not be written";
    return "the " + std::string(namesOf(format).fileKind) + " file \"" + native_file_string(file) +
           "\" could not be written";
}

// What a conversion has found, from which each format's file is written.
struct Converted {
    const ConversionRecord& record;
    const CutList& cuts;
    EdlAction action;
};

bool writeFormat(OutputFormat format, const fs::path& file, const Converted& converted) {
    if (format == OutputFormat::Edl) return writeEdl(converted.record.cutList, converted.cuts, converted.action);
    return writeReplacing(file, [&](std::ostream& out) {
        switch (format) {
            case OutputFormat::FfMetadata:
                return writeFfMetadata(out, converted.record.chapters);
            case OutputFormat::MkvChapters:
                return writeMkvChapters(out, converted.record.chapters);
            case OutputFormat::Json:
                return writeJson(out, converted.record);
            case OutputFormat::Edl:
                break;
        }
    });
}

std::optional<std::filesystem::file_time_type> lastWritten(const fs::path& path) {
    std::error_code error;
    const auto time = std::filesystem::last_write_time(std::filesystem::path(path.string()), error);
    if (error) return std::nullopt;
    return time;
}

// Whether every file asked for was written after the cut list and its video
// (where it has one) last changed, to the file system's own resolution.
bool upToDate(const fs::path& cutListPath, const fs::path& videoPath, const std::vector<OutputFormat>& formats) {
    auto sources = lastWritten(cutListPath);
    if (!sources) return false;
    if (!videoPath.empty()) {
        const auto video = lastWritten(videoPath);
        if (!video) return false;
        sources = std::max(*sources, *video);
    }
    return std::all_of(formats.begin(), formats.end(), [&](OutputFormat format) {
        const auto written = lastWritten(change_extension(cutListPath, std::string(namesOf(format).extension)));
        return written && *written > *sources;
    });
}

}  // namespace

void reportFailure(const char* verb, const fs::path& cutListPath, const std::string& reason) {
    std::cout << "Unable to " << verb << " \"" << native_file_string(cutListPath) << "\" because " << reason << ".\n";
}

bool isVideoFile(const fs::path& path) {
    const std::string extension = path.extension().string();
    return std::find(videoExtensions.begin(), videoExtensions.end(), extension) != videoExtensions.end();
}

fs::path findCompanionVideo(const fs::path& cutListPath, const std::vector<fs::path>& videoDirs) {
    std::vector<fs::path> folders = {cutListPath.parent_path()};
    folders.insert(folders.end(), videoDirs.begin(), videoDirs.end());
    for (const fs::path& folder : folders) {
        for (const char* extension : videoExtensions) {
            const fs::path candidate = change_extension(folder / cutListPath.filename(), extension);
            boost::system::error_code error;
            if (fs::exists(candidate, error)) return candidate;
        }
    }
    return {};
}

bool convertCutList(fs::path cutListPath, const ConversionSettings& settings) {
    ConsoleNotes notes;
    const bool chaptersWritten = writesChapters(settings.formats);
    // The video is probed and closed again before the cut list is opened.
    const fs::path videoPath =
        settings.rateFrom == RateSource::List ? fs::path() : findCompanionVideo(cutListPath, settings.videoDirs);
    if (settings.update && upToDate(cutListPath, videoPath, settings.formats)) return true;
    const VideoRate video = settings.rateFrom == RateSource::List
                                ? VideoRate{}
                                : probeVideoRate(videoPath, ProbeReport::forwardingNotices(notes.noticeSink()),
                                                 chaptersWritten);
    const std::optional<CutListText> list = readCutList(cutListPath);
    const FrameRateChoice rate = chooseFrameRate(settings.rateFrom, list, video);
    if (rate.origin == FrameRateChoice::Origin::None) {
        reportFailure("convert", cutListPath, rate.why);
        return false;
    }
    if (!rate.note.empty()) notes.note(cutListPath, rate.note);

    // A rate was chosen, so the list was read.
    const ValidCuts cuts = validCuts(list->cuts);
    if (cuts.leftOut > 0) notes.note(cutListPath, leftOutNote(cuts.leftOut));
    if (chaptersWritten && !video.duration) {
        notes.note(cutListPath, "ends its chapters with its last cut, as the recording's duration is unknown.");
    }
    const CutList inTime = inSeconds(cuts.cuts, rate.frameRate);
    const std::vector<Chapter> chapters = chaptersOf(inTime, rate.frameRate, video.duration);
    const ConversionRecord record{cutListPath, videoPath, video, rate, cuts.cuts, chapters};
    bool written = true;
    for (const OutputFormat format : settings.formats) {
        const fs::path file = change_extension(cutListPath, std::string(namesOf(format).extension));
        if (!writeFormat(format, file, {record, inTime, settings.action})) {
            reportFailure("convert", cutListPath, unwritten(format, file));
            written = false;
        }
    }
    return written;
}

}  // namespace cut2edl
