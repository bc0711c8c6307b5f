// The record model and its stores, above all who owns and frees what (the
// sanitizer build reports anything leaked or freed twice): atoms, var binds
// and lists, records whose fields are replaced in place, double lists, tree
// lists (refusal and signed key order), the mediation data (one key space for
// pointer entries and walks, byte-wise key order) and the processed data's
// copy of a remote neighbour's key.
#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "CScoutMediationData.h"
#include "CScoutProcessedData.h"
#include "CZanAtom.h"
#include "CZanAtomVector.h"
#include "CZanBaseRecord.h"
#include "CZanDoubleList.h"
#include "CZanPointer.h"
#include "CZanTreeList.h"
#include "CZanVBList.h"
#include "CZanVarBind.h"
#include "Records.h"

namespace {

// A list { name: "R2", levels: ["L1", 7] } wrapped in an atom.
CZanAtom* NestedAtom() {
    auto* levels = new CZanAtomVector(2);
    levels->ZAVAddToEnd(new CZanAtom("L1"));
    levels->ZAVAddToEnd(new CZanAtom(7));
    CZanAtom* vector = new CZanAtom(levels);
    auto* list = new CZanVBList();
    list->ZVBLAddToListEnd(new CZanVarBind("name", "R2"));
    list->ZVBLAddToListEnd(new CZanVarBind("levels", &vector));
    return new CZanAtom(list);
}

// Counts its own destructions, so a test can tell who freed what.
struct Counted : CZanObject {
    explicit Counted(int* deaths) : m_Deaths(deaths) {}
    ~Counted() override { ++*m_Deaths; }
    int* m_Deaths;
};

// The data pointers of the tree's entries, in iteration order.
std::vector<int*> Entries(CZanTreeList& tree) {
    std::vector<int*> data;
    CZanDoubleList* entries = tree.ZTLIterator();
    for (CZanObject* e = entries->ZDLHead(); e != nullptr; e = entries->ZDLGetNext())
        data.push_back(static_cast<int*>(static_cast<CZanPointer*>(e)->ZPData()));
    return data;
}

} // namespace

TEST(RecordModel, VarBindTakesTheAtomOverAndFreesTheWholeTree) {
    CZanAtom* atom = NestedAtom();
    delete new CZanVarBind("m_ISISTOPO", &atom);
    EXPECT_EQ(atom, nullptr);
}

TEST(RecordModel, SettingAFieldAgainReplacesItInPlace) {
    CZanBaseRecord record;
    EXPECT_EQ(record.ZRAddOrSetObjectVal("m_ExtraInfo", new CZanVarBind("old", 1)), 1);
    record.ZRAddOrSetObjectVal("m_Other", new CZanVarBind("other", "x"));
    auto* replacement = new CZanVarBind("new", 2);
    EXPECT_EQ(record.ZRAddOrSetObjectVal("m_ExtraInfo", replacement), 1);
    record.ZRAddOrSetObjectVal("m_ExtraInfo", replacement); // the same var bind again
    ASSERT_EQ(record.ZRFieldCount(), 2);
    EXPECT_EQ(record.ZRFieldName(0), "m_ExtraInfo");
    EXPECT_EQ(record.ZRFieldValue(0), replacement);
}

TEST(RecordModel, ProcessedDataCopiesTheKeyAndOwnsTheRecords) {
    CZanAtom* atom = NestedAtom();
    CZanVarBind key("m_Tree", &atom);
    CScoutProcessedData pd;
    pd.SPDAddLocalNbr(new CZanVBList());
    pd.SPDAddRemoteNbr(&key, new CZanVBList());
    // The key is copied deeply, with all of its content.
    EXPECT_NE(pd.SPDRemoteNbrKey(0)->ZVBAtom()->ZAList(), key.ZVBAtom()->ZAList());
    EXPECT_EQ(quillon_test::Describe(pd.SPDRemoteNbrKey(0)),
              R"(m_Tree={name="R2"; levels=["L1", 7]})");
}

TEST(DoubleList, OwnershipFollowsTheFlagAndTheCursorStopsPastTheEnd) {
    int deaths = 0;
    Counted kept(&deaths);
    auto* borrowing = new CZanDoubleList(false);
    auto* owning = new CZanDoubleList(true);
    borrowing->ZDLAddToEnd(&kept);
    owning->ZDLAddToEnd(new Counted(&deaths));
    CZanObject* head = owning->ZDLHead();
    EXPECT_EQ(owning->ZDLGetNext(), nullptr);
    EXPECT_EQ(owning->ZDLGetNext(), nullptr); // and stays past the end
    EXPECT_EQ(owning->ZDLHead(), head);       // until the head starts over
    delete borrowing;
    delete owning;
    EXPECT_EQ(deaths, 1);
}

TEST(TreeList, KeysAscendSignedAndDuplicatesFollowTheFlag) {
    int v[] = {INT_MAX, -1, 3, INT_MIN, 0, -1};
    CZanTreeList unique(false);
    CZanTreeList multi(true);
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(unique.ZTLAdd(v[i], &v[i]), 1);
        EXPECT_EQ(multi.ZTLAdd(v[i], &v[i]), 1);
    }
    EXPECT_EQ(Entries(multi), (std::vector<int*>{&v[3], &v[1], &v[4], &v[2], &v[0]}));
    EXPECT_EQ(unique.ZTLAdd(-1, &v[5]), 0);
    EXPECT_EQ(multi.ZTLAdd(-1, &v[5]), 1);
    EXPECT_EQ(Entries(unique), (std::vector<int*>{&v[3], &v[1], &v[4], &v[2], &v[0]}));
    // Entries under one key keep the order they came in; the iterator is
    // rebuilt on every call.
    EXPECT_EQ(Entries(multi), (std::vector<int*>{&v[3], &v[1], &v[5], &v[4], &v[2], &v[0]}));
    EXPECT_EQ(multi.ZTLGet(-1)->ZPData(), &v[1]);
    EXPECT_EQ(unique.ZTLGet(1), nullptr);
}

TEST(MediationData, OneKeySpaceForPointersAndWalksInByteOrder) {
    int first = 1, second = 2;
    CScoutMediationData md;
    EXPECT_EQ(md.SMDAddDataPtr("isisService", &first), 1);
    EXPECT_EQ(md.SMDAddDataPtr("isisService", &second), 0); // a held key is refused
    EXPECT_EQ(md.SMDRemoveDataPtr("isisService"), &first);
    EXPECT_EQ(md.SMDRemoveDataPtr("isisService"), nullptr);
    md.SMDAddDataPtr("ifDescr", &first);
    md.SMDStoreSnmpWalk("ifDescr", new CZanDoubleList(true)); // drops, never frees, the pointer
    EXPECT_EQ(md.SMDGetDataPtr("ifDescr"), nullptr);
    EXPECT_EQ(md.SMDAddDataPtr("ifDescr", &second), 0);
    EXPECT_EQ(md.SMDRemoveDataPtr("ifDescr"), nullptr);
    auto* newer = new CZanDoubleList(true);
    md.SMDStoreSnmpWalk("ifDescr", newer); // frees the older walk
    md.SMDStoreSnmpWalk("ifDescr", newer); // the same walk again is kept
    EXPECT_EQ(md.SMDGetSnmpGetNext("ifDescr"), newer);
    for (const char* key : {"isisService", "\xE9t\xE9", "Z"})
        md.SMDAddDataPtr(key, &first);
    EXPECT_EQ(md.SMDKeys(), (std::vector<std::string>{"Z", "ifDescr", "isisService", "\xE9t\xE9"}));
}
