#include "InventoryTree.h"

#include <algorithm>
#include <deque>
#include <set>

#include "InventoryError.h"
#include "InventoryText.h"

namespace {

const char* const kAll = "all";

std::string GroupSubject(const std::string& name) {
    return "group " + InventoryText::Shown(name);
}

std::string HostSubject(const std::string& name) {
    return "host " + InventoryText::Shown(name);
}

const char* KindOf(const YAML::Node& node) {
    switch (node.Type()) {
    case YAML::NodeType::Map:
        return "a mapping";
    case YAML::NodeType::Sequence:
        return "a list";
    case YAML::NodeType::Scalar:
        return "a plain value";
    default:
        return "nothing";
    }
}

// Refuses a mapping that gives a key twice: YAML readers differ on which
// one counts, so the inventory would not mean one thing.
void CheckUniqueKeys(const YAML::Node& mapping, const std::string& subject) {
    std::set<std::string> seen;
    for (const auto& entry : mapping) {
        if (entry.first.IsScalar() && !seen.insert(entry.first.Scalar()).second)
            throw InventoryError(entry.first.Mark(), subject,
                                 "'" + InventoryText::Shown(entry.first.Scalar()) +
                                     "' is given twice in the same mapping");
    }
}

// The name a host or group key gives.
std::string NameOf(const YAML::Node& key, const std::string& subject, const char* what) {
    if (!key.IsScalar())
        throw InventoryError(key.Mark(), subject,
                             std::string(what) + " name must be a plain value, not " + KindOf(key));
    const std::string& name = key.Scalar();
    // Control characters reach a name only escaped in a double-quoted key
    // (raw ones are refused with the text); a lab device's name may hold
    // them, and so may the host that serves it.
    if (name.empty())
        throw InventoryError(key.Mark(), subject, std::string(what) + " name is empty");
    return name;
}

bool IsAbsent(const YAML::Node& node) {
    return !node.IsDefined() || node.IsNull();
}

} // namespace

InventoryTree::InventoryTree(const YAML::Node& document) {
    GroupNamed(kAll);
    if (!IsAbsent(document)) {
        if (!document.IsMap())
            throw InventoryError(document.Mark(), "",
                                 std::string("an inventory is a mapping of groups (all: ...), "
                                             "not ") +
                                     KindOf(document));
        CheckUniqueKeys(document, "");
        for (const auto& entry : document) {
            const std::string name = NameOf(entry.first, "", "a group");
            const std::size_t group = GroupNamed(name);
            if (group != 0)
                AddChild(0, group, entry.first.Mark());
            WalkGroup(group, entry.second, group == 0 ? 0 : 1);
        }
    }
    Rank();
    Stack();
}

std::size_t InventoryTree::GroupNamed(const std::string& name) {
    const auto found = m_GroupIndex.find(name);
    if (found != m_GroupIndex.end())
        return found->second;
    m_Groups.push_back(Group{name, {}, {}, {}, 0});
    m_GroupIndex.emplace(name, m_Groups.size() - 1);
    return m_Groups.size() - 1;
}

void InventoryTree::AddChild(std::size_t parent, std::size_t child, const YAML::Mark& mark) {
    auto& parents = m_Groups[child].parents;
    const bool known = std::any_of(parents.begin(), parents.end(),
                                   [&](const auto& edge) { return edge.first == parent; });
    if (!known)
        parents.emplace_back(parent, mark);
}

void InventoryTree::WalkGroup(std::size_t group, const YAML::Node& section, int nesting) {
    const std::string subject = GroupSubject(m_Groups[group].name);
    if (IsAbsent(section))
        return;
    if (nesting > kMostNesting)
        throw InventoryError(section.Mark(), subject,
                             "groups are nested more than " + std::to_string(kMostNesting) +
                                 " deep");
    if (!section.IsMap())
        throw InventoryError(section.Mark(), subject,
                             std::string("a group is a mapping of hosts, children and vars, not ") +
                                 KindOf(section));
    // A mapping reached again through a YAML alias adds nothing new.
    for (const YAML::Node& walked : m_Groups[group].sections) {
        if (walked.is(section))
            return;
    }
    m_Groups[group].sections.push_back(section);
    CheckUniqueKeys(section, subject);

    YAML::Node hosts(YAML::NodeType::Undefined);
    YAML::Node children(YAML::NodeType::Undefined);
    for (const auto& entry : section) {
        const std::string key = entry.first.IsScalar() ? entry.first.Scalar() : std::string();
        if (key == "hosts")
            hosts.reset(entry.second);
        else if (key == "children")
            children.reset(entry.second);
        else if (key == "vars")
            WalkVars(group, entry.second);
        else
            throw InventoryError(entry.first.Mark(), subject,
                                 "unexpected key '" + InventoryText::Shown(key) +
                                     "': a group holds hosts, children and vars");
    }
    WalkHosts(group, hosts);
    WalkChildren(group, children, nesting);
}

