// Device output can hold any byte, while a lab file (strict JSON) cannot hold
// bytes that are not UTF-8: so a router that answers with such bytes is set
// up here in memory, discovered through the built plug-in, and written as a
// JSON report. The report must be valid UTF-8 JSON, with U+FFFD standing for
// each ill-formed stretch of every text that reached it.
#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "CScoutDevice.h"
#include "CScoutLabDevice.h"
#include "DiscoveryRun.h"
#include "JsonReportWriter.h"
#include "LabLoader.h"
#include "PluginLoader.h"

namespace {

using nlohmann::json;

const std::string kFFFD = "\xEF\xBF\xBD";

LabLoader::Device Router(const std::string& name, const std::vector<std::string>& listed,
                         const std::vector<std::string>& ifDescr) {
    LabLoader::Device device;
    device.name = name;
    device.source = "memory";
    device.index = 0;
    device.device = std::make_unique<CScoutLabDevice>();
    device.device->SLDEnableCommands();
    std::string list = "IS-IS Router: <Null Tag>\n  Interfaces supported by IS-IS:\n";
    for (const std::string& interfaceName : listed)
        list += "        " + interfaceName + " - OSI - IP\n";
    device.device->SLDSetCommand("show clns protocol", list);
    std::vector<CScoutSnmpRow> rows;
    for (size_t i = 0; i < ifDescr.size(); ++i) {
        CScoutSnmpRow row;
        row.hasIndex = true;
        row.index = static_cast<long long>(i + 1);
        row.isString = true;
        row.value = ifDescr[i];
        rows.push_back(row);
    }
    device.device->SLDSetIfDescr(std::move(rows));
    return device;
}

TEST(HostileBytes, IllFormedUtf8BecomesReplacementCharacters) {
    PluginLoader plugin;
    std::string error;
    ASSERT_TRUE(plugin.Load(std::string(QUILLON_BIN_DIR) + "/libAgentQuillon.so", error)) << error;

    // Names with a bad continuation, a truncated sequence, an overlong form,
    // an encoded surrogate and bytes that never start a character. The last
    // one is missing from the ifDescr walk, so its name reaches an error
    // message.
    const std::vector<std::string> names = {"Et\xC3\x28"
                                            "0/0",
                                            "Se\xE2\x82", "Gi\xC0\xAF", "Po\xED\xA0\x80",
                                            "Lo\xFF\xFE"};
    std::vector<LabLoader::Device> devices;
    devices.push_back(
        Router("R\xF0\x9F\x98", names, std::vector<std::string>(names.begin(), names.end() - 1)));

    JsonReportWriter writer;
    writer.Begin(plugin.Name(), plugin.Description(), plugin.Version());
    testing::internal::CaptureStderr();
    DiscoveryRun(*plugin.Agent(), writer).Run(devices);
    testing::internal::GetCapturedStderr();
    writer.End();

    // Parsing refuses text that is not UTF-8.
    const json report = json::parse(writer.Text());
    const json& entity = report["entities"][0];
    EXPECT_EQ(entity["name"], "R" + kFFFD);
    std::set<std::string> locals;
    for (const json& local : entity["localNeighbours"])
        locals.insert(local["m_IfDescr"].get<std::string>());
    EXPECT_EQ(locals, (std::set<std::string>{"Et" + kFFFD + "(0/0", "Se" + kFFFD,
                                             "Gi" + kFFFD + kFFFD, "Po" + kFFFD + kFFFD + kFFFD}));
    ASSERT_EQ(entity["errors"].size(), 1u);
    const std::string message = entity["errors"][0]["message"];
    EXPECT_NE(message.find("Lo" + kFFFD + kFFFD), std::string::npos) << message;
    EXPECT_NE(message.find("R" + kFFFD), std::string::npos) << message;
}

} // namespace
