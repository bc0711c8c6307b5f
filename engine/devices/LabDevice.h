// A simulated router whose answers are given up front (from a lab file).
#pragma once

#include <map>
#include <string>
#include <vector>

#include "CScoutDevice.h"

class LabDevice : public CScoutDevice {
public:
    LabDevice();
    ~LabDevice() override;

    // Gives the device a command table (even an empty one); without it the
    // device is unreachable for command sessions.
    void SLDEnableCommands();
    void SLDSetCommand(const std::string& command, const std::string& output);
    // Gives the device an ifDescr column; without it the walk fails.
    void SLDSetIfDescr(std::vector<CScoutSnmpRow> rows);

    // What the device was given, for serving it as a live router.
    const std::map<std::string, std::string>& SLDCommands() const { return m_Commands; }
    bool SLDHasIfDescr() const { return m_HasIfDescr; }
    const std::vector<CScoutSnmpRow>& SLDIfDescr() const { return m_IfDescr; }

    bool SDAnswersCommands() const override { return m_HasCommands; }
    bool SDRunCommand(const std::string& command, std::string& output) override;
    const std::string* SDHeldOutput(const std::string& command) const override;
    bool SDWalkColumn(const std::string& column, std::vector<CScoutSnmpRow>& rows) override;

private:
    bool m_HasCommands = false;
    std::map<std::string, std::string> m_Commands;
    bool m_HasIfDescr = false;
    std::vector<CScoutSnmpRow> m_IfDescr;
};
