// The agent utilities over SNMP walks: storing a walk, wrapping it in a tree
// list, and finding a name's index.
#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <utility>
#include <vector>

#include "CScoutEntity.h"
#include "CScoutLabDevice.h"
#include "CScoutStdRequester.h"
#include "CZanASN1Address.h"
#include "CZanAtom.h"
#include "CZanDoubleList.h"
#include "CZanPointer.h"
#include "CZanSnmpVarOp.h"
#include "CZanTreeList.h"
#include "ScoutAgentUtils.h"

namespace {

struct Row {
    bool hasIndex;
    long long index;
    bool isString;
    const char* value;
};

// An entity whose device has the given ifDescr column, stored in its
// mediation data.
class Walked {
public:
    explicit Walked(const std::vector<Row>& rows) {
        std::vector<CScoutSnmpRow> walk;
        for (const Row& r : rows) {
            CScoutSnmpRow row;
            row.hasIndex = r.hasIndex;
            row.index = r.index;
            row.isString = r.isString;
            row.value = r.value;
            walk.push_back(row);
        }
        m_Device.SLDSetIfDescr(std::move(walk));
        m_Requester.SSRAddDevice("R1", &m_Device);
        m_Stored = SAUFStoreSnmpList(&m_Entity.SERecord(), &m_Requester, "ifDescr",
                                     &m_Entity.SEMediationData());
    }
    int Stored() const { return m_Stored; }
    CScoutMediationData* md() { return &m_Entity.SEMediationData(); }

    // (key, value) of each tree entry, in iteration order.
    std::vector<std::pair<int, std::string>> Wrap(bool keyByIndex, bool stringsOnly) {
        CZanTreeList* tree = nullptr;
        EXPECT_EQ(SAUFWrapSNMPInTreeList("ifDescr", keyByIndex, md(), &tree, stringsOnly), 1);
        std::vector<std::pair<int, std::string>> entries;
        if (tree == nullptr)
            return entries;
        CZanDoubleList* list = tree->ZTLIterator();
        for (CZanObject* e = list->ZDLHead(); e != nullptr; e = list->ZDLGetNext()) {
            auto* op = static_cast<CZanSnmpVarOp*>(static_cast<CZanPointer*>(e)->ZPData());
            int key = op->ZSVOASN1() != nullptr ? op->ZSVOASN1()->ZAAAddressAt(0) : INT_MIN;
            entries.emplace_back(key, op->ZSVOValue()->ZAType() == ZAN_STRING
                                          ? op->ZSVOValue()->ZAText()
                                          : "<none>");
        }
        SAUFSoftDeleteTree(tree);
        return entries;
    }

    // The index found for the name in a position-keyed tree; -2 for none.
    int Lookup(const char* name) {
        CZanTreeList* tree = nullptr;
        SAUFWrapSNMPInTreeList("ifDescr", false, md(), &tree, false);
        CZanASN1Address stale({12345});
        CZanASN1Address* index = &stale; // must be overwritten
        SAUFGetIndexFromSnmpTreeList(name, tree, &index);
        SAUFSoftDeleteTree(tree);
        return index != nullptr ? index->ZAAAddressAt(0) : -2;
    }

private:
    CScoutLabDevice m_Device;
    CScoutStdRequester m_Requester;
    CScoutEntity m_Entity{"R1"};
    int m_Stored = 0;
};

const std::vector<Row> kRows = {{true, 7, true, "Serial1/0"},    {true, -3, true, "Ethernet0/0"},
                                {true, 2, false, "x"},           {false, 0, true, "Loopback0"},
                                {true, 9, true, "Loopback0"},    {true, 4, true, "Serial1/0"},
                                {true, 5, true, "Tunnel0\0tail"}};

} // namespace

TEST(SnmpUtils, StoringAWalkNeedsADeviceThatAnswersIt) {
    CScoutLabDevice silent;
    CScoutStdRequester requester;
    requester.SSRAddDevice("R1", &silent);
    CScoutEntity entity("R1");
    CScoutMediationData& md = entity.SEMediationData();
    EXPECT_EQ(SAUFStoreSnmpList(&entity.SERecord(), &requester, "ifDescr", &md), 0);
    EXPECT_TRUE(md.SMDKeys().empty());
    CZanTreeList* tree = reinterpret_cast<CZanTreeList*>(&md);
    EXPECT_EQ(SAUFWrapSNMPInTreeList("ifDescr", false, &md, &tree, false), 0);
    EXPECT_EQ(tree, nullptr);

    Walked empty({});
    EXPECT_EQ(empty.Stored(), 1);
    EXPECT_NE(empty.md()->SMDGetSnmpGetNext("ifDescr"), nullptr);
    EXPECT_TRUE(empty.Wrap(false, false).empty());
    EXPECT_TRUE(empty.Wrap(true, true).empty());
    EXPECT_EQ(empty.Lookup("Serial1/0"), -2);
}

TEST(SnmpUtils, TreesKeyRowsByPositionOrByIndex) {
    Walked walked(kRows);
    ASSERT_EQ(walked.Stored(), 1);
    using Entries = std::vector<std::pair<int, std::string>>;
    EXPECT_EQ(walked.Wrap(false, false), (Entries{{7, "Serial1/0"},
                                                  {-3, "Ethernet0/0"},
                                                  {2, "<none>"},
                                                  {INT_MIN, "Loopback0"},
                                                  {9, "Loopback0"},
                                                  {4, "Serial1/0"},
                                                  {5, "Tunnel0"}}));
    EXPECT_EQ(walked.Wrap(false, true).size(), 6u);
    EXPECT_EQ(walked.Wrap(true, true), (Entries{{-3, "Ethernet0/0"},
                                                {4, "Serial1/0"},
                                                {5, "Tunnel0"},
                                                {7, "Serial1/0"},
                                                {9, "Loopback0"}}));
    EXPECT_EQ(walked.Wrap(true, false).size(), 6u);
}

TEST(SnmpUtils, LookupTakesTheFirstMatchingRow) {
    Walked walked(kRows);
    EXPECT_EQ(walked.Lookup("Serial1/0"), 7); // not the later row 4
    EXPECT_EQ(walked.Lookup("Ethernet0/0"), -3);
    EXPECT_EQ(walked.Lookup("Loopback0"), -2); // first match has no index; row 9 is not used
    EXPECT_EQ(walked.Lookup("x"), -2);         // rows without a string value never match
    EXPECT_EQ(walked.Lookup("Tunnel0"), 5);    // values end at their first NUL
    EXPECT_EQ(walked.Lookup("serial1/0"), -2); // byte for byte
    EXPECT_EQ(walked.Lookup("Serial1/"), -2);
    EXPECT_EQ(walked.md()->SMDKeys(), (std::vector<std::string>{"ifDescr"})); // the walk stays
}

TEST(SnmpUtils, SmallHelpers) {
    std::string text = "idx";
    SAUFAppendIntToString(text, INT_MIN);
    SAUFAppendIntToString(text, 0);
    EXPECT_EQ(text, "idx-21474836480");
    CZanRecord record(std::string("core\0lab", 8));
    EXPECT_STREQ(SAUFGetEntityIdentifier(&record), "core");
    SAUFSoftDeleteTree(nullptr);
}
