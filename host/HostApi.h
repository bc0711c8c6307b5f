// Export marker and basic types shared by every host-layer header.
//
// Threads: declarations only; nothing here holds state.
#pragma once

#if defined(_WIN32)
#define HOST_API __declspec(dllexport)
#else
#define HOST_API __attribute__((visibility("default")))
#endif

// The host's yes/no enumeration.
enum __boolean { ZFALSE = 0, ZTRUE = 1 };

// Value types a CZanAtom can hold. The numbers are part of the host ABI:
// agents test ZAType() against ZAN_STRING (2).
enum EZanDataType {
    ZAN_NULL = 0,
    ZAN_INTEGER = 1,
    ZAN_STRING = 2,
    ZAN_VBLIST = 3,
    ZAN_VECTOR = 4,
};
