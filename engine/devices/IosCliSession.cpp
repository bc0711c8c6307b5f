#include "IosCliSession.h"

#include <algorithm>
#include <utility>

#include "IosCliOutputReader.h"
#include "IosCliText.h"
#include "TelnetConnection.h"

namespace {

// A router that talks this long without a login prompt is not one.
constexpr std::size_t kLongestLogin = 1u << 20;
// Password questions answered during one enable, at most.
constexpr int kEnableTries = 3;
// How long a clean "exit" may take.
constexpr std::chrono::milliseconds kExitWait(1000);

std::string Milliseconds(int ms) {
    return std::to_string(ms) + " ms";
}

std::string Quoted(const std::string& command) {
    return "\"" + command + "\"";
}

} // namespace

IosCliSession::IosCliSession(TelnetSettings settings, std::unique_ptr<CliTransport> transport)
    : m_Settings(std::move(settings)),
      m_RouterDeadline(Clock::now() +
                       std::chrono::milliseconds(std::max(0, m_Settings.timeouts.routerMs))),
      m_Connection(transport ? std::move(transport) : std::make_unique<TelnetConnection>()) {}

IosCliSession::~IosCliSession() {
    Close();
}

std::string IosCliSession::Where() const {
    return std::string(m_Connection->Kind()) + " " + m_Settings.address + ":" +
           std::to_string(m_Settings.port);
}

bool IosCliSession::Login(std::string& reason) {
    if (m_State == State::kReady)
        return true;
    if (m_State == State::kLost) {
        reason = m_LostReason;
        return false;
    }
    const Timeouts& timeouts = m_Settings.timeouts;
    const Clock::time_point connectBy = StageDeadline(timeouts.connectMs);
    std::string why;
    const CliTransport::Status connected =
        m_Connection->Connect(m_Settings.address, m_Settings.port, connectBy, why);
    if (connected != CliTransport::Status::kOk)
        return Failed(connected, why, connectBy,
                      "no connection within " + Milliseconds(timeouts.connectMs), "", reason);

    const Clock::time_point loginBy = StageDeadline(timeouts.loginMs);
    const CliTransport::Status started = m_Connection->Start(loginBy, why);
    if (started != CliTransport::Status::kOk)
        return Failed(started, why, loginBy, "no login within " + Milliseconds(timeouts.loginMs),
                      "during login", reason);
    if (!Authenticate(loginBy, reason))
        return false;
    if (m_Mode != '#' && !m_Settings.enableSecret.Empty() && !Enable(loginBy, reason) &&
        m_State == State::kLost)
        return false;
    // Without these IOS pages at 24 lines and wraps at 80 columns; a
    // router that takes neither still works, the pager being answered.
    for (const char* setting : {"terminal length 0", "terminal width 0"}) {
        std::string ignored;
        if (Exchange(setting, ignored, reason) == Result::kLost)
            return false;
    }
    reason.clear();
    m_State = State::kReady;
    return true;
}

bool IosCliSession::Run(const std::string& command, std::string& output, std::string& reason) {
    output.clear();
    if (!Login(reason))
        return false;
    if (m_Mode != '#' && IosCliText::NeedsEnable(command) &&
        !Enable(StageDeadline(m_Settings.timeouts.loginMs), reason))
        return false;
    return Exchange(command, output, reason) == Result::kOk;
}

void IosCliSession::Close() {
    if (m_Connection->Open() && m_State == State::kReady) {
        const Clock::time_point by = Clock::now() + kExitWait;
        std::string why;
        if (m_Connection->Send("exit\r\n", by, why) == CliTransport::Status::kOk) {
            // The router closes the connection; what it says until then is
            // of no use.
            std::string rest;
            while (m_Connection->Read(by, rest, why) == CliTransport::Status::kOk &&
                   rest.size() < kLongestLogin) {
            }
        }
    }
    m_Connection->Close();
    if (m_State != State::kLost) {
        m_State = State::kLost;
        m_LostReason = Where() + ": the session is closed";
    }
}

