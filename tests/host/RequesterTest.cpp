// The requester: device look-up, journaling of every command handed in, the
// single and list forms of a command run, and the conversion of SNMP walks.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "CScoutEntity.h"
#include "CScoutLabDevice.h"
#include "CScoutStdRequester.h"
#include "CZanASN1Address.h"
#include "CZanAtom.h"
#include "CZanAtomVector.h"
#include "CZanDoubleList.h"
#include "CZanSnmpVarOp.h"

namespace {

struct Lab {
    CScoutLabDevice device;
    CScoutStdRequester requester;
    CScoutEntity entity{"R1"};
    CZanRecord* ne() { return &entity.SERecord(); }
    const std::vector<std::string>& commands() const { return entity.SEJournal().SEJCommands(); }
    Lab() { requester.SSRAddDevice("R1", &device); }
};

CZanAtomVector* Request(const std::vector<const char*>& commands) {
    auto* v = new CZanAtomVector(static_cast<int>(commands.size()));
    for (const char* command : commands)
        v->ZAVAddToEnd(command != nullptr ? new CZanAtom(command) : new CZanAtom(17));
    return v;
}

CScoutSnmpRow Row(bool hasIndex, long long index, bool isString, const std::string& value) {
    CScoutSnmpRow row;
    row.hasIndex = hasIndex;
    row.index = index;
    row.isString = isString;
    row.value = value;
    return row;
}

} // namespace

TEST(Requester, SingleCommandCopiesTheWholeOutput) {
    Lab lab;
    lab.device.SLDEnableCommands();
    const std::string output("line\0hidden\n", 12);
    lab.device.SLDSetCommand("show run", output);
    lab.device.SLDSetCommand("show clns", "");
    char* text = lab.requester.SSRGetTELNET(lab.ne(), "show run");
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(std::memcmp(text, output.data(), output.size() + 1), 0);
    std::free(text);
    text = lab.requester.SSRGetTELNET(lab.ne(), "show clns");
    ASSERT_NE(text, nullptr);
    EXPECT_STREQ(text, "");
    std::free(text);
    EXPECT_EQ(lab.requester.SSRGetTELNET(lab.ne(), "show isis database"), nullptr);
    EXPECT_EQ(lab.commands(),
              (std::vector<std::string>{"show run", "show clns", "show isis database"}));
}

TEST(Requester, CommandsAreJournaledEvenWithoutAnAnswer) {
    Lab lab; // the device takes no command session
    lab.device.SLDSetCommand("show clns", "text");
    EXPECT_EQ(lab.requester.SSRGetTELNET(lab.ne(), "show clns"), nullptr);
    EXPECT_EQ(lab.requester.SSRGetTELNET(lab.ne(), Request({"a", "b"})), nullptr);

    CScoutEntity stranger("R9"); // no device at all
    EXPECT_EQ(lab.requester.SSRGetTELNET(&stranger.SERecord(), "show run"), nullptr);
    EXPECT_EQ(lab.requester.SSRGetTELNET(&stranger.SERecord(), Request({"c"})), nullptr);
    EXPECT_EQ(lab.requester.SSRGetSNMPWalk(&stranger.SERecord(), "ifDescr"), nullptr);

    EXPECT_EQ(lab.commands(), (std::vector<std::string>{"show clns", "a", "b"}));
    EXPECT_EQ(stranger.SEJournal().SEJCommands(), (std::vector<std::string>{"show run", "c"}));
    CZanRecord bare("R1"); // a record without a journal still gets its answer
    lab.device.SLDEnableCommands();
    char* text = lab.requester.SSRGetTELNET(&bare, "show clns");
    EXPECT_STREQ(text, "text");
    std::free(text);
}

TEST(Requester, ListFormAnswersOneAtomPerRequest) {
    Lab lab;
    lab.device.SLDEnableCommands();
    lab.device.SLDSetCommand("show clns protocol", "IS-IS Router: core");
    lab.device.SLDSetCommand("show clns", std::string("a\0b", 3));
    CZanAtomVector* answers = lab.requester.SSRGetTELNET(
        lab.ne(), Request({"show clns protocol", "absent", nullptr, "show clns"}));
    ASSERT_NE(answers, nullptr);
    ASSERT_EQ(answers->ZAVSize(), 4);
    EXPECT_EQ(answers->ZAVGetValue(0)->ZAText(), "IS-IS Router: core");
    EXPECT_EQ(answers->ZAVGetValue(1)->ZAType(), ZAN_NULL);
    EXPECT_EQ(answers->ZAVGetValue(2)->ZAType(), ZAN_NULL);
    EXPECT_EQ(answers->ZAVGetValue(3)->ZAType(), ZAN_STRING);
    EXPECT_STREQ(answers->ZAVGetValue(3)->ZAString(), "a");
    delete answers;
    EXPECT_EQ(lab.commands(),
              (std::vector<std::string>{"show clns protocol", "absent", "show clns"}));

    answers = lab.requester.SSRGetTELNET(lab.ne(), Request({}));
    ASSERT_NE(answers, nullptr);
    EXPECT_EQ(answers->ZAVSize(), 0);
    delete answers;
}

TEST(Requester, WalkRowsBecomeVarOps) {
    Lab lab;
    EXPECT_EQ(lab.requester.SSRGetSNMPWalk(lab.ne(), "ifDescr"), nullptr); // no column: walk fails
    lab.device.SLDSetIfDescr({Row(true, 4294967295LL, true, "Ethernet0/0"),
                              Row(true, 4294967296LL + 5, false, "ignored"),
                              Row(false, 9, true, std::string("Se\0x", 4)),
                              Row(true, -2, true, "")});
    EXPECT_EQ(lab.requester.SSRGetSNMPWalk(lab.ne(), "ifType"), nullptr);
    CZanDoubleList* walk = lab.requester.SSRGetSNMPWalk(lab.ne(), "ifDescr");
    ASSERT_NE(walk, nullptr);
    ASSERT_EQ(walk->ZDLLength(), 4);
    std::vector<CZanSnmpVarOp*> ops;
    for (CZanObject* e = walk->ZDLHead(); e != nullptr; e = walk->ZDLGetNext())
        ops.push_back(static_cast<CZanSnmpVarOp*>(e));
    EXPECT_EQ(ops[0]->ZSVOASN1()->ZAAAddressAt(0), -1);
    EXPECT_EQ(ops[0]->ZSVOValue()->ZAText(), "Ethernet0/0");
    EXPECT_EQ(ops[1]->ZSVOASN1()->ZAAAddressAt(0), 5);
    EXPECT_EQ(ops[1]->ZSVOValue()->ZAType(), ZAN_NULL);
    EXPECT_EQ(ops[2]->ZSVOASN1(), nullptr);
    EXPECT_STREQ(ops[2]->ZSVOValue()->ZAString(), "Se");
    EXPECT_EQ(ops[3]->ZSVOASN1()->ZAALength(), 1);
    EXPECT_EQ(ops[3]->ZSVOASN1()->ZAAAddressAt(0), -2);
    delete walk;                         // owns its var ops, and they their index and value
    EXPECT_TRUE(lab.commands().empty()); // a walk is not a command

    lab.device.SLDSetIfDescr({});
    walk = lab.requester.SSRGetSNMPWalk(lab.ne(), "ifDescr");
    ASSERT_NE(walk, nullptr);
    EXPECT_EQ(walk->ZDLLength(), 0);
    delete walk;
}
