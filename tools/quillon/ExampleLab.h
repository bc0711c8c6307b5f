// The example lab built into the program, so that a discovery runs with no
// lab file at hand. Its text is examples/lab.json as it was at build time.
#pragma once

#include <string_view>

class ExampleLab {
public:
    static std::string_view Text();
    // How messages name it.
    static constexpr const char* Label = "built-in example lab";
};
