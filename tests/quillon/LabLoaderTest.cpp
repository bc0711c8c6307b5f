// The lab loader: what a well-formed lab gives the requester, and the place
// each kind of malformed lab is refused at.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "CScoutDevice.h"
#include "CScoutLabDevice.h"
#include "LabLoader.h"

namespace {

TEST(LabLoader, WellFormedLabGivesDevicesInOrder) {
    const std::string text = R"({
  "devices": [
    {"name": "R1",
     "commands": {"show clns protocol": "IS-IS Router: <Null Tag>\n", "show run": ""},
     "ifDescr": [[1, "Ethernet0/0"], [4294967295, "Serial1/0"], [null, "Null0"], [7, 12]]},
    {"name": "R2", "commands": {}},
    {"name": "R3"}
  ]
})";
    LabLoader loader;
    std::string error;
    ASSERT_TRUE(loader.LoadText("lab.json", text, error)) << error;
    ASSERT_EQ(loader.Devices().size(), 3u);
    EXPECT_EQ(loader.Devices()[0].name, "R1");
    EXPECT_EQ(loader.Devices()[1].name, "R2");
    EXPECT_EQ(loader.Devices()[2].name, "R3");
    EXPECT_EQ(loader.Devices()[2].index, 2u);
    EXPECT_EQ(loader.Devices()[2].source, "lab.json");

    CScoutLabDevice& r1 = *loader.Devices()[0].device;
    std::string output;
    EXPECT_TRUE(r1.SDAnswersCommands());
    ASSERT_TRUE(r1.SDRunCommand("show clns protocol", output));
    EXPECT_EQ(output, "IS-IS Router: <Null Tag>\n");
    ASSERT_TRUE(r1.SDRunCommand("show run", output));
    EXPECT_EQ(output, "");
    EXPECT_FALSE(r1.SDRunCommand("show clns", output));

    std::vector<CScoutSnmpRow> rows;
    ASSERT_TRUE(r1.SDWalkColumn("ifDescr", rows));
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_TRUE(rows[0].hasIndex);
    EXPECT_EQ(rows[0].index, 1);
    EXPECT_TRUE(rows[0].isString);
    EXPECT_EQ(rows[0].value, "Ethernet0/0");
    EXPECT_EQ(rows[1].index, 4294967295LL);
    EXPECT_FALSE(rows[2].hasIndex);
    EXPECT_EQ(rows[2].value, "Null0");
    EXPECT_TRUE(rows[3].hasIndex);
    EXPECT_FALSE(rows[3].isString);

    // An empty command table still takes sessions; no table means unreachable,
    // and no ifDescr means the walk fails.
    EXPECT_TRUE(loader.Devices()[1].device->SDAnswersCommands());
    EXPECT_FALSE(loader.Devices()[2].device->SDAnswersCommands());
    EXPECT_FALSE(loader.Devices()[2].device->SDWalkColumn("ifDescr", rows));
}

TEST(LabLoader, EmptyWalkIsAWalk) {
    LabLoader loader;
    std::string error;
    ASSERT_TRUE(
        loader.LoadText("lab.json", R"({"devices": [{"name": "R1", "ifDescr": []}]})", error))
        << error;
    std::vector<CScoutSnmpRow> rows;
    EXPECT_TRUE(loader.Devices()[0].device->SDWalkColumn("ifDescr", rows));
    EXPECT_TRUE(rows.empty());
}

struct MalformedLab {
    const char* what;
    std::string text;
    const char* message; // the whole message after "lab.json: "
};

class LabLoaderRefuses : public testing::TestWithParam<MalformedLab> {};

TEST_P(LabLoaderRefuses, NamingThePlace) {
    LabLoader loader;
    std::string error;
    EXPECT_FALSE(loader.LoadText("lab.json", GetParam().text, error));
    EXPECT_EQ(error, std::string("lab.json: ") + GetParam().message);
    EXPECT_TRUE(loader.Devices().empty());
}

