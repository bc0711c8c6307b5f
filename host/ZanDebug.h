// The host's global trace level. Agents write their trace lines when the
// level is at or above the line's own level (1 to 4).
#pragma once

#include "HostApi.h"

extern HOST_API int __Zandemar_Debug_Level;
