// A router's command line, however it is reached (telnet or SSH). One session
// serves every command of one router, from one thread at a time.
#pragma once

#include <string>

class CommandSession {
public:
    virtual ~CommandSession() = default;

    // Connects and logs in, once; later calls give the first answer again.
    // False, with the reason, when no command can be run at all.
    virtual bool Open(std::string& reason) = 0;
    // Runs one command (logging in first when needed). On success `output`
    // holds the router's answer; otherwise `reason` says why there is none,
    // in one line and without any secret.
    virtual bool Run(const std::string& command, std::string& output, std::string& reason) = 0;
    // Whether the session can no longer run anything (refused, timed out,
    // dropped): later commands would fail at once.
    virtual bool Lost() const = 0;
    // The host name the router's prompt shows; empty before login.
    virtual std::string HostName() const = 0;
    // Leaves the router's command line cleanly, if still connected.
    virtual void Close() = 0;
    // Where the session goes, for the report: "telnet 127.0.0.1:2301" or "ssh 127.0.0.1:22".
    virtual std::string Describe() const = 0;
};
