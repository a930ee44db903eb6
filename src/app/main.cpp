#include <iostream>
#include <memory>

#include "app/Batch.h"
#include "app/Options.h"
#include "app/Pause.h"
#include "app/Version.h"

int main(int argc, char** argv) {
    using namespace cut2edl;
    const auto options = std::make_shared<Options>();
    const bool parsed = parseOptions(argc, argv, options);
    if (options->version) {
        std::cout << versionLine();
        return 0;
    }
    if (!options->quiet) printOptionsSummary(*options) << "\n";
    const std::size_t failures = runBatch(*options);
    if (!options->noPause) pauseForKeyPress();
    return exitStatus(*options, parsed, failures);
}
