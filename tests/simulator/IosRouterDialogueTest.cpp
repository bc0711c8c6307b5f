// A served router's command line, bytes in and text out, as IOS answers:
// the login with its three tries, enable, the caret under the first word no
// command goes on with, the pager and its keys, outputs as telnet data.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <fstream>
#include <sstream>
#include <string>

#include "HostFixture.h"
#include "IosCliText.h"
#include "IosRouterDialogue.h"

namespace {

using namespace std::string_literals;
using Step = IosRouterDialogue::Step;

ServedRouter Router() {
    ServedRouter router;
    router.name = "R1";
    router.hostName = "R1";
    router.answersCommands = true;
    router.user = "admin";
    router.password = "pw1";
    router.enableSecret = "en1";
    router.commands["show clns"] =
        "Global CLNS Information:\r\n  2 Interfaces Enabled for CLNS\r\n";
    router.commands["show run"] = "hostname R1\r\n!\r\n";
    router.commands["show isis hostname | include \\*"] = "     * 1921.6800.1001  R1\n";
    return router;
}

// Types keys; a command is answered at once. Returns what the router said;
// last is the step of the last key.
std::string Typed(IosRouterDialogue& dialogue, const std::string& keys, Step* last = nullptr) {
    std::string out;
    for (char c : keys) {
        Step step = dialogue.Type(c, out);
        if (step == Step::kCommand)
            step = dialogue.Execute(out);
        if (last != nullptr)
            *last = step;
    }
    return out;
}

std::string TelnetData(const std::string& name) {
    std::ifstream file(std::string(QUILLON_TEST_DATA) + "/telnet/" + name, std::ios::binary);
    EXPECT_TRUE(file.good()) << "missing test file " << name;
    std::ostringstream text;
    text << file.rdbuf();
    return quillon_test::WithCrLf(text.str());
}

TEST(IosRouterDialogue, SessionFromLoginToExit) {
    const ServedRouter router = Router();
    IosRouterDialogue dialogue(router);
    std::string said = dialogue.Greeting();
    Step last = Step::kContinue;
    // Returns as CR LF, CR NUL, CR and LF alike.
    said += Typed(dialogue, "admin\r\nwrong\r\0admin\rpw1\nshow clns\r\nshow run\r\n"s, &last);
    said += Typed(dialogue, "enable\r\nen1\r\nshow run\r\ndisable\r\nexit\r\n", &last);
    EXPECT_EQ(said, TelnetData("dialogue-transcript.txt"));
    EXPECT_EQ(last, Step::kClose);
}

// Logins, enable, rejections with the caret under the first word no
// command goes on with, line editing: keys typed and what the router says.
TEST(IosRouterDialogue, AnswersKeysAsIos) {
    const nlohmann::json cases = nlohmann::json::parse(
        std::ifstream(std::string(QUILLON_TEST_DATA) + "/telnet/dialogues.json"));
    ASSERT_GT(cases.size(), 10u);
    for (const nlohmann::json& c : cases) {
        SCOPED_TRACE(c["what"].get<std::string>());
        ServedRouter router = Router();
        for (const nlohmann::json& field : c.value("clear", nlohmann::json::array()))
            (field == "user"       ? router.user
             : field == "password" ? router.password
                                   : router.enableSecret)
                .clear();
        IosRouterDialogue dialogue(router);
        const std::string greeting = dialogue.Greeting();
        if (c.contains("greeting") && c["greeting"].is_string()) {
            EXPECT_EQ(greeting, c["greeting"].get<std::string>());
        }
        Step last = Step::kContinue;
        for (const nlohmann::json& step : c["steps"]) {
            const std::string said = Typed(dialogue, step[0].get<std::string>(), &last);
            if (step[1].is_string()) {
                EXPECT_EQ(said, step[1].get<std::string>()) << step[0];
            }
            if (step.size() > 2) {
                EXPECT_EQ(dialogue.Enabled(), step[2].get<bool>()) << step[0];
            }
        }
        EXPECT_EQ(last == Step::kClose, c.value("closes", false));
    }
}

TEST(IosRouterDialogue, OutputsGoAsTelnetData) {
    ServedRouter router = Router();
    router.commands["a"] = "lf\nlone\rcr lf\r\n\xff\r";
    router.commands["b"] = "no line end";
    router.commands["c"] = "";
    IosRouterDialogue dialogue(router);
    Typed(dialogue, "admin\rpw1\r");
    EXPECT_EQ(Typed(dialogue, "a\r"), "a\r\nlf\nlone\r\0cr lf\r\n\xff\r\0\r\nR1>"s);
    EXPECT_EQ(Typed(dialogue, "b\r"), "b\r\nno line end\r\nR1>");
    EXPECT_EQ(Typed(dialogue, "c\r"), "c\r\nR1>");
    // Spaces between words do not matter; the lab's own text is tried first.
    EXPECT_EQ(Typed(dialogue, "show   clns\r"),
              "show   clns\r\nGlobal CLNS Information:\r\n  2 Interfaces Enabled for CLNS\r\nR1>");
}

TEST(IosRouterDialogue, PagesAt24LinesUntilTerminalLength0) {
    ServedRouter router = Router();
    std::string output;
    auto lines = [](int from, int to) {
        std::string text;
        for (int i = from; i <= to; ++i)
            text += "line " + std::to_string(i) + "\r\n";
        return text;
    };
    router.commands["show isis database"] = lines(1, 60);
    IosRouterDialogue dialogue(router);
    Typed(dialogue, "admin\rpw1\r");
    const std::string more(IosCliText::kMore);
    const std::string erase(IosCliText::kMoreErase);
    EXPECT_EQ(Typed(dialogue, "show isis database\r"),
              "show isis database\r\n" + lines(1, 23) + more);
    EXPECT_EQ(Typed(dialogue, " "), erase + lines(24, 46) + more);
    EXPECT_EQ(Typed(dialogue, "\r\n"), erase + lines(47, 47) + more);
    EXPECT_EQ(Typed(dialogue, "q"), erase + "R1>");
    EXPECT_EQ(Typed(dialogue, "show isis database\r"),
              "show isis database\r\n" + lines(1, 23) + more);
    EXPECT_EQ(Typed(dialogue, " "), erase + lines(24, 46) + more);
    EXPECT_EQ(Typed(dialogue, " "), erase + lines(47, 60) + "R1>");

    EXPECT_EQ(Typed(dialogue, "term len 0\rterminal width 0\r"),
              "term len 0\r\nR1>terminal width 0\r\nR1>");
    EXPECT_EQ(dialogue.Length(), 0);
    EXPECT_EQ(dialogue.Width(), 0);
    EXPECT_EQ(Typed(dialogue, "show isis database\r"),
              "show isis database\r\n" + lines(1, 60) + "R1>");
}

} // namespace
