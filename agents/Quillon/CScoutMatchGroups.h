// The groups of a pattern's latest match, read as texts.
#pragma once

#include <string>

class CZanRegex;

class CScoutMatchGroups {
public:
    explicit CScoutMatchGroups(const CZanRegex& regex);

    // The text of the group in the latest match; false, with the text left
    // as it was, when the group took no part in it.
    bool Copy(int group, std::string& text) const;

private:
    const CZanRegex& m_Regex;
};
