// What the collectors read router output with: the pattern texts, the groups
// the values sit in and the few parsing rules that differ between the IOS
// releases the agent knows. The classic profile reads IOS 12.x output exactly
// as the agent always has; the XE profile reads what IOS-XE 16.x and 17.x
// print. Both are built once and never change.
#pragma once

#include <array>
#include <string>

class CScoutQuillonProfile {
public:
    // IOS 12.x, with every quirk of the original patterns.
    static const CScoutQuillonProfile& Classic();
    // IOS-XE 16.x and 17.x.
    static const CScoutQuillonProfile& XE();

    CScoutQuillonProfile(const CScoutQuillonProfile&) = delete;
    CScoutQuillonProfile& operator=(const CScoutQuillonProfile&) = delete;

    // The agent's name and description as the host shows them.
    const char* agentName;
    const char* agentDesc;

    // "show clns protocol": the interface list block.
    struct InterfaceList {
        const char* tag;   // the tag line
        const char* list;  // the entries after it
        const char* entry; // one entry
        const char* name;  // the name in an entry
    } interfaceList;

    // "show clns interface": the section after the interface name, and the
    // level lines. Level-1 values are groups 1 to 4 of the level pattern; the
    // Level-2 values the same plus level2Base.
    struct ClnsInterface {
        const char* section;
        int protocolGroup;
        int circuitTypeGroup;
        const char* levels;
        int level2Base;
    } clnsInterface;

    // "show clns is-neighbors detail": one neighbour block, and the groups of
    // its system id, interface, type, area and IP address.
    struct ClnsNeighbor {
        std::string block;
        int slots;
        std::array<int, 5> groups;
    } clnsNeighbor;

    // "show isis neighbors detail": one neighbour with its SNPA.
    struct IsisNeighbor {
        const char* header; // traced, never matched
        const char* neighbor;
        int slots;
        int interfaceNumberGroup;
        int snpaGroup;
    } isisNeighbor;

    // The service batch: one pattern per step, each read from its anchor.
    struct Service {
        std::string serviceId;
        int serviceIdSlots;
        int tagGroup;
        int systemIdGroup;
        int areaGroup;
        // A tag printed as "<Null Tag>" is kept without its angle brackets.
        bool tagWithoutBrackets;
        std::string netAddr; // the NET in group 1
        int netAddrSlots;
        std::string hostname;
        int hostnameSlots;
        int hostnameGroup;
        // Two own LSP rows: pseudo-node id and OL digit of the first, then of
        // the second.
        std::string dis;
        int disSlots;
        std::array<int, 4> disGroups;
        // Pseudo-node ids of LSP ids read in hexadecimal, not in decimal.
        bool hexPseudoNodeIds;
        // Level word, LSP id and own-LSP asterisk in groups 1 to 3.
        std::string pseudoNode;
    } service;

    // "show run": the interval commands of one interface block.
    struct TransmitIntervals {
        // The commands in a fixed order after the "interface" line (groups:
        // CSNP interval, its level, LSP interval).
        const char* fixedBlock;
        // Otherwise: the block itself (group 1), then each command anywhere
        // in it.
        bool anyOrder;
        const char* block;
        const char* csnpInterval; // interval (1), level (2)
        const char* lspInterval;  // interval (1)
    } transmitIntervals;

private:
    enum class Release { Classic, XE };
    explicit CScoutQuillonProfile(Release release);
    void ReadClassic();
    void ReadXE();
};
