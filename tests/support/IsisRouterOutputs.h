// What an IOS router running IS-IS on Ethernet0/0 (a LAN with three
// neighbours, where it is the designated IS) and Serial1/0 (a point-to-point
// link) answers to the commands the agent runs. The router's host name is r1.
#pragma once

#include <string>

#include "HostFixture.h"

namespace isis_router {

inline const char* const kShowClnsProtocol = "IS-IS Router: <Null Tag>\n"
                                             "  System Id: 0000.0000.0001.00  IS-Type: level-1-2\n"
                                             "  Manual area address(es):\n"
                                             "        49.0001\n"
                                             "  Routing for area address(es):\n"
                                             "        49.0001\n"
                                             "  Interfaces supported by IS-IS:\n"
                                             "        Serial1/0 - OSI - IP\n"
                                             "        Ethernet0/0 - OSI - IP\n"
                                             "  Redistribute:\n"
                                             "    static (on by default)\n"
                                             "  Distance for L2 CLNS routes: 110\n"
                                             "  RRR level: none\n"
                                             "  Generate narrow metrics: level-1-2\n"
                                             "  Accept narrow metrics:   level-1-2\n"
                                             "  Generate wide metrics:   none\n"
                                             "  Accept wide metrics:     none\n";

inline const char* const kShowClnsInterface =
    "Ethernet0/0 is up, line protocol is up\n"
    "  Checksums enabled, MTU 1497, Encapsulation SAP\n"
    "  ERPDUs enabled, min. interval 10 msec.\n"
    "  RDPDUs enabled, min. interval 100 msec., Addr Mask enabled\n"
    "  Congestion Experienced bit set at 4 packets\n"
    "  CLNS fast switching enabled\n"
    "  CLNS SSE switching disabled\n"
    "  DEC compatibility mode OFF for this interface\n"
    "  Next ESH/ISH in 47 seconds\n"
    "  Routing Protocol: IS-IS\n"
    "    Circuit Type: level-1-2\n"
    "    Interface number 0x0, local circuit ID 0x1\n"
    "    Level-1 Metric: 10, Priority: 64, Circuit ID: r1.01\n"
    "    DR ID: r1.01\n"
    "    Level-1 IPv6 Metric: 10\n"
    "    Number of active level-1 adjacencies: 2\n"
    "    Level-2 Metric: 10, Priority: 64, Circuit ID: r1.01\n"
    "    DR ID: r1.01\n"
    "    Level-2 IPv6 Metric: 10\n"
    "    Number of active level-2 adjacencies: 2\n"
    "    Next IS-IS LAN Level-1 Hello in 1 seconds\n"
    "    Next IS-IS LAN Level-2 Hello in 1 seconds\n"
    "Serial1/0 is up, line protocol is up\n"
    "  Checksums enabled, MTU 1500, Encapsulation HDLC\n"
    "  ERPDUs enabled, min. interval 10 msec.\n"
    "  CLNS fast switching enabled\n"
    "  CLNS SSE switching disabled\n"
    "  DEC compatibility mode OFF for this interface\n"
    "  Next ESH/ISH in 31 seconds\n"
    "  Routing Protocol: IS-IS\n"
    "    Circuit Type: level-1-2\n"
    "    Interface number 0x1, local circuit ID 0x100\n"
    "    Level-1 Metric: 20, Priority: 64, Circuit ID: r5.00\n"
    "    Level-1 IPv6 Metric: 20\n"
    "    Number of active level-1 adjacencies: 1\n"
    "    Level-2 Metric: 30, Priority: 64, Circuit ID: r5.00\n"
    "    Level-2 IPv6 Metric: 30\n"
    "    Number of active level-2 adjacencies: 1\n"
    "    Next IS-IS Hello in 5 seconds\n"
    "    if state UP\n";

inline const char* const kShowRun = "Building configuration...\n"
                                    "\n"
                                    "Current configuration : 1042 bytes\n"
                                    "!\n"
                                    "version 12.2\n"
                                    "hostname r1\n"
                                    "!\n"
                                    "interface Ethernet0/0\n"
                                    " ip address 10.0.12.1 255.255.255.0\n"
                                    " no ip directed-broadcast\n"
                                    " ip router isis \n"
                                    " ip pim sparse-mode\n"
                                    " isis csnp-interval 10 level-1\n"
                                    " isis lsp-interval 33\n"
                                    "!\n"
                                    "interface Serial1/0\n"
                                    " ip address 10.0.15.1 255.255.255.252\n"
                                    " no ip directed-broadcast\n"
                                    " ip router isis\n"
                                    " ip pim sparse-mode\n"
                                    " isis csnp-interval 20 level-2\n"
                                    " isis lsp-interval 50\n"
                                    "!\n"
                                    "router isis\n"
                                    " net 49.0001.0000.0000.0001.00\n"
                                    "!\n"
                                    "end\n";

inline const char* const kShowIsisNeighborsDetail =
    "System Id      Type Interface   IP Address      State Holdtime Circuit Id\n"
    "r5             L1   Se1/0       10.0.15.2       UP    28       01\n"
    "  Area Address(es): 49.0001\n"
    "  SNPA: *HDLC*  \n"
    "  State Changed: 00:10:11\n"
    "  LAN Priority: 64\n";

inline const char* const kShowClnsIsNeighborsDetail =
    "System Id      Interface   State  Type Priority  Circuit Id         Format\n"
    "r2             Et0/0       Up     L1L2 64/64     r1.01              Phase V\n"
    "  Area Address(es): 49.0001\n"
    "  IP Address(es):  10.0.12.2*\n"
    "  Uptime: 00:15:21\n"
    "  NSF capable\n"
    "r3             Et0/0       Up     L1   64        r1.01              Phase V\n"
    "  Area Address(es): 49.0001\n"
    "  IP Address(es):  10.0.12.3*\n"
    "  Uptime: 00:15:10\n"
    "r4             Et0/0       Up     L2   64        r1.01              Phase V\n"
    "  Area Address(es): 49.0002\n"
    "  IP Address(es):  10.0.12.4*\n"
    "  Uptime: 00:14:59\n";

inline const char* const kShowClns =
    "Global CLNS Information:\n"
    "  2 Interfaces Enabled for CLNS\n"
    "  NET: 49.0001.0000.0000.0001.00\n"
    "  ERPDU's requested on locally generated packets\n"
    "  Intermediate system operation enabled (forwarding allowed)\n";

inline const char* const kShowIsisHostname = "     * 0000.0000.0001 r1\n";

inline const char* const kShowIsisDatabaseOwn =
    "r1.00-00            * 0x00000005   0x1A2B        1023              0/0/0\n"
    "r1.01-00            * 0x00000002   0x3C4D        1100              0/0/0\n"
    "r1.00-00            * 0x00000006   0x5E6F        1050              0/0/0\n";

inline const char* const kShowIsisDatabase =
    "\n"
    "IS-IS Level-1 Link State Database:\n"
    "LSPID                 LSP Seq Num  LSP Checksum  LSP Holdtime      ATT/P/OL\n"
    "r1.00-00            * 0x00000005   0x1A2B        1023              0/0/0\n"
    "r1.01-00            * 0x00000002   0x3C4D        1100              0/0/0\n"
    "r2.00-00              0x00000004   0x7A8B        900               0/0/0\n"
    "IS-IS Level-2 Link State Database:\n"
    "LSPID                 LSP Seq Num  LSP Checksum  LSP Holdtime      ATT/P/OL\n"
    "r1.00-00            * 0x00000006   0x5E6F        1050              0/0/0\n"
    "r4.00-00              0x00000003   0x9ABC        880               0/0/0\n";

// The five commands of the service batch, in the order the agent runs them.
inline const char* const kServiceCommands[] = {
    "show clns protocol", "show clns", "show isis hostname | include \\*",
    "show isis database | include \\*", "show isis database"};

// Gives the router every answer above.
inline quillon_test::LabRouter& AnswerEverything(quillon_test::LabRouter& router) {
    router.Answer("show clns protocol", kShowClnsProtocol)
        .Answer("show clns interface", kShowClnsInterface)
        .Answer("show run", kShowRun)
        .Answer("show isis neighbors detail", kShowIsisNeighborsDetail)
        .Answer("show clns is-neighbors detail", kShowClnsIsNeighborsDetail)
        .Answer("show clns", kShowClns)
        .Answer("show isis hostname | include \\*", kShowIsisHostname)
        .Answer("show isis database | include \\*", kShowIsisDatabaseOwn)
        .Answer("show isis database", kShowIsisDatabase);
    return router;
}

// The ifDescr column of that router.
inline quillon_test::LabRouter& WithIfDescr(quillon_test::LabRouter& router) {
    return router.IfDescr({{1, "Ethernet0/0"}, {2, "Serial1/0"}, {3, "Null0"}, {4, "Loopback0"}});
}

} // namespace isis_router
