// velmora-cli: the program around the command line of velmora_cli_lib.

#include <clocale>
#include <iostream>
#include <string>
#include <vector>

#include "app/binaryfile.h"
#include "app/utf8path.h"
#include "commandline.h"

int main(int argc, char** argv) {
#ifdef LC_MESSAGES
    // System error texts (file not found and the like) in the user's language.
    std::setlocale(LC_MESSAGES, "");
#endif
    velmora::RemoveTemporaryFilesOnStopSignals();
    return velmora::cli::RunCommandLine(velmora::CommandLineArguments(argc, argv), std::cout,
                                        std::cerr);
}