bool IosCliSession::Authenticate(Clock::time_point deadline, std::string& reason) {
    const std::string timeout = "no prompt within " + Milliseconds(m_Settings.timeouts.loginMs);
    std::string text;
    std::size_t answered = 0; // the router's answer to what was sent starts here
    bool sentUser = false;
    bool sentPassword = false;
    for (;;) {
        const bool more = ReadMore(deadline, text, timeout, "during login", reason);
        // A refusal counts even when the router closed after it.
        const std::string refusal = IosCliText::Refusal(std::string_view(text).substr(answered));
        if (!refusal.empty())
            return Lose("login refused (" + refusal + ")", reason);
        if (!more)
            return false;
        if (text.size() > kLongestLogin)
            return Lose("no login prompt in the first 1 MiB", reason);

        const std::string_view line = IosCliText::LastLine(text);
        if (IosCliText::ParsePrompt(line, m_HostName, m_Mode))
            return true;
        if (IosCliText::AsksForUser(line)) {
            if (sentUser || sentPassword)
                return Lose("login refused (user name or password not accepted)", reason);
            if (m_Settings.user.empty())
                return Lose("the router asks for a user name and none is given", reason);
            if (!SendLine(m_Settings.user, deadline, "during login", reason))
                return false;
            sentUser = true;
            answered = text.size();
        } else if (IosCliText::AsksForPassword(line)) {
            if (sentPassword)
                return Lose("login refused (password not accepted)", reason);
            if (!SendSecret(m_Settings.password, deadline, "during login", reason))
                return false;
            sentPassword = true;
            answered = text.size();
        }
    }
}

bool IosCliSession::Enable(Clock::time_point deadline, std::string& reason) {
    if (!m_EnableRefusal.empty()) {
        reason = m_EnableRefusal;
        return false;
    }
    const std::string timeout =
        "enable did not finish within " + Milliseconds(m_Settings.timeouts.loginMs);
    if (!SendLine("enable", deadline, "during enable", reason))
        return false;
    std::string text;
    std::size_t answered = 0;
    int answers = 0;
    bool lacking = false; // asked for a secret that was not given
    for (;;) {
        if (!ReadMore(deadline, text, timeout, "during enable", reason))
            return false;
        const std::string_view line = IosCliText::LastLine(text);
        char mode = 0;
        if (text.find('\n') != std::string::npos &&
            IosCliText::IsPromptOf(line, m_HostName, mode)) {
            m_Mode = mode;
            if (mode == '#')
                return true;
            const std::string refusal = IosCliText::Refusal(text);
            m_EnableRefusal = Where() + ": enable refused";
            if (lacking)
                m_EnableRefusal += " (the router asks for an enable secret and none is given)";
            else if (!refusal.empty())
                m_EnableRefusal += " (" + refusal + ")";
            reason = m_EnableRefusal;
            return false;
        }
        if (IosCliText::AsksForPassword(line) && text.size() > answered) {
            if (++answers > kEnableTries)
                return Lose("enable: the router keeps asking for the secret", reason);
            // The secret once; empty answers after it, until the router
            // gives up and shows its prompt again.
            bool sent;
            if (answers == 1 && !m_Settings.enableSecret.Empty()) {
                sent = SendSecret(m_Settings.enableSecret, deadline, "during enable", reason);
            } else {
                lacking = lacking || answers == 1;
                sent = SendLine("", deadline, "during enable", reason);
            }
            if (!sent)
                return false;
            answered = text.size();
        }
    }
}

