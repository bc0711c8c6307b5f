// What each router of a generated network answers, as IOS 12.x prints it:
// the commands the discovery agent sends, its ifDescr column and the
// addresses it owns. Every router's outputs agree with its neighbours' (the
// same names, areas, addresses, LAN ids and LSPs everywhere).
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "NetworkPlan.h"

class IosRouterPrinter {
public:
    // The plan must outlive the printer.
    explicit IosRouterPrinter(const NetworkPlan& plan);

    // Command text to output, in the order the lab lists them.
    std::vector<std::pair<std::string, std::string>> Commands(int router) const;
    // The ifDescr walk: (index, value) in walk order.
    std::vector<std::pair<int, std::string>> IfDescr(int router) const;
    // The router's interface addresses, in ifIndex order.
    std::vector<std::string> Addresses(int router) const;

private:
    // One LSP: its originator and pseudo-node id (0 for the router's own).
    struct Lsp {
        int router;
        int pseudoNode;
    };

    std::string ShowClnsProtocol(int router) const;
    std::string ShowClnsInterface(int router) const;
    std::string ShowRun(int router) const;
    std::string ShowIsisNeighborsDetail(int router) const;
    std::string ShowClnsIsNeighborsDetail(int router) const;
    std::string ShowClns(int router) const;
    // The whole database, and the router's own rows of it.
    void ShowIsisDatabase(int router, std::string& database, std::string& own) const;

    // The LSPs of one level (1 or 2) the router holds: its own pseudo-nodes
    // and LSP first, then the others by originator.
    std::vector<Lsp> LevelLsps(int router, int level) const;
    std::string LspRow(int viewer, const Lsp& lsp, int level) const;
    std::string Net(int router) const;
    // The circuit id a port's level lines show.
    std::string CircuitId(int port) const;

    const NetworkPlan& m_Plan;
    // Per area, its routers, and its LANs; and the level-1-2 routers.
    std::vector<std::vector<int>> m_AreaRouters;
    std::vector<std::vector<int>> m_AreaLans;
    std::vector<int> m_Level2Routers;
    std::vector<int> m_Level2Lans;
};
