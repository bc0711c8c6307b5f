#include "CScoutDevice.h"

CScoutDevice::~CScoutDevice() = default;

const std::string* CScoutDevice::SDHeldOutput(const std::string&) const {
    return nullptr;
}
