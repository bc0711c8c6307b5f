// The requester copies a device's output once when the device holds it, and
// through SDRunCommand otherwise: both ways give the same bytes, NUL bytes
// included, in the single-command and the list form.
#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <string>

#include "CScoutDevice.h"
#include "LabDevice.h"
#include "CScoutStdRequester.h"
#include "CZanAtom.h"
#include "CZanAtomVector.h"
#include "CZanRecord.h"

namespace {

// A device that only runs commands (it holds nothing), as a live session
// would.
class RunningDevice : public CScoutDevice {
public:
    explicit RunningDevice(std::map<std::string, std::string> outputs)
        : m_Outputs(std::move(outputs)) {}
    bool SDAnswersCommands() const override { return true; }
    bool SDRunCommand(const std::string& command, std::string& output) override {
        auto found = m_Outputs.find(command);
        if (found == m_Outputs.end())
            return false;
        output = found->second;
        return true;
    }
    bool SDWalkColumn(const std::string&, std::vector<CScoutSnmpRow>&) override { return false; }

private:
    std::map<std::string, std::string> m_Outputs;
};

const std::map<std::string, std::string> kOutputs = {
    {"show run", "interface Ethernet0/0\n!\n"},
    {"show clns", std::string("NET:\0 49.0001\n", 14)},
    {"show empty", ""}};

// What the requester hands out for each command, and for one the device
// lacks: the text up to its end (NUL bytes kept), or "(none)".
std::map<std::string, std::string> Answers(CScoutDevice& device) {
    CScoutStdRequester requester;
    requester.SSRAddDevice("R1", &device);
    CZanRecord record("R1");
    std::map<std::string, std::string> single;
    std::map<std::string, std::string> listed;
    CZanAtomVector* commands = new CZanAtomVector(0);
    for (const char* command : {"show run", "show clns", "show empty", "show missing"}) {
        char* text = requester.SSRGetTELNET(&record, command);
        // The single form gives a C string: what lies past the first NUL
        // cannot be told apart from what lies past the end.
        single[command] = text != nullptr ? std::string(text) : "(none)";
        std::free(text);
        commands->ZAVAddToEnd(new CZanAtom(command));
    }
    CZanAtomVector* outputs = requester.SSRGetTELNET(&record, commands);
    EXPECT_NE(outputs, nullptr);
    if (outputs == nullptr)
        return single;
    const char* names[] = {"show run", "show clns", "show empty", "show missing"};
    for (int i = 0; i < outputs->ZAVSize(); ++i) {
        const CZanAtom* atom = outputs->ZAVGetValue(i);
        listed[names[i]] = atom->ZAType() == ZAN_STRING ? atom->ZAText() : "(none)";
        EXPECT_EQ(single[names[i]], std::string(listed[names[i]].c_str()));
    }
    delete outputs;
    return listed;
}

TEST(HeldOutput, HeldAndRunOutputsReachTheAgentAlike) {
    LabDevice lab;
    lab.SLDEnableCommands();
    for (const auto& [command, output] : kOutputs)
        lab.SLDSetCommand(command, output);
    ASSERT_NE(lab.SDHeldOutput("show clns"), nullptr);
    EXPECT_EQ(lab.SDHeldOutput("show missing"), nullptr);
    RunningDevice running(kOutputs);
    EXPECT_EQ(running.SDHeldOutput("show clns"), nullptr);

    const auto held = Answers(lab);
    EXPECT_EQ(held, Answers(running));
    EXPECT_EQ(held.at("show clns"), kOutputs.at("show clns"));
    EXPECT_EQ(held.at("show empty"), "");
    EXPECT_EQ(held.at("show missing"), "(none)");
}

TEST(HeldOutput, ADeviceWithoutSessionsHoldsNothing) {
    LabDevice lab;
    lab.SLDSetCommand("show run", "text");
    EXPECT_EQ(lab.SDHeldOutput("show run"), nullptr);
    std::string output;
    EXPECT_FALSE(lab.SDRunCommand("show run", output));
}

} // namespace
