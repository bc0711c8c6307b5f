// Double list cursor and ownership, tree list refusal and key order, and
// SNMP index components.
#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <vector>

#include "CZanASN1Address.h"
#include "CZanDoubleList.h"
#include "CZanPointer.h"
#include "CZanTreeList.h"

namespace {

// Counts its own destructions, so a test can tell who freed what.
class Counted : public CZanObject {
public:
    explicit Counted(int* deaths) : m_Deaths(deaths) {}
    ~Counted() override { ++*m_Deaths; }

private:
    int* m_Deaths;
};

std::vector<int> Keys(CZanTreeList& tree, std::vector<int*>* data = nullptr) {
    std::vector<int> keys;
    CZanDoubleList* entries = tree.ZTLIterator();
    for (CZanObject* e = entries->ZDLHead(); e != nullptr; e = entries->ZDLGetNext()) {
        int* value = static_cast<int*>(static_cast<CZanPointer*>(e)->ZPData());
        keys.push_back(*value);
        if (data != nullptr)
            data->push_back(value);
    }
    return keys;
}

} // namespace

TEST(DoubleList, CursorWalksAndStopsPastTheEnd) {
    int deaths = 0;
    auto* list = new CZanDoubleList(true);
    EXPECT_EQ(list->ZDLHead(), nullptr);
    EXPECT_EQ(list->ZDLGetNext(), nullptr);
    EXPECT_EQ(list->ZDLNextOf(nullptr), nullptr);
    CZanObject* items[3];
    for (CZanObject*& item : items) {
        item = new Counted(&deaths);
        list->ZDLAddToEnd(item);
    }
    EXPECT_EQ(list->ZDLLength(), 3);
    EXPECT_EQ(list->ZDLHead(), items[0]);
    EXPECT_EQ(list->ZDLGetNext(), items[1]);
    EXPECT_EQ(list->ZDLGetNext(), items[2]);
    EXPECT_EQ(list->ZDLGetNext(), nullptr);
    EXPECT_EQ(list->ZDLGetNext(), nullptr);
    EXPECT_EQ(list->ZDLHead(), items[0]); // the head starts over
    EXPECT_EQ(list->ZDLNextOf(nullptr), items[0]);
    EXPECT_EQ(list->ZDLNextOf(items[1]), items[2]);
    EXPECT_EQ(list->ZDLNextOf(items[2]), nullptr);
    delete list;
    EXPECT_EQ(deaths, 3);

    Counted kept(&deaths);
    auto* borrowing = new CZanDoubleList(false);
    borrowing->ZDLAddToEnd(&kept);
    delete borrowing;
    EXPECT_EQ(deaths, 3);
}

TEST(TreeList, KeysAscendSignedAndDuplicatesFollowTheFlag) {
    int values[] = {INT_MAX, -1, 3, INT_MIN, 0};
    CZanTreeList unique(false);
    CZanTreeList multi(true);
    for (int& value : values) {
        EXPECT_EQ(unique.ZTLAdd(value, &value), 1);
        EXPECT_EQ(multi.ZTLAdd(value, &value), 1);
    }
    int again = -1;
    EXPECT_EQ(unique.ZTLAdd(-1, &again), 0);
    EXPECT_EQ(multi.ZTLAdd(-1, &again), 1);
    EXPECT_EQ(unique.ZTLSize(), 5);
    EXPECT_EQ(multi.ZTLSize(), 6);
    EXPECT_EQ(Keys(unique), (std::vector<int>{INT_MIN, -1, 0, 3, INT_MAX}));
    std::vector<int*> order;
    EXPECT_EQ(Keys(multi, &order), (std::vector<int>{INT_MIN, -1, -1, 0, 3, INT_MAX}));
    EXPECT_EQ(order[1], &values[1]); // entries under one key keep the order they came in
    EXPECT_EQ(order[2], &again);
    EXPECT_EQ(unique.ZTLGet(-1)->ZPData(), &values[1]);
    EXPECT_EQ(multi.ZTLGet(-1)->ZPData(), &values[1]);
    EXPECT_EQ(unique.ZTLGet(1), nullptr);
}

TEST(TreeList, IteratorIsRebuiltOnEveryCall) {
    int a = 5, b = -7;
    CZanTreeList tree(false);
    EXPECT_EQ(tree.ZTLIterator()->ZDLLength(), 0);
    tree.ZTLAdd(a, &a);
    EXPECT_EQ(Keys(tree), (std::vector<int>{5}));
    tree.ZTLAdd(b, &b);
    EXPECT_EQ(Keys(tree), (std::vector<int>{-7, 5}));
    // Deleting the tree frees entries and iterator, never the data.
}

TEST(ASN1Address, ComponentsReadAsSignedInts) {
    const CZanASN1Address address({0u, 7u, 2147483647u, 2147483648u, 4294967295u});
    const int expected[] = {0, 7, INT_MAX, INT_MIN, -1};
    ASSERT_EQ(address.ZAALength(), 5);
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(address.ZAAAddressAt(i), expected[i]) << i;
    EXPECT_EQ(address.ZAAAddressAt(5), -1);
    EXPECT_EQ(address.ZAAAddressAt(-1), -1);
    EXPECT_EQ(CZanASN1Address({}).ZAAAddressAt(0), -1);
}
