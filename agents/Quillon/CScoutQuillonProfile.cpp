#include "CScoutQuillonProfile.h"

const CScoutQuillonProfile& CScoutQuillonProfile::Classic() {
    static const CScoutQuillonProfile profile(Release::Classic);
    return profile;
}

const CScoutQuillonProfile& CScoutQuillonProfile::XE() {
    static const CScoutQuillonProfile profile(Release::XE);
    return profile;
}

CScoutQuillonProfile::CScoutQuillonProfile(Release release)
    : agentName(), agentDesc(), interfaceList(), clnsInterface(), clnsNeighbor(), isisNeighbor(),
      service(), transmitIntervals() {
    if (release == Release::Classic)
        ReadClassic();
    else
        ReadXE();
}

// ---------------------------------------------------------------------------
// IOS 12.x. These are the agent's original patterns, byte for byte.

void CScoutQuillonProfile::ReadClassic() {
    agentName = "Quillon";
    agentDesc = "Discovery Agent for Cisco ISIS device using Telnet";

    // The block of "show clns protocol" that lists the IS-IS interfaces:
    //   "  Interfaces supported by IS-IS:"
    //   "        Serial1/0 - OSI - IP"
    //   "        Ethernet0/0 - IP"
    interfaceList = {
        // "  Interfaces supported by IS-IS:"
        "Interfaces supported by IS-IS:[\n\r]",
        // "        Serial1/0 - OSI - IP" and the entries after it
        "([[:space:]]+([^[:space:]]+)([[:space:]]-[[:space:]](IP|OSI))*)+",
        // "        Serial1/0 - OSI - IP"
        "[[:space:]]+[^[:space:]]+([[:space:]]-[[:space:]](IP|OSI))+[\n\r]",
        // "Serial1/0", the first word of an entry
        "[^[:space:]]+",
    };

    // The section of one interface in "show clns interface", from its first
    // line to the circuit type line. The interface name goes in front of it
    // as it stands; kept as written: the name is neither escaped nor
    // anchored to a line start, so a "." in it matches any character and
    // "Ethernet0/0" also finds the section of "FastEthernet0/0".
    clnsInterface.section =
        // "FastEthernet0/0 is up, line protocol is up", from the blank after the name
        "[[:space:]]is[[:space:]]*(administratively)?[[:space:]]*(up|down),[[:space:]].*[\r\n]"
        // "  Checksums enabled, MTU 1497, Encapsulation SAP"
        "[[:space:]]+Checksums.*[\r\n]"
        // "  ERPDUs enabled, min. interval 10 msec."
        "[[:space:]]+ERPDUs.*[\r\n]"
        // "  RDPDUs enabled, min. interval 100 msec., Addr Mask enabled", if there
        "([[:space:]]+RDPDUs.*[\r\n])?"
        // "  Congestion Experienced bit set at 4 packets", if there
        "([[:space:]]+Congestion.*[\r\n])?"
        // "  CLNS fast switching enabled"
        "[[:space:]]+CLNS fast.*[\r\n]"
        // "  CLNS SSE switching disabled"
        "[[:space:]]+CLNS SSE.*[\r\n]"
        // "  DEC compatibility mode OFF for this interface"
        "[[:space:]]+DEC.*[\r\n]"
        // "  Next ESH/ISH in 8 seconds"
        "[[:space:]]+Next.*[\r\n]"
        // "  Routing Protocol: IS-IS"
        "[[:space:]]+Routing Protocol:[[:space:]]([A-Z-]+)[\r\n]"
        // "    Circuit Type: level-1-2", and the start of the line after it
        "[[:space:]]*Circuit Type:[[:space:]]([a-z0-9-]+)[\r\n].*";
    clnsInterface.protocolGroup = 5;
    clnsInterface.circuitTypeGroup = 6;
    // The Level-1 line and what follows it, up to an optional Level-2 line.
    clnsInterface.levels =
        // "    Level-1 Metric: 10, Priority: 64, Circuit ID: r1.01"
        "[[:space:]]*(Level-1)[[:space:]]Metric:[[:space:]]([0-9]+),[[:space:]]Priority:[[:space:]]"
        "([0-9]+),[[:space:]]Circuit ID:[[:space:]]([a-z0-9\\-._]+)[\r\n]"
        // "    DR ID: r1.01", if there
        "([[:space:]]*DR ID:.*[\r\n])?"
        // "    Level-1 IPv6 Metric: 10", if there
        "([[:space:]]*Level-1 IPv6 Metric:.*[\r\n])?"
        // "    Number of active level-1 adjacencies: 1"
        "[[:space:]]*Number of active level-1 adjacencies:.*[\r\n]"
        // "    Level-2 Metric: 10, Priority: 64, Circuit ID: r1.01", if there
        "([[:space:]]*(Level-2)[[:space:]]Metric:[[:space:]]([0-9]+),[[:space:]]Priority:[[:space:]"
        "]"
        "([0-9]+),[[:space:]]Circuit ID:[[:space:]]([a-z0-9\\-._]+)[\r\n])?";
    clnsInterface.level2Base = 7;

    // One neighbour block of "show clns is-neighbors detail", piece by piece.
    clnsNeighbor.block =
        // The summary row: system id (1), interface (2), the state column, the
        // type column (3), the rest of the row and the start of the next line.
        // "r3             Et0/0       Up     L1   64/64     r3.01              Phase V"
        // Kept as written: the state class [A-za-z] runs from capital A to
        // small z, so it also takes the six characters [ \ ] ^ _ ` that lie
        // between them.
        "([a-zA-Z0-9_.\\-]+)[[:space:]]+([A-Za-z0-9\\/:]+)[[:space:]]+"
        "[A-za-z]+[[:space:]]+([a-zA-Z0-9]+).*[\r\n].*"
        // The single area address (4).
        // "  Area Address(es): 49.0001"
        "[[:space:]]+Area Address\\(es\\):[[:space:]]+([0-9.]+)[\r\n]"
        // The single IP address (5), directly followed by an asterisk.
        // "  IP Address(es):  10.0.12.3*"
        "[[:space:]]+IP Address\\(es\\):[[:space:]]+([0-9.]+)\\*[\r\n]"
        // The uptime line, required.
        // "  Uptime: 00:05:17"
        "[[:space:]]+Uptime:.*[\r\n]"
        // An optional graceful-restart line (6, not read).
        // "  NSF capable"
        "([[:space:]]+NSF capable[\r\n])?";
    clnsNeighbor.slots = 8;
    clnsNeighbor.groups = {1, 2, 3, 4, 5};

    // The column header above the neighbour table; traced with the pattern,
    // never matched. Kept as written: the router spaces its columns wider:
    // "System Id      Type Interface   IP Address      State Holdtime Circuit Id"
    isisNeighbor.header =
        "System Id      Type Interface IP Address      State Holdtime Circuit Id[\r\n]";
    // A neighbour of "show isis neighbors detail" with its area line and its
    // SNPA line. Group 1 is the interface number, group 2 the SNPA word.
    isisNeighbor.neighbor =
        // "r2             L1   Se0/0       10.1.2.2        UP    27       01"
        // Kept as written: only an L1 neighbour in state UP on circuit id 01
        // matches; L2 and L1L2 rows, other states and LAN circuit ids never do.
        // The system id column is not anchored either, so only its tail counts.
        "[[:space:]]*[a-z0-9_]+[[:space:]]+L1[[:space:]]+[A-Za-z]+([0-9/:]+)[[:space:]]+[0-9.]+"
        "[[:space:]]+UP[[:space:]]+[0-9]+[[:space:]]+01[\r\n]"
        // "  Area Address(es): 49.0001"
        "[[:space:]]+Area.*:[[:space:]]+[0-9.]+[\r\n]"
        // "  SNPA: *HDLC*  ", and the start of the line after it
        "[[:space:]]+SNPA:[[:space:]]+\\*([A-Z]+)\\*[[:space:]]+[\r\n].*";
    isisNeighbor.slots = 3;
    isisNeighbor.interfaceNumberGroup = 1;
    isisNeighbor.snpaGroup = 2;

    // "show clns protocol": the IS-IS router heading with its tag (1), the
    // system id (2), exactly one manual area, and the first routing area (3).
    service.serviceId =
        // "IS-IS Router: <Null Tag>", after the anchor
        "[[:space:]]+<([A-Za-z ]+)>[\r\n]"
        // "  System Id: 1921.6800.1001.00  IS-Type: level-1-2"
        "[[:space:]]+System "
        "Id:[[:space:]]+([0-9.]+)[[:space:]]+IS-Type:[[:space:]]*[a-z0-9-]+[\r\n]"
        // "  Manual area address(es): "
        "[[:space:]]+Manual area address\\(es\\):[[:space:]]*[\r\n]"
        // "        49.0001"
        "[[:space:]]+[0-9.]+[\r\n]"
        // "  Routing for area address(es): "
        "[[:space:]]+Routing for area address\\(es\\):[[:space:]]*[\r\n]"
        // "        49.0001", and the start of the line after it
        "[[:space:]]+([0-9.]+)[\r\n].*";
    service.serviceIdSlots = 4;
    service.tagGroup = 1;
    service.systemIdGroup = 2;
    service.areaGroup = 3;
    service.tagWithoutBrackets = false;
    // "show clns": a run of digits and dots alone at a line end (1), anywhere
    // after the anchor.
    // "  NET: 49.0001.1921.6800.1001.00"
    // Kept as written: every such run is taken, the last one wins, so a
    // "  Configuration Timer: 60, Default Holding Timer: 300, Packet Lifetime 64"
    // line after the NET line leaves "64" as the NET address.
    service.netAddr = "[[:space:]]+([0-9.]+)[\r\n]";
    service.netAddrSlots = 2;
    // "show isis hostname": the system id column and the host name (1).
    // "     * 0000.0000.0001 r1", after the anchor
    service.hostname = "[[:space:]]+[0-9.]+[[:space:]]+([a-z0-9_]+)[\r\n]";
    service.hostnameSlots = 2;
    service.hostnameGroup = 1;
    // Two consecutive own LSP lines of the database: pseudo-node id (1) and
    // OL digit (2) of the first, from the dot after the host name;
    // pseudo-node id (3) and OL digit (4) of the second.
    service.dis =
        // "r1.00-00            * 0x00000005   0x1A2B        1023              0/0/0", from the dot
        "\\.([0-9]+)-[0-9]+[[:space:]]+\\*[[:space:]]+[A-Z0-9x]+[[:space:]]+[A-Z0-9x]+[[:space:]]+"
        "[0-9]+[[:space:]]+[0-1]\\/[0-1]\\/([0-1])[\r\n]"
        // "r1.01-00            * 0x00000002   0x3C4D        1100              0/0/0", and the
        // start of the line after it
        "[[:space:]]*[a-z0-9_]+\\.([0-9]+)-[0-9]+[[:space:]]+\\*[[:space:]]+[A-Z0-9x]+[[:space:]]+"
        "[A-Z0-9x]+[[:space:]]+[0-9]+[[:space:]]+[0-1]\\/[0-1]\\/([0-1])[\r\n].*";
    service.disSlots = 5;
    service.disGroups = {1, 2, 3, 4};
    service.hexPseudoNodeIds = false;
    // A database section: its level word (1), the column heading, the LSP id
    // of its first row (2) and that row's own-LSP asterisk (3).
    service.pseudoNode =
        // "IS-IS Level-1 Link State Database:", after the anchor
        "[[:space:]]+([A-Za-z0-9-]+)[[:space:]]+Link State Database:[\r\n]"
        // "LSPID                 LSP Seq Num  LSP Checksum  LSP Holdtime      ATT/P/OL"
        "[[:space:]]*LSPID[[:space:]]+LSP Seq Num[[:space:]]+LSP Checksum[[:space:]]+LSP "
        "Holdtime[[:space:]]+ATT\\/P\\/OL[\r\n]"
        // "r1.01-00"
        "[[:space:]]*([a-zA-Z0-9._\\-]+)"
        // "            * 0x00000003   0xA0F1        1140              0/0/0", the rest of that
        // row, and the start of the line after it
        "[[:space:]]*(\\*)?.*[\r\n].*";

    // The block of one interface in "show run", after its "interface" line:
    // "interface FastEthernet0/0". Kept as written: the block matches only
    // with these lines in this order and no other non-blank line between them.
    transmitIntervals.fixedBlock =
        // the end of the "interface" line
        "[\r\n]"
        // " ip address 10.1.1.1 255.255.255.0"
        "[[:space:]]+ip address [0-9.]+ [0-9.]+[\r\n]"
        // " no ip directed-broadcast"
        "[[:space:]]+no ip directed-broadcast[\r\n]"
        // " ip router isis "
        "[[:space:]]+ip router isis[[:space:]]*[\r\n]"
        // " ip pim sparse-mode"
        "[[:space:]]+ip pim sparse-mode[\r\n]"
        // " isis csnp-interval 10 level-1"
        "[[:space:]]+isis csnp-interval ([0-9]+)[[:space:]]([a-z0-9-]+)[\r\n]"
        // " isis lsp-interval 33"
        "[[:space:]]+isis lsp-interval ([0-9]+)[\r\n]";
    transmitIntervals.anyOrder = false;
}

