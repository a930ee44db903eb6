#include "app/Batch.h"

#include <optional>

#include "app/ProgressLine.h"
#include "convert/Conversion.h"
#include "convert/Inspection.h"

namespace cut2edl {

std::size_t runBatch(const Options& options) {
    const ConversionSettings settings{options.action, options.rateFrom, options.formats, options.videoDirs,
                                      options.update};
    const auto& batch = options.inputFiles;
    // An inspection's report is itself what the user watches.
    std::optional<ProgressLine> progress;
    if (!options.quiet && !options.inspect && ProgressLine::wanted(batch.size())) progress.emplace(batch.size());
    std::size_t failures = 0;
    for (std::size_t i = 0; i < batch.size(); ++i) {
        if (progress) progress->show(i + 1, batch[i].filename().string());
        const bool done = options.inspect ? inspectInput(batch[i], options.rateFrom, options.videoDirs)
                                          : convertCutList(batch[i], settings);
        if (!done) ++failures;
    }
    return failures;
}

}  // namespace cut2edl
