// One command's answer as an IOS router sends it, read as it arrives: the
// echo of the command line, the output, the next prompt. The pager's
// marker and its erasing are taken out, so that a paged output reads as
// the unpaged one; nothing else is changed.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

class IosCliOutputReader {
public:
    enum class State {
        kReading, // more to come
        kMore,    // the pager waits: answer with a space, then go on feeding
        kDone,    // the prompt came: Output() is complete
        kTooLong, // the output grew past the limit
    };

    static constexpr std::size_t kDefaultLimit = 64u << 20;

    // hostName: the name the prompts show.
    explicit IosCliOutputReader(std::string hostName, std::size_t limit = kDefaultLimit);

    // Takes the next data bytes from the router.
    State Feed(std::string_view data);
    State Current() const { return m_State; }
    // The output: complete once kDone, what has come so far before.
    const std::string& Output() const { return m_Text; }
    // The mode of the closing prompt: '>' or '#'.
    char Mode() const { return m_Mode; }

private:
    enum class Erase { kNone, kBack, kBlank, kBackAgain };

    void Take(char c);
    State Check();

    std::string m_HostName;
    std::size_t m_Limit;
    State m_State = State::kReading;
    bool m_InEcho = true;
    std::size_t m_EchoSize = 0;
    std::string m_Text;
    char m_Mode = 0;
    Erase m_Erase = Erase::kNone;
    std::size_t m_Backs = 0;  // backspaces of the erase run seen first
    std::size_t m_Erased = 0; // characters of the current step of the run
};
