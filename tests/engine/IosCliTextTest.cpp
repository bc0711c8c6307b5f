// Reading an IOS command line: prompts, login and enable questions and
// refusals, rejected commands, and a command's answer taken apart from its
// echo, the pager's marks and the next prompt, however it is split.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <fstream>
#include <string>
#include <vector>

#include "IosCliOutputReader.h"
#include "IosCliText.h"

namespace {

using State = IosCliOutputReader::State;

const nlohmann::json& Cases(const char* kind) {
    static const nlohmann::json cases =
        nlohmann::json::parse(std::ifstream(std::string(QUILLON_TEST_DATA) + "/ios-cli-text.json"));
    EXPECT_FALSE(cases[kind].empty()) << kind;
    return cases[kind];
}

// A prompt, its host name and mode; the questions and refusals of a login
// and enable; where IOS puts a rejection (not inside an output); which
// commands need enable.
TEST(IosCliText, ReadsPromptsQuestionsRefusalsAndCommands) {
    for (const nlohmann::json& c : Cases("prompts")) {
        std::string hostName;
        char mode = 0;
        const bool prompt = IosCliText::ParsePrompt(c[0].get<std::string>(), hostName, mode);
        EXPECT_EQ(prompt, !c[1].is_null()) << c[0];
        if (prompt) {
            EXPECT_EQ(hostName + mode, c[1].get<std::string>() + c[2].get<std::string>());
        }
    }
    for (const nlohmann::json& c : Cases("asksForUser"))
        EXPECT_EQ(IosCliText::AsksForUser(c[0].get<std::string>()), c[1].get<bool>()) << c[0];
    for (const nlohmann::json& c : Cases("asksForPassword"))
        EXPECT_EQ(IosCliText::AsksForPassword(c[0].get<std::string>()), c[1].get<bool>()) << c[0];
    for (const nlohmann::json& c : Cases("refusals"))
        EXPECT_EQ(IosCliText::Refusal(c[0].get<std::string>()), c[1].get<std::string>()) << c[0];
    for (const nlohmann::json& c : Cases("rejections"))
        EXPECT_EQ(IosCliText::Rejection(c[0].get<std::string>()), c[1].get<std::string>()) << c[0];
    for (const nlohmann::json& c : Cases("needsEnable"))
        EXPECT_EQ(IosCliText::NeedsEnable(c[0].get<std::string>()), c[1].get<bool>()) << c[0];

    char mode = 0;
    EXPECT_TRUE(IosCliText::IsPromptOf("R1#", "R1", mode));
    EXPECT_FALSE(IosCliText::IsPromptOf("R10#", "R1", mode));
    for (const char* text : {"a\r\nR1>", "a\rR1>", "R1>"})
        EXPECT_EQ(IosCliText::LastLine(text), "R1>") << text;
}

// Feeds the router's bytes in pieces of the given size (0: all at once),
// answering the pager; returns the final state.
State Read(IosCliOutputReader& reader, const std::string& bytes, std::size_t piece,
           int* pagers = nullptr) {
    State state = State::kReading;
    const std::size_t step = piece == 0 ? bytes.size() : piece;
    for (std::size_t at = 0; at < bytes.size(); at += step) {
        state = reader.Feed(std::string_view(bytes).substr(at, step));
        if (state == State::kMore && pagers != nullptr)
            ++*pagers;
    }
    return state;
}

TEST(IosCliOutputReader, OutputIsBetweenEchoAndPrompt) {
    const std::string output = "line one\r\n  R1> inside a line\r\nlast\n";
    for (std::size_t piece : {0, 1, 2, 7}) {
        IosCliOutputReader reader("R1");
        EXPECT_EQ(Read(reader, "show clns\r\n" + output + "R1#", piece), State::kDone);
        EXPECT_EQ(reader.Output(), output) << "pieces of " << piece;
        EXPECT_EQ(reader.Mode(), '#');
    }
    IosCliOutputReader empty("R1");
    EXPECT_EQ(Read(empty, "terminal length 0\r\nR1>", 0), State::kDone);
    EXPECT_EQ(empty.Output(), "");
    EXPECT_EQ(empty.Mode(), '>');
}

TEST(IosCliOutputReader, NoPromptOfAnotherRouterEndsIt) {
    IosCliOutputReader reader("R1");
    EXPECT_EQ(Read(reader, "show x\r\nR10#\r\nR2>", 0), State::kReading);
    EXPECT_EQ(reader.Output(), "R10#\r\nR2>");
}

TEST(IosCliOutputReader, PagedOutputReadsAsUnpaged) {
    std::string output;
    for (int i = 1; i <= 50; ++i)
        output += "line " + std::to_string(i) + (i % 2 ? "\r\n" : "\n");
    // 23 lines a screen, as IOS pages at 24; the marker erased after each
    // answer. The line after a screen may itself start with blanks.
    std::string paged = "show isis database\r\n";
    std::size_t at = 0;
    for (int screen = 0; at < output.size(); ++screen) {
        if (screen > 0)
            paged += std::string(IosCliText::kMoreErase) + (screen == 2 ? "  " : "");
        for (int line = 0; line < 23 && at < output.size(); ++line) {
            const std::size_t end = output.find('\n', at) + 1;
            paged += output.substr(at, end - at);
            at = end;
        }
        if (at < output.size())
            paged += std::string(IosCliText::kMore);
    }
    paged += "R1#";
    std::string expected = output;
    const std::size_t third = expected.find("line 47");
    expected.insert(third, "  ");

    // The router waits at each marker, so each screen comes as one piece.
    IosCliOutputReader reader("R1");
    int pagers = 0;
    std::size_t from = 0;
    State state = State::kReading;
    while (from < paged.size()) {
        std::size_t end = paged.find(std::string(IosCliText::kMore), from);
        end = end == std::string::npos ? paged.size() : end + IosCliText::kMore.size();
        // Within a screen, any split.
        for (std::size_t at2 = from; at2 < end; at2 += 5) {
            state = reader.Feed(
                std::string_view(paged).substr(at2, std::min<std::size_t>(5, end - at2)));
            if (state == State::kMore)
                ++pagers;
        }
        from = end;
    }
    EXPECT_EQ(state, State::kDone);
    EXPECT_EQ(pagers, 2);
    EXPECT_EQ(reader.Output(), expected);
}

TEST(IosCliOutputReader, MarkerWithinALineIsText) {
    IosCliOutputReader reader("R1");
    EXPECT_EQ(reader.Feed("show x\r\nsee --More-- "), State::kReading);
    EXPECT_EQ(reader.Feed("\r\nR1>"), State::kDone);
    EXPECT_EQ(reader.Output(), "see --More-- \r\n");
}

TEST(IosCliOutputReader, StopsAtTheLimit) {
    IosCliOutputReader reader("R1", 100);
    EXPECT_EQ(reader.Feed("show x\r\n" + std::string(60, 'a')), State::kReading);
    EXPECT_EQ(reader.Feed(std::string(60, 'a')), State::kTooLong);
    EXPECT_EQ(reader.Feed("\r\nR1>"), State::kTooLong);
    IosCliOutputReader echo("R1", 100);
    EXPECT_EQ(echo.Feed(std::string(101, 'e')), State::kTooLong);
}

} // namespace
