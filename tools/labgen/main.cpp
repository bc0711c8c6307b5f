// quillon-labgen K: writes a lab with one large IS-IS router (K interfaces,
// 4K adjacencies, K ifDescr rows, 10K LSPs) to standard output.
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "ScaleLab.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: quillon-labgen K   (K IS-IS interfaces, 1 to 100000)\n");
        return 2;
    }
    char* end = nullptr;
    errno = 0;
    const long k = std::strtol(argv[1], &end, 10);
    if (errno != 0 || end == argv[1] || *end != '\0' || k < 1 || k > 100000) {
        std::fprintf(stderr, "quillon-labgen: K must be a number from 1 to 100000, not '%s'\n",
                     argv[1]);
        return 2;
    }
    const std::string lab = scale_lab::LabJson(scale_lab::MakeRouter(static_cast<int>(k)));
    if (std::fwrite(lab.data(), 1, lab.size(), stdout) != lab.size() || std::fflush(stdout) != 0) {
        std::perror("quillon-labgen");
        return 1;
    }
    return 0;
}
