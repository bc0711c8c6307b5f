#include "LabDevice.h"

#include <utility>

LabDevice::LabDevice() = default;

LabDevice::~LabDevice() = default;

void LabDevice::SLDEnableCommands() {
    m_HasCommands = true;
}

void LabDevice::SLDSetCommand(const std::string& command, const std::string& output) {
    m_Commands[command] = output;
}

void LabDevice::SLDSetIfDescr(std::vector<CScoutSnmpRow> rows) {
    m_HasIfDescr = true;
    m_IfDescr = std::move(rows);
}

bool LabDevice::SDRunCommand(const std::string& command, std::string& output) {
    const std::string* held = SDHeldOutput(command);
    if (held == nullptr)
        return false;
    output = *held;
    return true;
}

const std::string* LabDevice::SDHeldOutput(const std::string& command) const {
    if (!m_HasCommands)
        return nullptr;
    auto found = m_Commands.find(command);
    return found != m_Commands.end() ? &found->second : nullptr;
}

bool LabDevice::SDWalkColumn(const std::string& column, std::vector<CScoutSnmpRow>& rows) {
    if (column != "ifDescr" || !m_HasIfDescr)
        return false;
    rows = m_IfDescr;
    return true;
}
