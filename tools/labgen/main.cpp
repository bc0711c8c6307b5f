// quillon-labgen: writes a generated lab to standard output, either one large
// IS-IS router (for scale runs of one router) or a whole network of routers
// (for quillon serve and crawls).
#include <cstdio>
#include <exception>
#include <string>
#include <vector>

#include "LabgenCommandLine.h"
#include "NetworkLab.h"
#include "NetworkPlan.h"
#include "ScaleLab.h"

int main(int argc, char** argv) {
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    LabgenCommandLine commandLine;
    std::string error;
    if (!commandLine.Parse(arguments, error)) {
        std::fprintf(stderr, "quillon-labgen: %s\n%s", error.c_str(),
                     LabgenCommandLine::Usage().c_str());
        return 2;
    }
    std::string lab;
    try {
        if (commandLine.GetMode() == LabgenCommandLine::Mode::Router)
            lab = scale_lab::LabJson(scale_lab::MakeRouter(commandLine.Count()));
        else
            lab = NetworkLab::Json(NetworkPlan(commandLine.Count(), commandLine.Seed()));
    } catch (const std::exception& failure) {
        std::fprintf(stderr, "quillon-labgen: %s\n", failure.what());
        return 1;
    }
    if (std::fwrite(lab.data(), 1, lab.size(), stdout) != lab.size() || std::fflush(stdout) != 0) {
        std::perror("quillon-labgen");
        return 1;
    }
    return 0;
}