INSTANTIATE_TEST_SUITE_P(
    Malformed, LabLoaderRefuses,
    testing::Values(
        MalformedLab{"SyntaxError", "{\n  \"devices\": [\n    {\"name\": \"R1\",}\n  ]\n}",
                     "line 3, column 19: syntax error while parsing object key - unexpected "
                     "'}'; expected string literal"},
        MalformedLab{"Truncated", "{\"devices\": [",
                     "line 1, column 14: syntax error while parsing value - unexpected end of "
                     "input; expected '[', '{', or a literal"},
        MalformedLab{"ByteOrderMark", "\xEF\xBB\xBF{\"devices\": []}",
                     "line 1, column 1: the text starts with a byte order mark"},
        MalformedLab{"TopLevelDuplicate", "{\"devices\": [],\n \"devices\": []}",
                     "line 2, column 2: member name \"devices\" is repeated"},
        MalformedLab{"DeviceDuplicate",
                     "{\"devices\": [\n  {\"name\": \"R1\", \"na\\u006de\": \"R2\"}]}",
                     "line 2, column 18: member name \"name\" is repeated"},
        MalformedLab{
            "CommandDuplicate",
            "{\"devices\": [{\"name\": \"R1\", \"commands\": {\n"
            "  \"show run\": \"a\",\n  \"show \\\"x\\\"\": \"b\",\n  \"show run\": \"c\"}}]}",
            "line 4, column 3: member name \"show run\" is repeated"},
        MalformedLab{"NotANumber",
                     "{\"devices\": [{\"name\": \"R1\", \"ifDescr\": [[NaN, \"x\"]]}]}",
                     "line 1, column 42: syntax error while parsing value - invalid literal"},
        MalformedLab{"TextAfterValue", "{\"devices\": []}\n{}",
                     "line 2, column 1: syntax error while parsing value - unexpected '{'; "
                     "expected end of input"},
        MalformedLab{"InvalidUtf8", "{\"devices\": [{\"name\": \"R\xC3\x28\"}]}",
                     "line 1, column 26: syntax error while parsing value - invalid string: "
                     "ill-formed UTF-8 byte"},
        MalformedLab{"LoneSurrogate", "{\"devices\": [{\"name\": \"\\ud800x\"}]}",
                     "line 1, column 30: syntax error while parsing value - invalid string: "
                     "surrogate U+D800..U+DBFF must be followed by U+DC00..U+DFFF"},
        MalformedLab{"NotAnObject", "[]", "a lab must be a JSON object, not an array"},
        MalformedLab{"NoDevices", "{}", "the member \"devices\" is missing"},
        MalformedLab{"DevicesNotArray", "{\"devices\": {}}",
                     "devices: must be an array, not an object"},
        MalformedLab{"UnknownTopMember", "{\"devices\": [], \"routers\": []}",
                     "routers: unknown member (a lab has only \"devices\")"},
        MalformedLab{"DeviceNotObject", "{\"devices\": [{\"name\": \"R1\"}, \"R2\"]}",
                     "devices[1]: a device must be an object, not a string"},
        MalformedLab{"MissingName", "{\"devices\": [{\"name\": \"R1\"}, {\"commands\": {}}]}",
                     "devices[1]: the member \"name\" is missing"},
        MalformedLab{"NameNotString", "{\"devices\": [{\"name\": 1}]}",
                     "devices[0].name: a name must be a string, not an integer"},
        MalformedLab{"SameNameTwice", "{\"devices\": [{\"name\": \"R1\"}, {\"name\": \"R1\"}]}",
                     "devices[1].name: \"R1\" is already the name of devices[0]"},
        MalformedLab{"UnknownDeviceMember", "{\"devices\": [{\"name\": \"R1\", \"if descr\": []}]}",
                     "devices[0][\"if descr\"]: unknown member (a device has \"name\", "
                     "\"commands\" and \"ifDescr\")"},
        MalformedLab{"CommandsNotObject", "{\"devices\": [{\"name\": \"R1\", \"commands\": []}]}",
                     "devices[0].commands: must be an object of command to output, not an "
                     "array"},
        MalformedLab{"OutputNotString",
                     "{\"devices\": [{\"name\": \"R1\", \"commands\": {\"show run\": 3}}]}",
                     "devices[0].commands[\"show run\"]: an output must be a string, not an "
                     "integer"},
        MalformedLab{"IfDescrNotArray", "{\"devices\": [{\"name\": \"R1\", \"ifDescr\": {}}]}",
                     "devices[0].ifDescr: must be an array of [index, value] rows, not an "
                     "object"},
        MalformedLab{
            "RowOfThree",
            "{\"devices\": [{\"name\": \"R1\", \"ifDescr\": [[1, \"a\"], [2, \"b\", 3]]}]}",
            "devices[0].ifDescr[1]: a row must have exactly two elements, [index, "
            "value], not 3"},
        MalformedLab{"RowNotArray", "{\"devices\": [{\"name\": \"R1\", \"ifDescr\": [\"a\"]}]}",
                     "devices[0].ifDescr[0]: a row must be an array [index, value], not a "
                     "string"},
        MalformedLab{"FloatIndex",
                     "{\"devices\": [{\"name\": \"R1\"}, {\"name\": \"R2\"}, {\"name\": \"R3\", "
                     "\"ifDescr\": [[1, \"a\"], [2.0, \"b\"]]}]}",
                     "devices[2].ifDescr[1]: an index must be an integer or null, not a number "
                     "with a fraction or exponent"},
        MalformedLab{"StringIndex",
                     "{\"devices\": [{\"name\": \"R1\", \"ifDescr\": [[\"1\", \"a\"]]}]}",
                     "devices[0].ifDescr[0]: an index must be an integer or null, not a string"}),
    [](const testing::TestParamInfo<MalformedLab>& info) { return info.param.what; });

TEST(LabLoader, NamesAreUniqueAcrossLabs) {
    LabLoader loader;
    std::string error;
    ASSERT_TRUE(
        loader.LoadText("a.json", R"({"devices": [{"name": "R0"}, {"name": "R1"}]})", error));
    EXPECT_FALSE(
        loader.LoadText("b.json", R"({"devices": [{"name": "R2"}, {"name": "R1"}]})", error));
    EXPECT_EQ(error, "b.json: devices[1].name: \"R1\" is already the name of devices[1] in a.json");
    // The refused lab added nothing, not even the devices before the fault.
    ASSERT_EQ(loader.Devices().size(), 2u);
    EXPECT_TRUE(loader.LoadText("c.json", R"({"devices": [{"name": "R2"}]})", error));
    EXPECT_EQ(loader.Devices().size(), 3u);
}

TEST(LabLoader, FileErrorsNameTheFile) {
    LabLoader loader;
    std::string error;
    EXPECT_FALSE(loader.LoadFile("/nonexistent/lab.json", error));
    EXPECT_EQ(error.rfind("/nonexistent/lab.json: cannot open the lab file", 0), 0u) << error;

    const std::string path = testing::TempDir() + "/quillon-lab-loader.json";
    std::ofstream(path, std::ios::binary) << "{\"devices\": [{\"name\": \"R1\"}]}\n\n  x";
    EXPECT_FALSE(loader.LoadFile(path, error));
    EXPECT_EQ(error, path + ": line 3, column 3: syntax error while parsing value - invalid "
                            "literal; expected end of input");
    std::remove(path.c_str());
}

} // namespace
