// Export marker of the plug-in: only what carries it is visible to the host.
#pragma once

#if defined(_WIN32)
#define QUILLON_API __declspec(dllexport)
#else
#define QUILLON_API __attribute__((visibility("default")))
#endif
