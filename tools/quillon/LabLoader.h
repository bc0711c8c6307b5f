// Reads lab files: JSON descriptions of simulated routers, what each answers
// to each command and its SNMP ifDescr column. A lab that is not exactly of
// the documented shape is refused as a whole with a one-line message that
// names the file and the place at fault.
#pragma once

#include <cstddef>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include <nlohmann/json.hpp>

class LabDevice;

class LabLoader {
public:
    struct Device {
        std::string name;   // the entity identifier
        std::string source; // the lab it came from, as named to the loader
        std::size_t index;  // its position in that lab's "devices"
        std::unique_ptr<LabDevice> device;
        // What `quillon serve` needs beyond the answers: the credentials of
        // the `login` member (each absent one keeps the server's default)
        // and the router's own IPv4 addresses.
        struct Login {
            bool hasUser = false, hasPassword = false, hasEnable = false;
            std::string user, password, enable;
        } login;
        std::vector<std::string> addresses;
    };

    LabLoader();
    LabLoader(const LabLoader&) = delete;
    LabLoader& operator=(const LabLoader&) = delete;
    ~LabLoader();

    // Adds the devices of the lab file at `path`. On an unreadable or
    // malformed lab, returns false, sets `error` and adds nothing.
    bool LoadFile(const std::string& path, std::string& error);
    // The same for a lab held in memory; `label` names it in messages.
    bool LoadText(const std::string& label, std::string_view text, std::string& error);

    // Every device loaded so far, in file order and then lab order.
    std::vector<Device>& Devices() { return m_Devices; }
    const std::vector<Device>& Devices() const { return m_Devices; }

private:
    // Checks one parsed lab and turns it into devices; on failure sets
    // `where` (a path such as devices[2].ifDescr[1], or empty for the lab as
    // a whole) and `what`.
    bool Convert(const std::string& label, const nlohmann::json& lab, std::vector<Device>& devices,
                 std::string& where, std::string& what) const;
    bool ConvertDevice(const std::string& label, std::size_t index, const nlohmann::json& entry,
                       const std::map<std::string, std::size_t>& namesHere, Device& device,
                       std::string& where, std::string& what) const;

    bool ConvertLogin(const std::string& place, const nlohmann::json& entry, Device& device,
                      std::string& where, std::string& what) const;
    bool ConvertAddresses(const std::string& place, const nlohmann::json& entry, Device& device,
                          std::string& where, std::string& what) const;

    std::vector<Device> m_Devices;
};
