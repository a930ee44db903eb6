#include <iostream>
#include <memory>

#include "app/Options.h"
#include "app/Pause.h"
#include "convert/Conversion.h"

int main(int argc, char** argv) {
    using namespace cut2edl;
    const auto options = std::make_shared<Options>();
    parseOptions(argc, argv, options);
    printOptionsSummary(*options) << "\n";
    for (const auto& cutList : options->inputFiles) convertCutList(cutList);
    pauseForKeyPress();
    return 0;
}
