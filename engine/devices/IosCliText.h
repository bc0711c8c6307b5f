// What an IOS command line prints that a client has to recognise: prompts,
// login and enable questions and refusals, rejected commands, the pager.
// Every message handed back is one of the fixed texts below, never the
// router's own bytes.
#pragma once

#include <string>
#include <string_view>

namespace IosCliText {

// The pager's marker, and what IOS sends to erase it once answered.
constexpr std::string_view kMore = " --More-- ";
constexpr std::string_view kMoreErase = "\b\b\b\b\b\b\b\b\b        \b\b\b\b\b\b\b\b\b";

// The text after the last CR or LF.
std::string_view LastLine(std::string_view text);

// A prompt: a host name, then '>' (user mode) or '#' (enabled), as in
// "core-1>" or "core-1(config)#".
bool ParsePrompt(std::string_view line, std::string& hostName, char& mode);
bool IsPromptOf(std::string_view line, const std::string& hostName, char& mode);

// The login and enable questions ("Username: ", "Password: ").
bool AsksForUser(std::string_view line);
bool AsksForPassword(std::string_view line);

// The first message in text by which IOS refuses a login or enable, as
// "% Login invalid"; empty when there is none.
std::string Refusal(std::string_view text);

// The message by which IOS rejected a command, when its output is one (the
// caret line, then "% Invalid input detected at '^' marker."); empty
// otherwise.
std::string Rejection(std::string_view output);

// Whether IOS takes the command only once enabled ("show running-config",
// abbreviated as "show run", and the startup configuration).
bool NeedsEnable(std::string_view command);

} // namespace IosCliText
