// What the host notes in an entity's journal and hands the agent: error
// reports (their line on standard error and their routing to the current
// entity), the requester's journaling of every command, its single and list
// command runs (the same bytes whether the device holds its output or runs
// the command, as a live session would) and SNMP walks, and the utilities
// that store a walk and look a name's index up in it.
#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "CZanASN1Address.h"
#include "CZanDoubleList.h"
#include "CZanError.h"
#include "CZanPointer.h"
#include "CZanSnmpVarOp.h"
#include "CZanTreeList.h"
#include "HostFixture.h"
#include "ScoutAgentUtils.h"

namespace {

using Strings = std::vector<std::string>;

// A device that only runs commands (it holds nothing), as a live session
// would.
class RunningDevice : public CScoutDevice {
public:
    explicit RunningDevice(std::map<std::string, std::string> outputs)
        : m_Outputs(std::move(outputs)) {}
    bool SDAnswersCommands() const override { return true; }
    bool SDRunCommand(const std::string& command, std::string& output) override {
        auto found = m_Outputs.find(command);
        if (found != m_Outputs.end())
            output = found->second;
        return found != m_Outputs.end();
    }
    bool SDWalkColumn(const std::string&, std::vector<CScoutSnmpRow>&) override { return false; }

private:
    std::map<std::string, std::string> m_Outputs;
};

struct Lab {
    LabDevice device;
    CScoutStdRequester requester;
    CScoutEntity entity{"R1"};
    explicit Lab(CScoutDevice* other = nullptr) {
        requester.SSRAddDevice("R1", other != nullptr ? other : &device);
    }
    CZanRecord* ne() { return &entity.SERecord(); }
    CScoutMediationData* md() { return &entity.SEMediationData(); }
    const Strings& commands() const { return entity.SEJournal().SEJCommands(); }
    // The answer to one command, or "<null>".
    std::string Run(CZanRecord* record, const char* command) {
        char* text = requester.SSRGetTELNET(record, command);
        std::string answer = text != nullptr ? text : "<null>";
        std::free(text);
        return answer;
    }
    // The answers to a list of commands (null: an atom that is not text), or
    // "<null>" for no list at all.
    Strings RunAll(CZanRecord* record, const std::vector<const char*>& commands) {
        auto* request = new CZanAtomVector(static_cast<int>(commands.size()));
        for (const char* command : commands)
            request->ZAVAddToEnd(command != nullptr ? new CZanAtom(command) : new CZanAtom(17));
        CZanAtomVector* answers = requester.SSRGetTELNET(record, request);
        Strings texts;
        for (int i = 0; answers != nullptr && i < answers->ZAVSize(); ++i) {
            const CZanAtom* value = answers->ZAVGetValue(i);
            texts.push_back(value->ZAType() == ZAN_STRING ? value->ZAText() : "<none>");
        }
        delete answers;
        return answers != nullptr ? texts : Strings{"<null>"};
    }
};

// Reads the stored ifDescr walk through a tree keyed by position: (first
// index component, value) of each row, and the index found for each name
// (-2 for none).
using Entries = std::vector<std::pair<int, std::string>>;
std::pair<Entries, std::vector<int>> Read(Lab& lab, const std::vector<const char*>& names) {
    CZanTreeList* tree = nullptr;
    EXPECT_EQ(SAUFWrapSNMPInTreeList("ifDescr", false, lab.md(), &tree, false), 1);
    std::pair<Entries, std::vector<int>> read;
    CZanDoubleList* list = tree->ZTLIterator();
    for (CZanObject* e = list->ZDLHead(); e != nullptr; e = list->ZDLGetNext()) {
        auto* op = static_cast<CZanSnmpVarOp*>(static_cast<CZanPointer*>(e)->ZPData());
        read.first.emplace_back(op->ZSVOASN1() ? op->ZSVOASN1()->ZAAAddressAt(0) : INT_MIN,
                                op->ZSVOValue()->ZAType() == ZAN_STRING ? op->ZSVOValue()->ZAText()
                                                                        : "<none>");
    }
    for (const char* name : names) {
        CZanASN1Address stale({12345});
        CZanASN1Address* index = &stale; // must be overwritten
        SAUFGetIndexFromSnmpTreeList(name, tree, &index);
        read.second.push_back(index != nullptr ? index->ZAAAddressAt(0) : -2);
    }
    SAUFSoftDeleteTree(tree);
    return read;
}

std::string Report(int code, const char* file, int line, const char* message) {
    testing::internal::CaptureStderr();
    CZanError(code, file, line, message);
    return testing::internal::GetCapturedStderr();
}

} // namespace

