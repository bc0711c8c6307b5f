// The lab file of a generated network: one device per router, named by its
// host name, with its command outputs, its ifDescr column and the addresses
// it owns.
#pragma once

#include <string>

class NetworkPlan;

class NetworkLab {
public:
    static std::string Json(const NetworkPlan& plan);
};
