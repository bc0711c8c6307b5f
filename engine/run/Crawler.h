// What a crawl may reach next. Every router that is done hands over the
// addresses of its neighbours; the crawler gives back those that are new and
// in scope, in the order given, until the run holds `maxRouters` routers. It
// also tells a router reached a second time under another address: the same
// IS-IS host name and system id as one already in the run.
//
// Used on one thread (the run's delivering thread).
#pragma once

#include <cstddef>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "AddressScope.h"

class Crawler {
public:
    Crawler(AddressScope scope, std::size_t maxRouters);

    // Notes a router the run holds from the start (an inventory host); its
    // address is never crawled to again.
    void AddKnown(const std::string& address);
    // The neighbours' addresses that are in scope and not yet known, each
    // once, as far as the limit allows; they count as known from now on.
    std::vector<std::string> Expand(const std::vector<std::string>& neighbours);
    // Whether a router with this identity is already in the run; if not, it
    // is from now on. A router without host name or system id is never one.
    bool SeenBefore(const std::string& hostName, const std::string& systemId);

    std::size_t Known() const { return m_Known.size(); }

private:
    AddressScope m_Scope;
    std::size_t m_MaxRouters;
    std::set<std::string> m_Known;
    std::set<std::pair<std::string, std::string>> m_Identities;
};