TEST(ErrorReport, LineFormatOnStandardError) {
    const std::pair<const char*, const char*> cases[] = {
        {nullptr, "error -220402 CScoutQuillonAgent:163\n"},
        {"Parsing failed", "error -220402 CScoutQuillonAgent:163 Parsing failed\n"},
        {"Invalid regular expression\n",
         "error -220402 CScoutQuillonAgent:163 Invalid regular expression\n"},
        {"two\nlines", "error -220402 CScoutQuillonAgent:163 two\nlines\n"},
    };
    for (const auto& [message, expected] : cases)
        EXPECT_EQ(Report(-220402, "CScoutQuillonAgent", 163, message), expected);
}

TEST(ErrorReport, EntitiesRouteReportsToTheirJournalAndRestoreThePrevious) {
    CScoutEntityJournal outer;
    CZanErrorListener* saved = CZanError::ZESetListener(&outer);
    {
        CScoutEntity first("R1");
        first.SEBegin();
        first.SEBegin(); // a second begin changes nothing
        Report(-1, "A", 1, "with text");
        {
            CScoutEntity second("R2");
            second.SEBegin();
            Report(-2, "B", 2, nullptr);
            EXPECT_EQ(quillon_test::Errors(second.SEJournal().SEJErrors()), "-2 B:2\n");
        } // destroyed while active: ends itself
        Report(-3, "C", 3, "");
        first.SEEnd();
        Report(-4, "D", 4, nullptr);
        EXPECT_EQ(quillon_test::Errors(first.SEJournal().SEJErrors()),
                  "-1 A:1 with text\n-3 C:3 \n");
    }
    Report(-5, "E", 5, nullptr);
    EXPECT_EQ(quillon_test::Errors(outer.SEJErrors()), "-4 D:4\n-5 E:5\n");
    EXPECT_EQ(CZanError::ZESetListener(saved), &outer);
}

TEST(Requester, EveryCommandIsJournaledWhetherOrNotItIsAnswered) {
    Lab lab;
    lab.device.SLDSetCommand("show clns", "text");
    EXPECT_EQ(lab.device.SDHeldOutput("show clns"), nullptr); // no command session yet
    EXPECT_EQ(lab.Run(lab.ne(), "show clns"), "<null>");
    EXPECT_EQ(lab.RunAll(lab.ne(), {"a", "b"}), Strings{"<null>"});
    lab.device.SLDEnableCommands();
    EXPECT_EQ(lab.Run(lab.ne(), "show clns"), "text");
    EXPECT_EQ(lab.Run(lab.ne(), "show isis"), "<null>");
    EXPECT_EQ(lab.Run(lab.ne(), nullptr), "<null>");
    EXPECT_EQ(lab.Run(nullptr, "show clns"), "<null>");
    EXPECT_EQ(lab.commands(), (Strings{"show clns", "a", "b", "show clns", "show isis"}));

    CScoutEntity stranger("R9"); // no device at all
    EXPECT_EQ(lab.Run(&stranger.SERecord(), "show run"), "<null>");
    EXPECT_EQ(lab.RunAll(&stranger.SERecord(), {"c"}), Strings{"<null>"});
    EXPECT_EQ(lab.requester.SSRGetSNMPWalk(&stranger.SERecord(), "ifDescr"), nullptr);
    EXPECT_EQ(stranger.SEJournal().SEJCommands(), (Strings{"show run", "c"}));
    CZanRecord bare("R1"); // a record without a journal still gets its answer
    EXPECT_EQ(lab.Run(&bare, "show clns"), "text");
}

