// The hosts of a parsed inventory and the variables each one sees, as
// Ansible's YAML inventories define them:
//  - the document is a mapping of groups; `all` is the root and every other
//    top-level group is a child of it;
//  - a group is a mapping with `hosts` (host name: its variables or
//    nothing), `children` (group name: its own mapping or nothing) and
//    `vars`; a group named in several places is one group, its hosts,
//    children and vars gathered from all of them;
//  - a host in several groups is listed once, where it is first met: walking
//    depth-first from the top, a group's hosts before its children's;
//  - a host sees all: vars, then the vars of every group it is in (directly
//    or through children), deeper groups over shallower ones (a group's depth
//    is its longest path from all), the group met later over the one met
//    earlier at equal depth, and its own variables over everything; where it
//    is given variables in several places, the later place wins.
// Keys given twice in one mapping, groups that contain themselves and
// anything not of that shape are errors.
#pragma once

#include <cstddef>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include <yaml-cpp/yaml.h>

#include "InventoryVariables.h"

class InventoryTree {
public:
    struct Host {
        std::string name;
        InventoryVariables variables;
    };

    // Walks the document; a null or undefined one lists nothing. Throws
    // InventoryError.
    explicit InventoryTree(const YAML::Node& document);

    // Every host, in the order first met.
    const std::vector<Host>& Hosts() const { return m_Hosts; }
    // The layers of all: vars alone.
    const InventoryVariables& AllVariables() const { return m_AllVariables; }

private:
    // Deeper nesting of groups is refused: no inventory needs it, and it
    // keeps the walk's recursion short.
    static constexpr int kMostNesting = 100;

    struct Group {
        std::string name;
        std::vector<YAML::Node> sections; // its mappings already walked
        std::vector<YAML::Node> vars;     // its vars: mappings, in the order met
        std::vector<std::pair<std::size_t, YAML::Mark>> parents; // and where each lists it
        int depth = 0;
    };
    struct Member {
        std::string name;
        std::vector<std::size_t> groups; // the groups that list it
        std::vector<YAML::Node> vars;    // its own variables, in the order met
    };

    std::size_t GroupNamed(const std::string& name);
    void AddChild(std::size_t parent, std::size_t child, const YAML::Mark& mark);
    void WalkGroup(std::size_t group, const YAML::Node& section, int nesting);
    void WalkHosts(std::size_t group, const YAML::Node& hosts);
    void WalkChildren(std::size_t group, const YAML::Node& children, int nesting);
    void WalkVars(std::size_t group, const YAML::Node& vars);
    // Sets every group's depth; throws when a group contains itself.
    void Rank();
    // Stacks the variables each host sees.
    void Stack();

    std::vector<Group> m_Groups; // all first
    std::map<std::string, std::size_t> m_GroupIndex;
    std::vector<Member> m_Members;
    std::map<std::string, std::size_t> m_MemberIndex;
    std::vector<Host> m_Hosts;
    InventoryVariables m_AllVariables;
};