void InventoryTree::WalkHosts(std::size_t group, const YAML::Node& hosts) {
    const std::string subject = GroupSubject(m_Groups[group].name);
    if (IsAbsent(hosts))
        return;
    if (!hosts.IsMap())
        throw InventoryError(hosts.Mark(), subject,
                             std::string("hosts is a mapping of host names, not ") + KindOf(hosts));
    CheckUniqueKeys(hosts, subject);
    for (const auto& entry : hosts) {
        const std::string name = NameOf(entry.first, subject, "a host");
        auto found = m_MemberIndex.find(name);
        if (found == m_MemberIndex.end()) {
            m_Members.push_back(Member{name, {}, {}});
            found = m_MemberIndex.emplace(name, m_Members.size() - 1).first;
        }
        Member& member = m_Members[found->second];
        if (std::find(member.groups.begin(), member.groups.end(), group) == member.groups.end())
            member.groups.push_back(group);

        const YAML::Node& variables = entry.second;
        if (IsAbsent(variables))
            continue;
        if (!variables.IsMap())
            throw InventoryError(variables.Mark(), HostSubject(name),
                                 std::string("a host's variables are a mapping, not ") +
                                     KindOf(variables));
        CheckUniqueKeys(variables, HostSubject(name));
        member.vars.push_back(variables);
    }
}

void InventoryTree::WalkChildren(std::size_t group, const YAML::Node& children, int nesting) {
    const std::string subject = GroupSubject(m_Groups[group].name);
    if (IsAbsent(children))
        return;
    if (!children.IsMap())
        throw InventoryError(children.Mark(), subject,
                             std::string("children is a mapping of group names, not ") +
                                 KindOf(children));
    CheckUniqueKeys(children, subject);
    for (const auto& entry : children) {
        const std::string name = NameOf(entry.first, subject, "a group");
        if (name == kAll)
            throw InventoryError(entry.first.Mark(), subject,
                                 "all is the root group and cannot be a child");
        const std::size_t child = GroupNamed(name);
        AddChild(group, child, entry.first.Mark());
        WalkGroup(child, entry.second, nesting + 1);
    }
}

void InventoryTree::WalkVars(std::size_t group, const YAML::Node& vars) {
    const std::string subject = GroupSubject(m_Groups[group].name);
    if (IsAbsent(vars))
        return;
    if (!vars.IsMap())
        throw InventoryError(vars.Mark(), subject,
                             std::string("vars is a mapping of variables, not ") + KindOf(vars));
    CheckUniqueKeys(vars, subject);
    m_Groups[group].vars.push_back(vars);
}

void InventoryTree::Rank() {
    // Longest paths from all, in topological order: a group is placed once
    // every group that lists it is.
    const std::size_t count = m_Groups.size();
    std::vector<std::vector<std::size_t>> children(count);
    std::vector<std::size_t> waiting(count, 0);
    for (std::size_t group = 0; group < count; ++group) {
        for (const auto& edge : m_Groups[group].parents)
            children[edge.first].push_back(group);
        waiting[group] = m_Groups[group].parents.size();
    }
    std::deque<std::size_t> ready = {0};
    std::size_t placed = 0;
    while (!ready.empty()) {
        const std::size_t group = ready.front();
        ready.pop_front();
        ++placed;
        for (const std::size_t child : children[group]) {
            m_Groups[child].depth = std::max(m_Groups[child].depth, m_Groups[group].depth + 1);
            if (--waiting[child] == 0)
                ready.push_back(child);
        }
    }
    if (placed == count)
        return;

    // Some groups wait on each other. Each of them has a parent that waits
    // too; following such parents for as many steps as there are groups ends
    // inside a loop.
    std::size_t group = 0;
    while (waiting[group] == 0)
        ++group;
    YAML::Mark mark = YAML::Mark::null_mark();
    for (std::size_t step = 0; step < count; ++step) {
        for (const auto& edge : m_Groups[group].parents) {
            if (waiting[edge.first] > 0) {
                group = edge.first;
                mark = edge.second;
                break;
            }
        }
    }
    throw InventoryError(mark, GroupSubject(m_Groups[group].name),
                         "the group is among its own descendants");
}

void InventoryTree::Stack() {
    for (const YAML::Node& vars : m_Groups[0].vars)
        m_AllVariables.AddLayer(vars);

    for (const Member& member : m_Members) {
        // Every group the host is in, directly or through children.
        std::vector<bool> in(m_Groups.size(), false);
        std::vector<std::size_t> groups = {0};
        in[0] = true;
        for (const std::size_t group : member.groups) {
            if (!in[group]) {
                in[group] = true;
                groups.push_back(group);
            }
        }
        for (std::size_t next = 0; next < groups.size(); ++next) {
            for (const auto& edge : m_Groups[groups[next]].parents) {
                if (!in[edge.first]) {
                    in[edge.first] = true;
                    groups.push_back(edge.first);
                }
            }
        }
        std::sort(groups.begin(), groups.end(), [&](std::size_t a, std::size_t b) {
            return m_Groups[a].depth != m_Groups[b].depth ? m_Groups[a].depth < m_Groups[b].depth
                                                          : a < b;
        });

        InventoryVariables variables;
        for (const std::size_t group : groups) {
            for (const YAML::Node& vars : m_Groups[group].vars)
                variables.AddLayer(vars);
        }
        for (const YAML::Node& vars : member.vars)
            variables.AddLayer(vars);
        m_Hosts.push_back(Host{member.name, std::move(variables)});
    }
}
