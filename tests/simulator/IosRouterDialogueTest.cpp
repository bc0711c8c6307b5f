// A served router's command line, bytes in and text out, as IOS answers:
// the login with its three tries, enable, the caret under the first word no
// command goes on with, the pager and its keys, outputs as telnet data.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

#include "IosCliText.h"
#include "IosRouterDialogue.h"
#include "HostFixture.h"

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

TEST(IosRouterDialogue, ThreeFailedLoginsDropTheConnection) {
    ServedRouter router = Router();
    IosRouterDialogue withUser(router);
    withUser.Greeting();
    Step last = Step::kContinue;
    EXPECT_EQ(Typed(withUser, "a\rb\rc\rd\r", &last),
              "a\r\nPassword: \r\n% Login invalid\r\n\r\nUsername: c\r\nPassword: \r\n"
              "% Login invalid\r\n\r\nUsername: ");
    EXPECT_EQ(Typed(withUser, "e\rf\r", &last), "e\r\nPassword: \r\n% Login invalid\r\n");
    EXPECT_EQ(last, Step::kClose);

    router.user.clear();
    IosRouterDialogue passwordOnly(router);
    EXPECT_EQ(passwordOnly.Greeting(), "\r\n\r\nUser Access Verification\r\n\r\nPassword: ");
    EXPECT_EQ(Typed(passwordOnly, "x\ry\rz\r", &last),
              "\r\nPassword: \r\nPassword: \r\n% Bad passwords\r\n");
    EXPECT_EQ(last, Step::kClose);

    router.password.clear();
    IosRouterDialogue noLogin(router);
    EXPECT_EQ(noLogin.Greeting(), "\r\nR1>");
}

TEST(IosRouterDialogue, Enable) {
    ServedRouter router = Router();
    router.user.clear();
    router.password.clear();
    IosRouterDialogue dialogue(router);
    dialogue.Greeting();
    EXPECT_EQ(Typed(dialogue, "en\rwrong\r"), "en\r\nPassword: \r\n% Access denied\r\n\r\nR1>");
    EXPECT_FALSE(dialogue.Enabled());
    EXPECT_EQ(Typed(dialogue, "enable\ren1\renable\r"), "enable\r\nPassword: \r\nR1#enable\r\nR1#");
    EXPECT_TRUE(dialogue.Enabled());

    router.enableSecret.clear();
    IosRouterDialogue unset(router);
    unset.Greeting();
    EXPECT_EQ(Typed(unset, "enable\r"), "enable\r\n% No password set\r\n\r\nR1>");
}

TEST(IosRouterDialogue, RejectsWithTheCaretUnderTheFirstUnknownWord) {
    const ServedRouter router = Router();
    const struct {
        const char* typed;
        std::size_t caret; // column in "R1>typed"
    } cases[] = {
        {"show foo", 8},
        {"foo", 3},
        {"  show  clns x", 16},
        {"sh isis hostname | exclude", 22},
        {"terminal length 999", 19},
        {"terminal lines 0", 12},
        {"show run", 8}, // not enabled
    };
    for (const auto& c : cases) {
        IosRouterDialogue dialogue(router);
        Typed(dialogue, "admin\rpw1\r");
        const std::string expected = std::string(c.typed) + "\r\n" + std::string(c.caret, ' ') +
                                     "^\r\n% Invalid input detected at '^' marker.\r\n\r\nR1>";
        EXPECT_EQ(Typed(dialogue, std::string(c.typed) + "\r"), expected) << c.typed;
    }
    IosRouterDialogue dialogue(router);
    Typed(dialogue, "admin\rpw1\r");
    EXPECT_EQ(Typed(dialogue, "show isis\r"), "show isis\r\n% Incomplete command.\r\n\r\nR1>");
    EXPECT_EQ(Typed(dialogue, "\r"), "\r\nR1>");
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

TEST(IosRouterDialogue, LineEditing) {
    const ServedRouter router = Router();
    IosRouterDialogue dialogue(router);
    Typed(dialogue, "admin\rpw1\r");
    EXPECT_EQ(Typed(dialogue, "shox\x7fw clns\b\bns\x01\r"),
              "shox\b \bw clns\b \b\b \bns\r\nGlobal CLNS Information:\r\n"
              "  2 Interfaces Enabled for CLNS\r\nR1>");
    Step last = Step::kContinue;
    EXPECT_EQ(Typed(dialogue, "logout\r", &last), "logout\r\n");
    EXPECT_EQ(last, Step::kClose);
}

} // namespace
