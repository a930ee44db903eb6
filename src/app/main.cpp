#include <iostream>
#include <memory>

#include "app/Options.h"
#include "app/Pause.h"
#include "app/Version.h"
#include "convert/Conversion.h"
#include "convert/Inspection.h"

int main(int argc, char** argv) {
    using namespace cut2edl;
    const auto options = std::make_shared<Options>();
    const bool parsed = parseOptions(argc, argv, options);
    if (options->version) {
        std::cout << versionLine();
        return 0;
    }
    if (!options->quiet) printOptionsSummary(*options) << "\n";
    const ConversionSettings settings{options->action, options->rateFrom, options->formats, options->videoDirs,
                                      options->update};
    std::size_t failures = 0;
    for (const auto& input : options->inputFiles) {
        const bool done = options->inspect ? inspectInput(input, options->rateFrom, options->videoDirs)
                                           : convertCutList(input, settings);
        if (!done) ++failures;
    }
    if (!options->noPause) pauseForKeyPress();
    return exitStatus(*options, parsed, failures);
}
