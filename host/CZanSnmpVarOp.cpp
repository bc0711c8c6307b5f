#include "CZanSnmpVarOp.h"

#include "CZanASN1Address.h"
#include "CZanAtom.h"

CZanSnmpVarOp::CZanSnmpVarOp(CZanASN1Address* index, CZanAtom* value)
    : m_Index(index), m_Value(value) {}

CZanSnmpVarOp::~CZanSnmpVarOp() {
    delete m_Index;
    delete m_Value;
}
