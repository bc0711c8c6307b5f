// Mediation data: one key space for pointer entries and walks, refusal of a
// held key, walk replacement, byte-wise key order.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "CScoutMediationData.h"
#include "CZanDoubleList.h"

TEST(MediationData, PointerEntriesAreRefusedOnAHeldKey) {
    CScoutMediationData md;
    int first = 1, second = 2;
    EXPECT_EQ(md.SMDAddDataPtr("isisService", &first), 1);
    EXPECT_EQ(md.SMDAddDataPtr("isisService", &second), 0);
    EXPECT_EQ(md.SMDGetDataPtr("isisService"), &first);
    EXPECT_EQ(md.SMDRemoveDataPtr("isisService"), &first);
    EXPECT_EQ(md.SMDRemoveDataPtr("isisService"), nullptr);
    EXPECT_EQ(md.SMDGetDataPtr("isisService"), nullptr);
    EXPECT_EQ(md.SMDAddDataPtr("isisService", &second), 1);
    EXPECT_EQ(md.SMDRemoveDataPtr("isisService"), &second);
}

TEST(MediationData, WalksShareTheKeySpaceAndReplaceOlderEntries) {
    int agentObject = 0;
    CScoutMediationData md;
    md.SMDAddDataPtr("ifDescr", &agentObject);
    auto* older = new CZanDoubleList(true);
    md.SMDStoreSnmpWalk("ifDescr", older); // drops the pointer entry, never frees it
    EXPECT_EQ(md.SMDGetDataPtr("ifDescr"), nullptr);
    EXPECT_EQ(md.SMDGetSnmpGetNext("ifDescr"), older);
    EXPECT_EQ(md.SMDAddDataPtr("ifDescr", &agentObject), 0);
    EXPECT_EQ(md.SMDRemoveDataPtr("ifDescr"), nullptr);

    auto* newer = new CZanDoubleList(true);
    md.SMDStoreSnmpWalk("ifDescr", newer); // frees the older walk
    md.SMDStoreSnmpWalk("ifDescr", newer); // storing the same walk again keeps it
    EXPECT_EQ(md.SMDGetSnmpGetNext("ifDescr"), newer);
    EXPECT_EQ(md.SMDGetSnmpGetNext("ifType"), nullptr);
    EXPECT_EQ(md.SMDKeys(), (std::vector<std::string>{"ifDescr"}));
    // The store frees the walk it holds when it goes.
}

TEST(MediationData, KeysComeInByteOrder) {
    int data = 0;
    CScoutMediationData md;
    for (const char* key : {"isisService", "\xE9t\xE9", "ifDescr", "isisConnectivity", "Z"})
        md.SMDAddDataPtr(key, &data);
    md.SMDStoreSnmpWalk("ifType", new CZanDoubleList(true));
    EXPECT_EQ(md.SMDKeys(), (std::vector<std::string>{"Z", "ifDescr", "ifType", "isisConnectivity",
                                                      "isisService", "\xE9t\xE9"}));
}
