#include "CZanASN1Address.h"

#include <cstddef>
#include <utility>

CZanASN1Address::CZanASN1Address(std::vector<uint32_t> components)
    : m_Components(std::move(components)) {}

CZanASN1Address::~CZanASN1Address() = default;

int CZanASN1Address::ZAAAddressAt(int position) const {
    if (position < 0 || position >= ZAALength())
        return -1;
    return static_cast<int32_t>(m_Components[static_cast<size_t>(position)]);
}
