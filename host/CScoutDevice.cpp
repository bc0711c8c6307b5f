#include "CScoutDevice.h"

CScoutDevice::~CScoutDevice() = default;
