#include "ScoutAgentUtils.h"

#include <cstring>

#include "CScoutMediationData.h"
#include "CScoutStdRequester.h"
#include "CZanASN1Address.h"
#include "CZanAtom.h"
#include "CZanDoubleList.h"
#include "CZanPointer.h"
#include "CZanRecord.h"
#include "CZanSnmpVarOp.h"
#include "CZanTreeList.h"

int SAUFStoreSnmpList(CZanRecord* ne, CScoutStdRequester* requester, const char* column,
                      CScoutMediationData* md) {
    if (requester == nullptr || column == nullptr || md == nullptr)
        return 0;
    CZanDoubleList* walk = requester->SSRGetSNMPWalk(ne, column);
    if (walk == nullptr)
        return 0;
    md->SMDStoreSnmpWalk(column, walk);
    return 1;
}

int SAUFWrapSNMPInTreeList(const char* column, bool keyByIndex, CScoutMediationData* md,
                           CZanTreeList** tree, bool stringsOnly) {
    if (tree == nullptr)
        return 0;
    *tree = nullptr;
    if (column == nullptr || md == nullptr)
        return 0;
    CZanDoubleList* walk = md->SMDGetSnmpGetNext(column);
    if (walk == nullptr)
        return 0;
    // Rows sharing an index are all kept, in walk order.
    auto* result = new CZanTreeList(true);
    int position = 0;
    for (CZanObject* element = walk->ZDLHead(); element != nullptr;
         element = walk->ZDLGetNext(), ++position) {
        auto* row = dynamic_cast<CZanSnmpVarOp*>(element);
        if (row == nullptr)
            continue;
        if (stringsOnly &&
            (row->ZSVOValue() == nullptr || row->ZSVOValue()->ZAType() != ZAN_STRING))
            continue;
        if (!keyByIndex) {
            result->ZTLAdd(position, row);
            continue;
        }
        if (row->ZSVOASN1() == nullptr || row->ZSVOASN1()->ZAALength() == 0)
            continue;
        result->ZTLAdd(row->ZSVOASN1()->ZAAAddressAt(0), row);
    }
    *tree = result;
    return 1;
}

void SAUFGetIndexFromSnmpTreeList(const char* name, CZanTreeList* tree, CZanASN1Address** index) {
    if (index == nullptr)
        return;
    *index = nullptr;
    if (name == nullptr || tree == nullptr)
        return;
    CZanDoubleList* entries = tree->ZTLIterator();
    for (CZanObject* element = entries->ZDLHead(); element != nullptr;
         element = entries->ZDLGetNext()) {
        auto* entry = static_cast<CZanPointer*>(element);
        auto* row = static_cast<CZanSnmpVarOp*>(entry->ZPData());
        if (row == nullptr)
            continue;
        const CZanAtom* value = row->ZSVOValue();
        if (value == nullptr || value->ZAType() != ZAN_STRING)
            continue;
        if (std::strcmp(value->ZAString(), name) != 0)
            continue;
        // The first match decides, whether or not it carries an index.
        *index = row->ZSVOASN1();
        return;
    }
}

const char* SAUFGetEntityIdentifier(CZanRecord* ne) {
    return ne != nullptr ? ne->ZRIdentifier().c_str() : "";
}

void SAUFSoftDeleteTree(CZanTreeList* tree) {
    delete tree;
}

void SAUFAppendIntToString(std::string& text, int value) {
    text += std::to_string(value);
}
