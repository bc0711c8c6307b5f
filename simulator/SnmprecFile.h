// The SNMP data of one served router, as snmpsimd reads it: a ".snmprec"
// text of "OID|type|value" lines in object identifier order.
//
// Besides the ifDescr column it holds sysDescr, sysObjectID, sysUpTime and
// sysName, so generic SNMP tools find a Cisco router there. What the column
// can hold of a lab's rows:
//  - a row without an index has no object identifier and is left out;
//  - the index is reduced to its lower 32 bits, as a lab reduces it;
//  - rows come back in index order, whatever their order in the lab, and of
//    rows with the same index only the first is served;
//  - a string is an OCTET STRING, written in hex ("4x") unless it is
//    printable ASCII without a space at either end, so every byte survives;
//  - a row whose value is not a string is the INTEGER 0.
#pragma once

#include <string>

#include "ServedRouter.h"

class SnmprecFile {
public:
    static std::string Render(const ServedRouter& router);
};
