#include <iostream>
#include <memory>

#include "app/Options.h"
#include "app/Pause.h"
#include "app/Version.h"
#include "convert/Conversion.h"

int main(int argc, char** argv) {
    using namespace cut2edl;
    const auto options = std::make_shared<Options>();
    parseOptions(argc, argv, options);
    if (options->version) {
        std::cout << versionLine();
        return 0;
    }
    printOptionsSummary(*options) << "\n";
    for (const auto& cutList : options->inputFiles) convertCutList(cutList, options->action);
    if (!options->noPause) pauseForKeyPress();
    return 0;
}
