// The host's global trace level. Agents write their trace lines when the
// level is at or above the line's own level (1 to 4), to std::cout; a host
// that works on entities side by side holds each one's lines back with a
// CScoutOutputCapture.
//
// Threads: the program sets the level before agents run on several threads
// and leaves it alone while they run; agents then read it without locks.
#pragma once

#include "HostApi.h"

extern HOST_API int __Zandemar_Debug_Level;
