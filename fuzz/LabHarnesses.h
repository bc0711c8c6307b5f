// Harnesses for the program's side: lab files of arbitrary bytes, and
// arbitrary bytes written into a JSON report. Each returns false when a
// property that must hold for any input did not. The fuzz targets and the
// regression tests share them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <set>
#include <string>
#include <string_view>

#include <nlohmann/json.hpp>

#include "JsonTextWriter.h"
#include "LabLoader.h"
#include "Utf8Text.h"

namespace quillon_fuzz {

// Whether the text is well-formed UTF-8 throughout.
inline bool IsUtf8(std::string_view text) {
    for (size_t position = 0; position < text.size();) {
        size_t invalid = 0;
        const size_t length = Utf8Text::SequenceLength(text, position, invalid);
        if (length == 0)
            return false;
        position += length;
    }
    return true;
}

// A lab file of the input's bytes. A refused lab leaves one line of valid
// UTF-8 that names the lab and adds no device; an accepted one adds devices
// with distinct names. A second load of the same text is refused (its names
// are taken) or adds nothing when the lab has no device.
inline bool LabFile(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    LabLoader loader;
    std::string error;
    const bool loaded = loader.LoadText("fuzz.json", text, error);
    if (!loaded) {
        return loader.Devices().empty() && error.rfind("fuzz.json: ", 0) == 0 &&
               error.find('\n') == std::string::npos && IsUtf8(error);
    }
    std::set<std::string> names;
    for (const LabLoader::Device& device : loader.Devices()) {
        if (device.device == nullptr || device.source != "fuzz.json" ||
            !names.insert(device.name).second)
            return false;
    }
    const size_t count = loader.Devices().size();
    std::string again;
    const bool reloaded = loader.LoadText("again.json", text, again);
    if (count == 0)
        return reloaded && loader.Devices().empty();
    return !reloaded && loader.Devices().size() == count && again.find('\n') == std::string::npos;
}

// Device bytes written as a JSON string: the writer's text is valid JSON
// whose string is the bytes with each ill-formed stretch replaced by U+FFFD.
inline bool ReportText(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    JsonTextWriter writer;
    writer.BeginObject();
    writer.Key(bytes);
    writer.String(bytes);
    writer.EndObject();
    const nlohmann::json parsed = nlohmann::json::parse(writer.Text(), nullptr, false);
    if (parsed.is_discarded() || !parsed.is_object() || parsed.size() != 1)
        return false;
    const std::string repaired = Utf8Text::Repaired(bytes);
    const auto member = parsed.begin();
    return IsUtf8(repaired) && member.key() == repaired && member->is_string() &&
           member->get<std::string>() == repaired;
}

struct LabHarness {
    const char* name;
    bool (*run)(const uint8_t* data, size_t size);
};

// Every harness of the program's side, by the name of its fuzz target and
// corpus folder.
inline const LabHarness kLabHarnesses[] = {
    {"lab_loader", &LabFile},
    {"report_text", &ReportText},
};

} // namespace quillon_fuzz
