#include "LabLoader.h"

#include <arpa/inet.h>
#include <netinet/in.h>

#include <cerrno>
#include <cstring>
#include <fstream>
#include <iterator>
#include <sstream>

#include "CScoutDevice.h"
#include "LabDevice.h"
#include "StrictJsonReader.h"

namespace {

using json = nlohmann::json;

// A member name as it appears in a place: plain names after a dot, any
// other as a quoted JSON string in brackets.
std::string Member(const std::string& base, const std::string& name) {
    bool plain = !name.empty();
    for (const char c : name) {
        const bool letter = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
        const bool digit = c >= '0' && c <= '9';
        if (!letter && !digit && c != '_')
            plain = false;
    }
    if (plain && !(name[0] >= '0' && name[0] <= '9'))
        return base.empty() ? name : base + "." + name;
    return base + "[" + json(name).dump() + "]";
}

std::string Element(const std::string& base, std::size_t index) {
    return base + "[" + std::to_string(index) + "]";
}

std::string Quoted(const std::string& text) {
    return json(text).dump();
}

const char* TypeName(const json& value) {
    switch (value.type()) {
    case json::value_t::null:
        return "null";
    case json::value_t::object:
        return "an object";
    case json::value_t::array:
        return "an array";
    case json::value_t::string:
        return "a string";
    case json::value_t::boolean:
        return "a boolean";
    case json::value_t::number_integer:
    case json::value_t::number_unsigned:
        return "an integer";
    case json::value_t::number_float:
        return "a number with a fraction or exponent";
    case json::value_t::binary:
    case json::value_t::discarded:
        break;
    }
    return "not a JSON value";
}

bool Fail(std::string& where, std::string& what, std::string place, std::string message) {
    where = std::move(place);
    what = std::move(message);
    return false;
}

} // namespace

LabLoader::LabLoader() = default;
LabLoader::~LabLoader() = default;

bool LabLoader::LoadFile(const std::string& path, std::string& error) {
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        error = path + ": cannot open the lab file: " + std::strerror(errno);
        return false;
    }
    std::ostringstream contents;
    contents << file.rdbuf();
    if (file.bad()) {
        error = path + ": cannot read the lab file";
        return false;
    }
    return LoadText(path, contents.str(), error);
}

bool LabLoader::LoadText(const std::string& label, std::string_view text, std::string& error) {
    json lab;
    std::string parseError;
    if (!StrictJsonReader::Parse(text, lab, parseError)) {
        error = label + ": " + parseError;
        return false;
    }
    std::vector<Device> devices;
    std::string where;
    std::string what;
    if (!Convert(label, lab, devices, where, what)) {
        error = label + ": " + (where.empty() ? what : where + ": " + what);
        return false;
    }
    for (Device& device : devices)
        m_Devices.push_back(std::move(device));
    return true;
}

bool LabLoader::Convert(const std::string& label, const json& lab, std::vector<Device>& devices,
                        std::string& where, std::string& what) const {
    if (!lab.is_object())
        return Fail(where, what, "",
                    std::string("a lab must be a JSON object, not ") + TypeName(lab));
    for (const auto& [name, value] : lab.items()) {
        (void)value;
        if (name != "devices")
            return Fail(where, what, Member("", name),
                        "unknown member (a lab has only \"devices\")");
    }
    const auto found = lab.find("devices");
    if (found == lab.end())
        return Fail(where, what, "", "the member \"devices\" is missing");
    if (!found->is_array())
        return Fail(where, what, "devices",
                    std::string("must be an array, not ") + TypeName(*found));

    std::map<std::string, std::size_t> namesHere;
    for (std::size_t i = 0; i < found->size(); ++i) {
        Device device;
        if (!ConvertDevice(label, i, (*found)[i], namesHere, device, where, what))
            return false;
        namesHere.emplace(device.name, i);
        devices.push_back(std::move(device));
    }
    return true;
}

