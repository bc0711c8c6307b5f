#include "CScoutMatchGroups.h"

#include "CZanRegex.h"

CScoutMatchGroups::CScoutMatchGroups(const CZanRegex& regex) : m_Regex(regex) {}

bool CScoutMatchGroups::Copy(int group, std::string& text) const {
    const char* start = m_Regex.SubExprStart(group);
    const char* end = m_Regex.SubExprEnd(group);
    if (start == nullptr || end == nullptr)
        return false;
    text.assign(start, end);
    return true;
}
