// velmora-cli: the program around the command line of velmora_cli_lib.

#include <clocale>
#include <iostream>
#include <string>
#include <vector>

#include "app/binaryfile.h"
#include "commandline.h"

int main(int argc, char** argv) {
    // System error texts (file not found and the like) in the user's language.
    std::setlocale(LC_MESSAGES, "");
    velmora::RemoveTemporaryFilesOnStopSignals();
    const std::vector<std::string> args(argv + (argc > 0 ? 1 : 0), argv + argc);
    return velmora::cli::RunCommandLine(args, std::cout, std::cerr);
}
