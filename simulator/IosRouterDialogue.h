// What one served router says on its command line, as IOS says it: the
// login, the user and enabled prompts, enable, terminal length and width,
// the pager, each lab command's output and the rejection of any other
// command. Bytes in, text out; the connection is someone else's.
//
// A command is answered when the lab gives its exact text (or the text with
// its words joined by single spaces), and the lab's answer comes first: only enable, disable,
// exit, logout and quit are always the router's own. "show running-config"
// and "show startup-config" are answered once enabled.
//
// Over telnet, text out is telnet data: a CR not followed by LF in an output
// goes as CR NUL, so that the client reads back the output's own bytes. Over
// SSH the output goes as it is, and the dialogue starts at the prompt, SSH
// having logged the user in.
#pragma once

#include <string>
#include <vector>

#include "IosLineInput.h"
#include "IosPager.h"
#include "ServedRouter.h"

class IosRouterDialogue {
public:
    enum class Step {
        kContinue,
        kCommand, // a command line was entered: call Execute when its answer is due
        kClose,   // what went out is the last: close the connection
    };

    // Login tries before the connection is dropped.
    static constexpr int kLoginTries = 3;

    enum class Line { kTelnet, kSsh };

    explicit IosRouterDialogue(const ServedRouter& router, Line line = Line::kTelnet);

    // What the router says first: the login's first question, or the
    // prompt of a router without a login.
    std::string Greeting();
    // One typed character; what the router says back is appended to out.
    Step Type(char c, std::string& out);
    // Answers the command line that Type announced with kCommand.
    Step Execute(std::string& out);

    bool Enabled() const { return m_Enabled; }
    // The terminal's settings: lines per screen (0: no paging) and columns.
    int Length() const { return m_Length; }
    int Width() const { return m_Width; }

private:
    enum class State { kUser, kPassword, kExec, kEnable, kPager, kCommand, kClosed };

    Step Entered(const std::string& line, std::string& out);
    Step CheckLogin(const std::string& password, std::string& out);
    Step Show(const std::string& output, std::string& out);
    void Reject(const std::string& line, std::string& out) const;
    std::string Prompt() const;

    const ServedRouter& m_Router;
    Line m_Line;
    State m_State = State::kUser;
    IosLineInput m_Input;
    IosPager m_Pager;
    bool m_AfterCr = false;
    bool m_Enabled = false;
    int m_Failures = 0;
    std::string m_User;
    std::string m_Command;
    int m_Length = IosPager::kDefaultLength;
    int m_Width = 80;
};
