// `quillon serve`: every device of the labs as a live IOS router, telnet (or,
// with --ssh, SSH) on A:P, A:P+1, ... and SNMP (through snmpsimd) on the same numbers over UDP;
// a device's own loopback addresses on port P too. Prints one line when
// ready and serves until SIGINT or SIGTERM.
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "LabLoader.h"
#include "ServedRouter.h"

class QuillonCommandLine;

class ServeCommand {
public:
    // The routers the lab devices make, in lab order.
    static std::vector<ServedRouter> Routers(const std::vector<LabLoader::Device>& devices);

    // Serves until a signal asks to stop. Returns the program's exit status;
    // on failure `err` holds one line.
    static int Run(const QuillonCommandLine& commandLine, const LabLoader& labs, std::ostream& out,
                   std::ostream& err);
};
