// The line a user types at an IOS router: typed characters echoed (or not,
// for passwords), backspace and delete rub out, a line ends at CR or LF.
#pragma once

#include <cstddef>
#include <string>

class IosLineInput {
public:
    // Longest line kept; characters past it are dropped.
    static constexpr std::size_t kLongest = 1024;

    // Takes one typed character; its echo, when echoing, goes to out. True
    // when it ended the line.
    bool Type(char c, bool echo, std::string& out);
    // The line typed, leaving the input empty.
    std::string Take();

private:
    std::string m_Line;
};
