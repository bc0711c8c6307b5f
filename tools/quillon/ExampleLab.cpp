#include "ExampleLab.h"

#include <cstddef>

// Defined in the source generated from examples/lab.json.
extern const unsigned char g_ExampleLabBytes[];
extern const std::size_t g_ExampleLabSize;

std::string_view ExampleLab::Text() {
    return std::string_view(reinterpret_cast<const char*>(g_ExampleLabBytes), g_ExampleLabSize);
}