IosCliSession::Result IosCliSession::Exchange(const std::string& command, std::string& output,
                                              std::string& reason) {
    const Clock::time_point deadline = StageDeadline(m_Settings.timeouts.commandMs);
    const std::string timeout = "no prompt within " + Milliseconds(m_Settings.timeouts.commandMs) +
                                " of " + Quoted(command);
    const std::string during = "during " + Quoted(command);
    if (!SendLine(command, deadline, during, reason))
        return Result::kLost;
    IosCliOutputReader reader(m_HostName);
    std::string chunk;
    for (;;) {
        chunk.clear();
        if (!ReadMore(deadline, chunk, timeout, during, reason))
            return Result::kLost;
        switch (reader.Feed(chunk)) {
        case IosCliOutputReader::State::kReading:
            break;
        case IosCliOutputReader::State::kMore: {
            std::string why;
            const CliTransport::Status sent = m_Connection->Send(" ", deadline, why);
            if (sent != CliTransport::Status::kOk) {
                Failed(sent, why, deadline, timeout, during, reason);
                return Result::kLost;
            }
            break;
        }
        case IosCliOutputReader::State::kTooLong:
            Lose("the output of " + Quoted(command) + " is longer than " +
                     std::to_string(IosCliOutputReader::kDefaultLimit >> 20) + " MiB",
                 reason);
            return Result::kLost;
        case IosCliOutputReader::State::kDone: {
            m_Mode = reader.Mode();
            const std::string rejection = IosCliText::Rejection(reader.Output());
            if (!rejection.empty()) {
                reason = Where() + ": " + Quoted(command) + " rejected by the router (" +
                         rejection + ")";
                return Result::kRejected;
            }
            output = reader.Output();
            return Result::kOk;
        }
        }
    }
}

bool IosCliSession::SendLine(const std::string& text, Clock::time_point deadline,
                             const std::string& during, std::string& reason) {
    std::string why;
    const CliTransport::Status sent = m_Connection->Send(text + "\r\n", deadline, why);
    return sent == CliTransport::Status::kOk ||
           Failed(sent, why, deadline, "the router took no input", during, reason);
}

bool IosCliSession::SendSecret(const Secret& secret, Clock::time_point deadline,
                               const std::string& during, std::string& reason) {
    // Sent as it is, never joined to another string that would outlive it.
    std::string why;
    CliTransport::Status sent = m_Connection->Send(secret.Reveal(), deadline, why);
    if (sent == CliTransport::Status::kOk)
        sent = m_Connection->Send("\r\n", deadline, why);
    return sent == CliTransport::Status::kOk ||
           Failed(sent, why, deadline, "the router took no input", during, reason);
}

bool IosCliSession::ReadMore(Clock::time_point deadline, std::string& text,
                             const std::string& timeout, const std::string& during,
                             std::string& reason) {
    std::string why;
    const CliTransport::Status status = m_Connection->Read(deadline, text, why);
    return status == CliTransport::Status::kOk ||
           Failed(status, why, deadline, timeout, during, reason);
}

bool IosCliSession::Failed(CliTransport::Status status, const std::string& why,
                           Clock::time_point deadline, const std::string& timeout,
                           const std::string& during, std::string& reason) {
    switch (status) {
    case CliTransport::Status::kOk:
        return true;
    case CliTransport::Status::kTimeout:
        if (deadline == m_RouterDeadline)
            return Lose("the router took longer than " +
                            Milliseconds(m_Settings.timeouts.routerMs) + " in all",
                        reason);
        return Lose(timeout, reason);
    case CliTransport::Status::kClosed:
        return Lose(during.empty() ? "connection closed by the router"
                                   : "connection closed by the router " + during,
                    reason);
    case CliTransport::Status::kFailed:
        break;
    }
    return Lose(why, reason);
}

bool IosCliSession::Lose(const std::string& why, std::string& reason) {
    m_State = State::kLost;
    m_LostReason = Where() + ": " + why;
    m_Connection->Close();
    reason = m_LostReason;
    return false;
}

IosCliSession::Clock::time_point IosCliSession::StageDeadline(int milliseconds) const {
    const Clock::time_point stage =
        Clock::now() + std::chrono::milliseconds(std::max(0, milliseconds));
    return std::min(stage, m_RouterDeadline);
}
