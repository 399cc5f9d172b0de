#include <iostream>

#include "commands/Commands.h"

int main(int argc, char** argv) {
    return tintora::cli::RunCli(tintora::cli::Args(argv + 1, argv + argc), std::cout, std::cerr);
}