// ---------------------------------------------------------------------------
// IOS-XE 16.x and 17.x. Each piece reads the line above it; what IOS-XE
// prints as IOS 12.x did is read by the same piece as there. Columns of one
// table row are separated by blanks only ([ \t]), so a row never spans lines.

void CScoutQuillonProfile::ReadXE() {
    agentName = "QuillonXE";
    agentDesc = "Discovery Agent for Cisco IOS-XE ISIS device using Telnet";

    // "  Interfaces supported by IS-IS:"
    //   "    GigabitEthernet4 - IP - IPv6"
    //   "    Loopback0 - IPv6"
    interfaceList = {
        // "  Interfaces supported by IS-IS:"
        "Interfaces supported by IS-IS:[\n\r]",
        // "    GigabitEthernet4 - IP - IPv6" and the entries after it
        "([[:space:]]+([^[:space:]]+)([[:space:]]-[[:space:]](IPv6|IP|OSI))*)+",
        // "    Loopback0 - IPv6"
        "[[:space:]]+[^[:space:]]+([[:space:]]-[[:space:]](IPv6|IP|OSI))+[\n\r]",
        // "GigabitEthernet4", the first word of an entry
        "[^[:space:]]+",
    };

    clnsInterface.section =
        // "GigabitEthernet2 is up, line protocol is up", from the blank after the name
        "[[:space:]]is[[:space:]]*(administratively)?[[:space:]]*(up|down),[[:space:]].*[\r\n]"
        // "  Checksums enabled, MTU 1497, Encapsulation SAP"
        "[[:space:]]+Checksums.*[\r\n]"
        // "  ERPDUs enabled, min. interval 10 msec."
        "[[:space:]]+ERPDUs.*[\r\n]"
        // "  RDPDUs enabled, min. interval 100 msec., Addr Mask enabled", if there
        "([[:space:]]+RDPDUs.*[\r\n])?"
        // "  Congestion Experienced bit set at 4 packets", if there
        "([[:space:]]+Congestion.*[\r\n])?"
        // "  CLNS fast switching enabled"
        "[[:space:]]+CLNS fast.*[\r\n]"
        // "  CLNS SSE switching disabled"
        "[[:space:]]+CLNS SSE.*[\r\n]"
        // "  DEC compatibility mode OFF for this interface"
        "[[:space:]]+DEC.*[\r\n]"
        // "  Next ESH/ISH in 20 seconds"
        "[[:space:]]+Next.*[\r\n]"
        // "  Routing Protocol: IS-IS (test)": the protocol (5) and the tag (6), if there
        "[[:space:]]+Routing Protocol:[[:space:]]([A-Z-]+)([ \t]+\\([^)\r\n]*\\))?[ \t]*[\r\n]"
        // "    Circuit Type: level-1-2" (7), and the start of the line after it
        "[[:space:]]*Circuit Type:[[:space:]]([a-z0-9-]+)[ \t]*[\r\n].*";
    clnsInterface.protocolGroup = 5;
    clnsInterface.circuitTypeGroup = 7;
    clnsInterface.levels =
        // "    Level-1 Metric: 10, Priority: 64, Circuit ID: R2.01"
        "[[:space:]]*(Level-1)[[:space:]]Metric:[[:space:]]([0-9]+),[[:space:]]Priority:[[:space:]]"
        "([0-9]+),[[:space:]]Circuit ID:[[:space:]]([A-Za-z0-9\\-._]+)[ \t]*[\r\n]"
        // "    DR ID: R2.01", if there
        "([[:space:]]*DR ID:.*[\r\n])?"
        // "    Level-1 IPv6 Metric: 10", if there
        "([[:space:]]*Level-1 IPv6 Metric:.*[\r\n])?"
        // "    Number of active level-1 adjacencies: 1"
        "[[:space:]]*Number of active level-1 adjacencies:.*[\r\n]"
        // "    Level-2 Metric: 10, Priority: 64, Circuit ID: R2.01", if there
        "([[:space:]]*(Level-2)[[:space:]]Metric:[[:space:]]([0-9]+),[[:space:]]Priority:[[:space:]"
        "]"
        "([0-9]+),[[:space:]]Circuit ID:[[:space:]]([A-Za-z0-9\\-._]+)[ \t]*[\r\n])?";
    clnsInterface.level2Base = 7;

    clnsNeighbor.block =
        // The summary row, on one line: system id (1), interface (2), state,
        // type (3) and the rest of the row.
        // "R2_xr           Gi2.115       Up     L1L2 64/64     R1_xe.01           Phase V"
        // "2222.22ff.4444  Gi2.415       Init   L1L2 128/128    2222.22ff.4444.01  Phase V"
        // "R7              Gi4           Up     Level-1/2 64   R2.01              Phase V"
        "([A-Za-z0-9_.\\-]+)[ \t]+([A-Za-z0-9\\/:.\\-]+)[ \t]+[A-Za-z]+[ \t]+([A-Za-z0-9/\\-]+)"
        "[^\r\n]*[\r\n]+"
        // The first area address (4), and any after it (5).
        // "  Area Address(es): 49.0002"
        "[ \t]*Area Address\\(es\\):[ \t]+([0-9A-Fa-f.]+)([ \t][^\r\n]*)?[\r\n]+"
        // The first IP address (6), and any after it (7).
        // "  IP Address(es):  10.229.7.7*"
        "[ \t]*IP Address\\(es\\):[ \t]+([0-9.]+)\\*?([ \t][^\r\n]*)?[\r\n]+"
        // "  IPv6 Address(es): FE80::5C00:C0FF:FEFF:60D", if there (8, not read)
        "([ \t]*IPv6 Address\\(es\\):[^\r\n]*[\r\n]+)?"
        // "  Uptime: 3d04h"
        "[ \t]*Uptime:[^\r\n]*[\r\n]+"
        // "  NSF capable", if there (9, not read)
        "([ \t]*NSF capable[ \t]*[\r\n]+)?";
    clnsNeighbor.slots = 10;
    clnsNeighbor.groups = {1, 2, 3, 4, 6};

    // "System Id       Type Interface     IP Address      State Holdtime Circuit Id"
    isisNeighbor.header =
        "System Id       Type Interface     IP Address      State Holdtime Circuit Id[\r\n]";
    isisNeighbor.neighbor =
        // From the type column on: the type (1), the interface number (2), an
        // IP address if there, any state, hold time and circuit id.
        // "R3              L1   Et0/2         13.1.1.2        UP    23       Circuit3.01"
        // "7600              L1   Et0/1                       INIT    24       rudy.105 "
        // "                L1L2 Twe1/0/2      20.20.22.2      DOWN    24       0B"
        // "R4              Level-1/2 Gi0/1   10.1.4.4        UP    25       R4.02"
        "[ \t](L1L2|L1|L2|Level-1/2|Level-1|Level-2)[ \t]+[A-Za-z]+([0-9/:.]+)"
        "[ \t]+[0-9.]*[ \t]+[A-Za-z]+[ \t]+[0-9]+[ \t]+[A-Za-z0-9._\\-]+[ \t]*[\r\n]+"
        // "  Area Address(es): 50.1234 49.1234"
        "[ \t]*Area Address\\(es\\):[^\r\n]*[\r\n]+"
        // "  SNPA: aabb.cc00.9d20  " or "  SNPA: *HDLC*": the address or the word (3)
        "[ \t]*SNPA:[ \t]+\\*?([A-Za-z0-9.]+)\\*?[ \t]*[\r\n]";
    isisNeighbor.slots = 4;
    isisNeighbor.interfaceNumberGroup = 2;
    isisNeighbor.snpaGroup = 3;

    service.serviceId =
        // The tag (1) with the instance number (2), if there, after the anchor:
        // "IS-IS Router: VRF1 (0x10001)", "IS-IS Router: <Null Tag> (0x10000)",
        // "IS-IS Router: test"
        "[ \t]+(<[A-Za-z ]+>|[^[:space:]<>()]+)([ \t]+\\(0x[0-9A-Fa-f]+\\))?[ \t]*[\r\n]+"
        // "  System Id: 2222.22ff.4444.00  IS-Type: level-1-2" (3)
        "[ \t]*System Id:[ \t]+([0-9A-Fa-f.]+)[ \t]+IS-Type:[ \t]*[a-z0-9-]+[ \t]*[\r\n]+"
        // "  Manual area address(es):"
        "[ \t]*Manual area address\\(es\\):[ \t]*[\r\n]+"
        // "        49.0001", one line per area (4)
        "([ \t]*[0-9A-Fa-f.]+[ \t]*[\r\n]+)+"
        // "  Routing for area address(es):"
        "[ \t]*Routing for area address\\(es\\):[ \t]*[\r\n]+"
        // "        49.0001", the first one (5)
        "[ \t]*([0-9A-Fa-f.]+)[ \t]*[\r\n]";
    service.serviceIdSlots = 6;
    service.tagGroup = 1;
    service.systemIdGroup = 3;
    service.areaGroup = 5;
    service.tagWithoutBrackets = true;
    // "  NET: 49.0001.0000.0000.0001.00" (1), from the anchor, wherever the
    // line stands in "show clns"
    service.netAddr = "NET:[ \t]+([0-9A-Fa-f]+(\\.[0-9A-Fa-f]+)+)";
    service.netAddrSlots = 3;
    // "     * 2222.22ff.4444 R2": the host name (2) of an own row
    service.hostname = "\\*[ \t]+[0-9A-Fa-f]+(\\.[0-9A-Fa-f]+)+[ \t]+([A-Za-z0-9_.\\-]+)";
    service.hostnameSlots = 3;
    service.hostnameGroup = 2;
    service.dis =
        // "R1.00-00            * 0x000005A8   0xCD13                 489/*         0/0/0",
        // from the dot: pseudo-node id (1) and OL digit (2)
        "\\.([0-9A-Fa-f]+)-[0-9A-Fa-f]+[ \t]+\\*[ \t]+[A-Za-z0-9x]+[ \t]+[A-Za-z0-9x]+[ \t]+"
        "[0-9]+[/*0-9]*[ \t]+[0-1]\\/[0-1]\\/([0-1])[ \t]*[\r\n]+"
        // "R1.01-00            * 0x00000002   0x3C4D                1100/*         0/0/0", if
        // there (3): pseudo-node id (4) and OL digit (5)
        "([ \t]*[A-Za-z0-9_.\\-]+\\.([0-9A-Fa-f]+)-[0-9A-Fa-f]+[ \t]+\\*[ \t]+[A-Za-z0-9x]+[ \t]+"
        "[A-Za-z0-9x]+[ \t]+[0-9]+[/*0-9]*[ \t]+[0-1]\\/[0-1]\\/([0-1])[ \t]*[\r\n])?";
    service.disSlots = 6;
    service.disGroups = {1, 2, 4, 5};
    service.hexPseudoNodeIds = true;
    service.pseudoNode =
        // "IS-IS Level-1 Link State Database:" (1), after the anchor
        "[[:space:]]+([A-Za-z0-9-]+)[[:space:]]+Link State Database:[ \t]*[\r\n]+"
        // "LSPID                 LSP Seq Num  LSP Checksum  LSP Holdtime/Rcvd      ATT/P/OL"
        "[ \t]*LSPID[ \t]+LSP Seq Num[ \t]+LSP Checksum[ \t]+LSP Holdtime[/A-Za-z]*[ \t]+"
        "ATT\\/P\\/OL[ \t]*[\r\n]+"
        // "R1.01-00" (2)
        "[ \t]*([a-zA-Z0-9._\\-]+)"
        // "            * 0x0000075F   0xDDD3                 530/*         0/0/0": the
        // own-LSP asterisk (3), if there, and the rest of that row
        "[ \t]*(\\*)?[^\r\n]*";

    transmitIntervals.fixedBlock = nullptr;
    transmitIntervals.anyOrder = true;
    // The lines of the block that follow "interface GigabitEthernet2", each
    // starting with a blank: " ip router isis test" (1)
    transmitIntervals.block = "[ \t]*[\r\n]+(([ \t][^\r\n]*[\r\n]+)*)";
    // " isis csnp-interval 15 level-2": the interval (1) and its level (2)
    transmitIntervals.csnpInterval = "isis csnp-interval[ \t]+([0-9]+)[ \t]+(level-[12])";
    // " isis lsp-interval 50" (1)
    transmitIntervals.lspInterval = "isis lsp-interval[ \t]+([0-9]+)";
}
