#include "NetworkLab.h"

#include <nlohmann/json.hpp>

#include "IosRouterPrinter.h"
#include "NetworkPlan.h"

std::string NetworkLab::Json(const NetworkPlan& plan) {
    const IosRouterPrinter printer(plan);
    nlohmann::ordered_json devices = nlohmann::ordered_json::array();
    for (std::size_t r = 0; r < plan.Routers().size(); ++r) {
        const int router = static_cast<int>(r);
        nlohmann::ordered_json commands = nlohmann::ordered_json::object();
        for (const auto& [command, output] : printer.Commands(router))
            commands[command] = output;
        nlohmann::ordered_json ifDescr = nlohmann::ordered_json::array();
        for (const auto& [index, value] : printer.IfDescr(router))
            ifDescr.push_back({index, value});
        devices.push_back({{"name", plan.Routers()[r].hostName},
                           {"commands", std::move(commands)},
                           {"ifDescr", std::move(ifDescr)},
                           {"addresses", printer.Addresses(router)}});
    }
    const nlohmann::ordered_json lab = {{"devices", std::move(devices)}};
    return lab.dump(2) + "\n";
}
