// The IOS pager: a long output shown a screen at a time, each screen ending
// in " --More-- " until a key is pressed. Space shows the next screen,
// return one more line, any other key ends the output.
#pragma once

#include <cstddef>
#include <string>

class IosPager {
public:
    static constexpr int kDefaultLength = 24;

    // Starts showing text on a screen of length lines (0: all at once);
    // returns what goes out first.
    std::string Start(std::string text, int length);
    // Whether the marker is shown and a key awaited.
    bool Waiting() const { return m_At < m_Text.size(); }
    // A key pressed at the marker: what goes out next.
    std::string Key(char key);

private:
    // The next count lines, and the marker when more remain.
    std::string Show(std::size_t count);

    std::string m_Text;
    std::size_t m_At = 0;
    std::size_t m_Screen = 0; // lines per screen, the marker's line aside
};
