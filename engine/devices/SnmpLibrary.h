// net-snmp's process-wide state: set up once, silenced, and guarded.
//
// The library keeps request ids, statistics, the SNMPv3 user table and the
// engine time cache in globals without locks of its own (the Debian build is
// not reentrant). Every call into it holds Lock(). Waiting for a router
// happens outside it, so walks of different routers overlap; the one wait
// inside is a session's SNMPv3 engine discovery, which the library does
// within its first send: a silent SNMPv3 router holds the lock for up to
// timeout x (retries + 1) once, and the other walks wait for it.
#pragma once

#include <mutex>

class SnmpLibrary {
public:
    // Sets the library up on first use, from whichever thread comes first:
    // no configuration or persistent files read or written, no MIB files
    // parsed, and every log message of the library dropped, so nothing of it
    // reaches stderr.
    static void Init();

    // Held around every call into the library.
    static std::mutex& Lock();
};