TEST(Requester, HeldAndRunOutputsReachTheAgentAlike) {
    const std::map<std::string, std::string> outputs = {
        {"show run", "interface Ethernet0/0\n!\n"},
        {"show clns", std::string("NET:\0 49.0001\n", 14)},
        {"show empty", ""}};
    RunningDevice running(outputs);
    EXPECT_EQ(running.SDHeldOutput("show clns"), nullptr);
    Lab held;
    held.device.SLDEnableCommands();
    for (const auto& [command, output] : outputs)
        held.device.SLDSetCommand(command, output);
    ASSERT_NE(held.device.SDHeldOutput("show clns"), nullptr);
    EXPECT_EQ(held.device.SDHeldOutput("show missing"), nullptr);
    Lab run(&running);
    for (Lab* lab : {&held, &run}) {
        // The single form gives a C string: it ends at the first NUL.
        EXPECT_EQ(lab->Run(lab->ne(), "show clns"), "NET:");
        EXPECT_EQ(
            lab->RunAll(lab->ne(), {"show run", "show clns", "absent", nullptr, "show empty"}),
            (Strings{outputs.at("show run"), outputs.at("show clns"), "<none>", "<none>", ""}));
        EXPECT_EQ(lab->commands(),
                  (Strings{"show clns", "show run", "show clns", "absent", "show empty"}));
    }
}

TEST(Requester, WalkRowsBecomeVarOpsAndLookupTakesTheFirstMatchingRow) {
    Lab lab; // without an ifDescr column the walk fails and nothing is stored
    CZanTreeList stale(false);
    CZanTreeList* tree = &stale; // must be cleared
    EXPECT_EQ(SAUFStoreSnmpList(lab.ne(), &lab.requester, "ifDescr", lab.md()), 0);
    EXPECT_EQ(SAUFWrapSNMPInTreeList("ifDescr", false, lab.md(), &tree, false), 0);
    EXPECT_EQ(tree, nullptr);
    // Indexes are reduced to 32 bits and read back signed.
    lab.device.SLDSetIfDescr({{true, 4294967295LL, true, "Se1"},
                              {true, 4294967296LL + 5, false, "x"},
                              {false, 9, true, "Lo0"},
                              {true, 4, true, "Se1"},
                              {true, 9, true, "Lo0"},
                              {true, 7, true, "Gi0"}});
    EXPECT_EQ(lab.requester.SSRGetSNMPWalk(lab.ne(), "ifType"), nullptr);
    ASSERT_EQ(SAUFStoreSnmpList(lab.ne(), &lab.requester, "ifDescr", lab.md()), 1);
    EXPECT_TRUE(lab.commands().empty()); // a walk is not a command
    // The first row with the name decides, even when it has no index; rows
    // without a string value never match, not even the empty name.
    auto [rows, found] = Read(lab, {"Se1", "Lo0", "x", "Se", "", "Gi0"});
    EXPECT_EQ(
        rows,
        (Entries{
            {-1, "Se1"}, {5, "<none>"}, {INT_MIN, "Lo0"}, {4, "Se1"}, {9, "Lo0"}, {7, "Gi0"}}));
    EXPECT_EQ(found, (std::vector<int>{-1, -2, -2, -2, -2, 7}));
    // An entry without a row is passed over.
    CZanTreeList gappy(false);
    CZanSnmpVarOp row(new CZanASN1Address({3}), new CZanAtom("Gi0"));
    gappy.ZTLAdd(0, nullptr);
    gappy.ZTLAdd(1, &row);
    CZanASN1Address* index = nullptr;
    SAUFGetIndexFromSnmpTreeList("Gi0", &gappy, &index);
    EXPECT_EQ(index, row.ZSVOASN1());
    // Without a place to read from, nothing is read.
    EXPECT_EQ(SAUFWrapSNMPInTreeList("ifDescr", false, nullptr, &tree, false), 0);
    EXPECT_EQ(SAUFWrapSNMPInTreeList(nullptr, false, lab.md(), &tree, false), 0);
    EXPECT_EQ(tree, nullptr);
}