bool LabLoader::ConvertDevice(const std::string& label, std::size_t index, const json& entry,
                              const std::map<std::string, std::size_t>& namesHere, Device& device,
                              std::string& where, std::string& what) const {
    const std::string place = Element("devices", index);
    if (!entry.is_object())
        return Fail(where, what, place,
                    std::string("a device must be an object, not ") + TypeName(entry));
    for (const auto& [name, value] : entry.items()) {
        (void)value;
        if (name != "name" && name != "commands" && name != "ifDescr" && name != "login" &&
            name != "addresses")
            return Fail(where, what, Member(place, name),
                        "unknown member (a device has \"name\", \"commands\", \"ifDescr\", "
                        "\"login\" and \"addresses\")");
    }

    const auto name = entry.find("name");
    if (name == entry.end())
        return Fail(where, what, place, "the member \"name\" is missing");
    if (!name->is_string())
        return Fail(where, what, Member(place, "name"),
                    std::string("a name must be a string, not ") + TypeName(*name));
    const std::string& text = name->get_ref<const std::string&>();
    const auto sameHere = namesHere.find(text);
    if (sameHere != namesHere.end())
        return Fail(where, what, Member(place, "name"),
                    Quoted(text) + " is already the name of " +
                        Element("devices", sameHere->second));
    for (const Device& earlier : m_Devices) {
        if (earlier.name == text)
            return Fail(where, what, Member(place, "name"),
                        Quoted(text) + " is already the name of " +
                            Element("devices", earlier.index) + " in " + earlier.source);
    }

    auto lab = std::make_unique<LabDevice>();
    const auto commands = entry.find("commands");
    if (commands != entry.end()) {
        const std::string commandsPlace = Member(place, "commands");
        if (!commands->is_object())
            return Fail(where, what, commandsPlace,
                        std::string("must be an object of command to output, not ") +
                            TypeName(*commands));
        lab->SLDEnableCommands();
        for (const auto& [command, output] : commands->items()) {
            if (!output.is_string())
                return Fail(where, what, Member(commandsPlace, command),
                            std::string("an output must be a string, not ") + TypeName(output));
            lab->SLDSetCommand(command, output.get_ref<const std::string&>());
        }
    }

    const auto ifDescr = entry.find("ifDescr");
    if (ifDescr != entry.end()) {
        const std::string walkPlace = Member(place, "ifDescr");
        if (!ifDescr->is_array())
            return Fail(where, what, walkPlace,
                        std::string("must be an array of [index, value] rows, not ") +
                            TypeName(*ifDescr));
        std::vector<CScoutSnmpRow> rows;
        for (std::size_t i = 0; i < ifDescr->size(); ++i) {
            const json& row = (*ifDescr)[i];
            const std::string rowPlace = Element(walkPlace, i);
            if (!row.is_array() || row.size() != 2)
                return Fail(where, what, rowPlace,
                            row.is_array() ? "a row must have exactly two elements, [index, "
                                             "value], not " +
                                                 std::to_string(row.size())
                                           : std::string("a row must be an array [index, "
                                                         "value], not ") +
                                                 TypeName(row));
            const json& rowIndex = row[0];
            CScoutSnmpRow snmpRow;
            if (rowIndex.is_number_integer()) {
                snmpRow.hasIndex = true;
                snmpRow.index = rowIndex.is_number_unsigned()
                                    ? static_cast<std::int64_t>(rowIndex.get<std::uint64_t>())
                                    : rowIndex.get<std::int64_t>();
            } else if (!rowIndex.is_null()) {
                return Fail(where, what, rowPlace,
                            std::string("an index must be an integer or null, not ") +
                                TypeName(rowIndex));
            }
            const json& rowValue = row[1];
            if (rowValue.is_string()) {
                snmpRow.isString = true;
                snmpRow.value = rowValue.get_ref<const std::string&>();
            }
            rows.push_back(std::move(snmpRow));
        }
        lab->SLDSetIfDescr(std::move(rows));
    }

    if (!ConvertLogin(place, entry, device, where, what) ||
        !ConvertAddresses(place, entry, device, where, what))
        return false;

    device.name = text;
    device.source = label;
    device.index = index;
    device.device = std::move(lab);
    return true;
}

bool LabLoader::ConvertLogin(const std::string& place, const json& entry, Device& device,
                             std::string& where, std::string& what) const {
    const auto login = entry.find("login");
    if (login == entry.end())
        return true;
    const std::string loginPlace = Member(place, "login");
    if (!login->is_object())
        return Fail(where, what, loginPlace,
                    std::string("must be an object with \"username\", \"password\" and "
                                "\"enable\", not ") +
                        TypeName(*login));
    Device::Login& out = device.login;
    for (const auto& [name, value] : login->items()) {
        bool* has = name == "username"   ? &out.hasUser
                    : name == "password" ? &out.hasPassword
                    : name == "enable"   ? &out.hasEnable
                                         : nullptr;
        if (has == nullptr)
            return Fail(where, what, Member(loginPlace, name),
                        "unknown member (a login has \"username\", \"password\" and "
                        "\"enable\")");
        if (!value.is_string())
            return Fail(where, what, Member(loginPlace, name),
                        std::string("must be a string, not ") + TypeName(value));
        *has = true;
        std::string& text = name == "username"   ? out.user
                            : name == "password" ? out.password
                                                 : out.enable;
        text = value.get_ref<const std::string&>();
    }
    return true;
}

bool LabLoader::ConvertAddresses(const std::string& place, const json& entry, Device& device,
                                 std::string& where, std::string& what) const {
    const auto addresses = entry.find("addresses");
    if (addresses == entry.end())
        return true;
    const std::string addressesPlace = Member(place, "addresses");
    if (!addresses->is_array())
        return Fail(where, what, addressesPlace,
                    std::string("must be an array of IPv4 addresses, not ") + TypeName(*addresses));
    for (std::size_t i = 0; i < addresses->size(); ++i) {
        const json& address = (*addresses)[i];
        in_addr parsed{};
        if (!address.is_string() ||
            inet_pton(AF_INET, address.get_ref<const std::string&>().c_str(), &parsed) != 1)
            return Fail(where, what, Element(addressesPlace, i),
                        "an address must be an IPv4 address in dotted form, not " +
                            (address.is_string() ? Quoted(address.get_ref<const std::string&>())
                                                 : std::string(TypeName(address))));
        device.addresses.push_back(address.get_ref<const std::string&>());
    }
    return true;
}
