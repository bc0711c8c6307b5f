// A live router: its command line through a command session, its ifDescr
// column through an SNMP walker. Within one discovery each distinct command
// goes to the router once; a later request for it is answered from what
// came back the first time (or fails again at once), so K interfaces do not
// cost 3K round trips of the same large outputs.
//
// One router, one thread: the device is not shared between workers.
#pragma once

#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "CScoutDevice.h"
#include "ColumnWalker.h"
#include "CommandSession.h"
#include "TransportReport.h"

class LiveDevice : public CScoutDevice {
public:
    // Either part may be null: a router reached for commands only, or for
    // SNMP only.
    LiveDevice(std::unique_ptr<CommandSession> session, std::unique_ptr<ColumnWalker> walker);
    LiveDevice(const LiveDevice&) = delete;
    LiveDevice& operator=(const LiveDevice&) = delete;
    ~LiveDevice() override;

    // Opens the command session on first use: a router that cannot be
    // reached or refuses the login takes no command session at all, as a
    // lab device without commands.
    bool SDAnswersCommands() const override;
    bool SDRunCommand(const std::string& command, std::string& output) override;
    const std::string* SDHeldOutput(const std::string& command) const override;
    bool SDWalkColumn(const std::string& column, std::vector<CScoutSnmpRow>& rows) override;

    // Ends the command session; the report is complete afterwards.
    void Close();
    const TransportReport& Report() const { return m_Report; }

private:
    void Fail(const std::string& reason) const;

    std::unique_ptr<CommandSession> m_Session;
    std::unique_ptr<ColumnWalker> m_Walker;
    // Every command run so far: its output, or absent from m_Outputs when it
    // gave none.
    std::map<std::string, std::string> m_Outputs;
    std::set<std::string> m_Asked;
    mutable bool m_Opened = false;
    mutable TransportReport m_Report;
};
