// The built-in example lab, discovered end to end by the quillon program, against the report
// written by hand from the lab's router outputs (tests/e2e/expected/example-report.json).

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>

#include <nlohmann/json.hpp>

namespace {

using ordered_json = nlohmann::ordered_json;

const std::string kQuillon = QUILLON_BIN_DIR "/quillon";
const std::string kExampleLab = QUILLON_SOURCE_DIR "/examples/lab.json";
const std::string kExpectedReport = QUILLON_SOURCE_DIR "/tests/e2e/expected/example-report.json";

struct RunResult {
    int status = -1; // exit status, or -1 when the program did not exit normally
    std::string out;
    std::string err;
};

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::string Quoted(const std::string& text) {
    std::string quoted = "'";
    for (char c : text) {
        if (c == '\'')
            quoted += "'\\''";
        else
            quoted += c;
    }
    return quoted + "'";
}

// Runs quillon with the given arguments; standard error goes through a file beside the test's
// other temporary files.
RunResult RunQuillon(const std::string& arguments) {
    static int runs = 0;
    const std::string errPath =
        testing::TempDir() + "quillon-example-" + std::to_string(++runs) + ".err";
    const std::string command = Quoted(kQuillon) + " " + arguments + " 2>" + Quoted(errPath);
    RunResult result;
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr)
        return result;
    char buffer[4096];
    size_t got;
    while ((got = fread(buffer, 1, sizeof buffer, pipe)) > 0)
        result.out.append(buffer, got);
    const int status = pclose(pipe);
    if (status != -1 && WIFEXITED(status))
        result.status = WEXITSTATUS(status);
    result.err = ReadFile(errPath);
    std::remove(errPath.c_str());
    return result;
}

// Parses text as JSON, or records a failure naming what was parsed.
bool Parse(const std::string& text, const std::string& what, ordered_json& into) {
    into = ordered_json::parse(text, nullptr, false);
    if (into.is_discarded()) {
        ADD_FAILURE() << what << " is not valid JSON:\n" << text.substr(0, 2000);
        return false;
    }
    return true;
}

// A readable account of how two reports differ: the JSON patch that turns the expected report
// into the actual one (member order aside), then the first entity that differs, both ways.
std::string Difference(const ordered_json& expected, const ordered_json& actual) {
    std::ostringstream text;
    const auto patch = nlohmann::json::diff(nlohmann::json::parse(expected.dump()),
                                            nlohmann::json::parse(actual.dump()));
    if (patch.empty())
        text << "Same members and values, but in another order.\n";
    else
        text << "Patch from expected to actual:\n" << patch.dump(2) << "\n";

    const ordered_json empty = ordered_json::array();
    const ordered_json& want = expected.contains("entities") ? expected["entities"] : empty;
    const ordered_json& got = actual.contains("entities") ? actual["entities"] : empty;
    for (size_t i = 0; i < std::max(want.size(), got.size()); ++i) {
        const ordered_json wanted = i < want.size() ? want[i] : ordered_json();
        const ordered_json obtained = i < got.size() ? got[i] : ordered_json();
        if (wanted == obtained)
            continue;
        const bool orderOnly =
            nlohmann::json::parse(wanted.dump()) == nlohmann::json::parse(obtained.dump());
        text << "First differing entity, #" << i
             << (orderOnly ? " (same members, another order)" : "") << ":\n--- expected\n"
             << wanted.dump(2) << "\n--- actual\n"
             << obtained.dump(2) << "\n";
        break;
    }
    return text.str();
}

class ExampleLab : public testing::Test {
protected:
    static void SetUpTestSuite() {
        s_BuiltIn = new RunResult(RunQuillon("discover --format json"));
    }
    static void TearDownTestSuite() {
        delete s_BuiltIn;
        s_BuiltIn = nullptr;
    }

    static RunResult* s_BuiltIn;
};

RunResult* ExampleLab::s_BuiltIn = nullptr;

TEST_F(ExampleLab, ReportMatchesTheHandWrittenReport) {
    ASSERT_EQ(s_BuiltIn->status, 0) << s_BuiltIn->err;
    ordered_json actual;
    ordered_json expected;
    ASSERT_TRUE(Parse(s_BuiltIn->out, "quillon's report", actual));
    ASSERT_TRUE(Parse(ReadFile(kExpectedReport), kExpectedReport, expected));
    EXPECT_TRUE(actual == expected) << Difference(expected, actual);
}

TEST_F(ExampleLab, BuiltInLabIsTheExampleLabFile) {
    const RunResult fromFile = RunQuillon("discover --format json " + Quoted(kExampleLab));
    ASSERT_EQ(s_BuiltIn->status, 0) << s_BuiltIn->err;
    ASSERT_EQ(fromFile.status, 0) << fromFile.err;
    EXPECT_FALSE(s_BuiltIn->out.empty());
    EXPECT_EQ(s_BuiltIn->out, fromFile.out)
        << "quillon discover without a lab does not run " << kExampleLab;
    EXPECT_EQ(s_BuiltIn->err, fromFile.err);
}

// Every error in the report is also written to standard error, one line each, in report order,
// and nothing else is.
TEST_F(ExampleLab, StandardErrorCarriesTheReportedErrors) {
    ordered_json expected;
    ASSERT_TRUE(Parse(ReadFile(kExpectedReport), kExpectedReport, expected));
    std::string lines;
    size_t errors = 0;
    for (const auto& entity : expected["entities"]) {
        for (const auto& error : entity["errors"]) {
            ++errors;
            lines += "error " + std::to_string(error["code"].get<int>()) + " " +
                     error["file"].get<std::string>() + ":" +
                     std::to_string(error["line"].get<int>());
            if (!error["message"].is_null()) {
                const std::string message = error["message"].get<std::string>();
                lines += " " + message;
                if (!message.empty() && message.back() == '\n')
                    continue;
            }
            lines += "\n";
        }
    }
    ASSERT_GT(errors, 0u) << "the example lab is meant to show a missing ifDescr row";
    EXPECT_EQ(s_BuiltIn->err, lines);
}

} // namespace
