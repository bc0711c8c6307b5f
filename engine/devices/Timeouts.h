// How long a live router may take, stage by stage. Every value is in
// milliseconds; the defaults are the documented ones.
#pragma once

struct Timeouts {
    int connectMs = 5000;  // TCP connection
    int loginMs = 15000;   // from connection to the first prompt (and enable)
    int commandMs = 30000; // one command, from sending it to the next prompt
    int routerMs = 300000; // everything for one router, walks included
};
