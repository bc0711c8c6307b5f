// Reads a whole regular file that may hold secrets (an inventory, a secret
// file): every buffer it used is wiped, and the text comes back as a Secret.
// Anything but a regular file is refused without waiting on it.
#pragma once

#include <cstddef>
#include <string>

#include "Secret.h"

class InventoryFile {
public:
    // Reads the file at `path`. On failure (it cannot be opened or read, is
    // not a regular file, or is larger than `limit` bytes), returns false
    // and sets `why`, which names neither the path nor the contents.
    static bool Read(const std::string& path, std::size_t limit, Secret& contents,
                     std::string& why);
};
