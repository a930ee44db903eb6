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
    parseOptions(argc, argv, options);
    if (options->version) {
        std::cout << versionLine();
        return 0;
    }
    printOptionsSummary(*options) << "\n";
    for (const auto& input : options->inputFiles) {
        if (options->inspect) {
            inspectInput(input, options->rateFrom);
        } else {
            convertCutList(input, {options->action, options->rateFrom, options->formats});
        }
    }
    if (!options->noPause) pauseForKeyPress();
    return 0;
}
