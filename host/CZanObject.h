// Common base of the objects that host containers (CZanDoubleList) hold.
//
// Threads: the base holds nothing; what a derived object allows is said
// with it.
#pragma once

#include "HostApi.h"

class HOST_API CZanObject {
public:
    CZanObject() = default;
    CZanObject(const CZanObject&) = delete;
    CZanObject& operator=(const CZanObject&) = delete;
    virtual ~CZanObject();
};
