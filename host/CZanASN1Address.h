// An SNMP row index: a sequence of sub-identifiers.
//
// Threads: an object serves one thread at a time; objects share nothing.
#pragma once

#include <cstdint>
#include <vector>

#include "CZanObject.h"
#include "HostApi.h"

class HOST_API CZanASN1Address : public CZanObject {
public:
    explicit CZanASN1Address(std::vector<uint32_t> components);
    ~CZanASN1Address() override;

    // The component at a position as a signed 32-bit int (4294967295 reads
    // as -1), or -1 outside the address.
    int ZAAAddressAt(int position) const;
    int ZAALength() const { return static_cast<int>(m_Components.size()); }

private:
    std::vector<uint32_t> m_Components;
};
