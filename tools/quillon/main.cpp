// quillon: runs the IS-IS discovery agent over the routers of lab files.
#include <iostream>
#include <string>
#include <vector>

#include "QuillonProgram.h"

int main(int argc, char** argv) {
    std::vector<std::string> arguments;
    for (int i = 1; i < argc; ++i)
        arguments.emplace_back(argv[i]);
    return QuillonProgram::Run(arguments, std::cout, std::cerr);
}
