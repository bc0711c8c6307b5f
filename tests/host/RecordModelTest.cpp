// Record model: ownership of atoms, var binds and lists, field replacement,
// and the copy the processed data keeps of a remote neighbour's key.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "CScoutProcessedData.h"
#include "CZanAtom.h"
#include "CZanAtomVector.h"
#include "CZanBaseRecord.h"
#include "CZanVBList.h"
#include "CZanVarBind.h"

namespace {

// A list { name: "R2", levels: ["L1", 7] } wrapped in an atom.
CZanAtom* NestedAtom() {
    auto* levels = new CZanAtomVector(2);
    levels->ZAVAddToEnd(new CZanAtom("L1"));
    levels->ZAVAddToEnd(new CZanAtom(7));
    auto* list = new CZanVBList();
    list->ZVBLAddToListEnd(new CZanVarBind("name", "R2"));
    CZanAtom* vector = new CZanAtom(levels);
    list->ZVBLAddToListEnd(new CZanVarBind("levels", &vector));
    return new CZanAtom(list);
}

} // namespace

TEST(RecordModel, VarBindTakesAtomOverAndFreesTheWholeTree) {
    CZanAtom* atom = NestedAtom();
    const CZanAtom* held = atom;
    auto* vb = new CZanVarBind("m_ISISTOPO", &atom);
    EXPECT_EQ(atom, nullptr);
    ASSERT_EQ(vb->ZVBKind(), CZanVarBind::VB_ATOM);
    ASSERT_EQ(vb->ZVBAtom(), held);
    const CZanVBList* list = held->ZAList();
    ASSERT_NE(list, nullptr);
    const CZanAtomVector* levels = list->ZVBLFind("levels")->ZVBAtom()->ZAVector();
    ASSERT_EQ(levels->ZAVSize(), 2);
    EXPECT_STREQ(levels->ZAVGetValue(0)->ZAString(), "L1");
    EXPECT_EQ(levels->ZAVGetValue(1)->ZAInteger(), 7);
    EXPECT_EQ(levels->ZAVGetValue(2), nullptr);
    EXPECT_EQ(levels->ZAVGetValue(-1), nullptr);
    delete vb; // the sanitizer build reports anything left or freed twice
}

TEST(RecordModel, StringAtomCopiesUpToTheNul) {
    char text[] = "Ethernet0\0tail";
    CZanAtom atom(text);
    text[0] = 'X';
    EXPECT_EQ(atom.ZAType(), ZAN_STRING);
    EXPECT_EQ(atom.ZAText(), "Ethernet0");
    EXPECT_EQ(CZanAtom().ZAType(), ZAN_NULL);
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
    EXPECT_EQ(record.ZRFieldName(1), "m_Other");
    EXPECT_EQ(record.ZRGetObjectVal("m_ExtraInfo"), replacement);
    EXPECT_EQ(record.ZRGetObjectVal("m_Missing"), nullptr);
}

TEST(RecordModel, ListKeepsRepeatedNamesInOrder) {
    CZanVBList list;
    list.ZVBLAddToListEnd(new CZanVarBind("m_IfIndex", 3));
    list.ZVBLAddToListEnd(new CZanVarBind("m_ISISTOPO", "first"));
    list.ZVBLAddToListEnd(new CZanVarBind("m_ISISTOPO", "second"));
    ASSERT_EQ(list.ZVBLSize(), 3);
    EXPECT_EQ(list.ZVBLGet(2)->ZVBString(), "second");
    EXPECT_EQ(list.ZVBLFind("m_ISISTOPO")->ZVBString(), "first");
    EXPECT_EQ(list.ZVBLFind("absent"), nullptr);
    EXPECT_EQ(list.ZVBLGet(3), nullptr);
}

TEST(RecordModel, ProcessedDataCopiesTheKeyAndOwnsTheRecords) {
    CZanAtom* atom = NestedAtom();
    CZanVarBind keys[] = {CZanVarBind("m_IfIndex", -4),
                          CZanVarBind("m_Name", std::string("a\0b", 3)),
                          CZanVarBind("m_Tree", &atom)};
    CScoutProcessedData pd;
    pd.SPDAddLocalNbr(new CZanVBList());
    for (CZanVarBind& key : keys) {
        auto* record = new CZanVBList();
        record->ZVBLAddToListEnd(new CZanVarBind("m_RemoteNbrIpAddr", "10.0.0.2"));
        EXPECT_EQ(pd.SPDAddRemoteNbr(&key, record), 1);
    }
    ASSERT_EQ(pd.SPDLocalNbrCount(), 1);
    ASSERT_EQ(pd.SPDRemoteNbrCount(), 3);
    for (int i = 0; i < 3; ++i) {
        const CZanVarBind* copy = pd.SPDRemoteNbrKey(i);
        SCOPED_TRACE(keys[i].ZVBName());
        ASSERT_NE(copy, &keys[i]);
        EXPECT_EQ(copy->ZVBName(), keys[i].ZVBName());
        EXPECT_EQ(copy->ZVBKind(), keys[i].ZVBKind());
        EXPECT_EQ(copy->ZVBInteger(), keys[i].ZVBInteger());
        EXPECT_EQ(copy->ZVBString(), keys[i].ZVBString());
        EXPECT_EQ(pd.SPDRemoteNbr(i)->ZVBLGet(0)->ZVBString(), "10.0.0.2");
    }
    // The atom key is copied deeply: same content, none of it shared.
    const CZanAtom* copied = pd.SPDRemoteNbrKey(2)->ZVBAtom();
    ASSERT_NE(copied, nullptr);
    ASSERT_NE(copied, keys[2].ZVBAtom());
    ASSERT_NE(copied->ZAList(), keys[2].ZVBAtom()->ZAList());
    EXPECT_EQ(copied->ZAList()->ZVBLFind("name")->ZVBString(), "R2");
    const CZanAtomVector* levels = copied->ZAList()->ZVBLFind("levels")->ZVBAtom()->ZAVector();
    ASSERT_EQ(levels->ZAVSize(), 2);
    EXPECT_EQ(levels->ZAVGetValue(0)->ZAText(), "L1");
    EXPECT_EQ(levels->ZAVGetValue(1)->ZAType(), ZAN_INTEGER);
    EXPECT_EQ(levels->ZAVGetValue(1)->ZAInteger(), 7);
}
