// One row of an SNMP walk: its index (or none) and its value atom (or none).
// The var op owns both.
//
// Threads: an object serves one thread at a time; objects share nothing.
#pragma once

#include "CZanObject.h"
#include "HostApi.h"

class CZanASN1Address;
class CZanAtom;

class HOST_API CZanSnmpVarOp : public CZanObject {
public:
    CZanSnmpVarOp(CZanASN1Address* index, CZanAtom* value);
    ~CZanSnmpVarOp() override;

    CZanASN1Address* ZSVOASN1() const { return m_Index; }
    CZanAtom* ZSVOValue() const { return m_Value; }

private:
    CZanASN1Address* m_Index;
    CZanAtom* m_Value;
};
