// Export marker of the plug-in: only what carries it is visible to the host.
#pragma once

#if defined(_WIN32)
#define QUILLON_API __declspec(dllexport)
#else
#define QUILLON_API __attribute__((visibility("default")))
#endif

// A member of an exported class that stays inside the plug-in.
#if defined(_WIN32)
#define QUILLON_LOCAL
#else
#define QUILLON_LOCAL __attribute__((visibility("hidden")))
#endif
