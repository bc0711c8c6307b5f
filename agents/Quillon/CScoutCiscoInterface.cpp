// Collector of the interfaces on which a router runs IS-IS.
#include "CScoutCiscoInterface.h"

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "CScoutPattern.h"
#include "CScoutStdRequester.h"
#include "CZanError.h"
#include "QuillonTrace.h"
#include "ScoutAgentUtils.h"

const std::string CScoutCiscoInterface::m_ISISInterfaceStr = "Interfaces supported by IS-IS:";

namespace {

const char* const kTagExpression = "Interfaces supported by IS-IS:[\n\r]";
const char* const kListExpression =
    "([[:space:]]+([^[:space:]]+)([[:space:]]-[[:space:]](IP|OSI))*)+";
const char* const kEntryExpression =
    "[[:space:]]+[^[:space:]]+([[:space:]]-[[:space:]](IP|OSI))+[\n\r]";
const char* const kNameExpression = "[^[:space:]]+";

} // namespace

CScoutCiscoInterface::CScoutCiscoInterface() : m_CommandOutput(nullptr) {}

CScoutCiscoInterface::~CScoutCiscoInterface() {
    if (m_CommandOutput != nullptr) {
        free(m_CommandOutput);
        m_CommandOutput = nullptr;
    }
}

CScoutCiscoInterface& CScoutCiscoInterface::operator=(const CScoutCiscoInterface& other) {
    if (this == &other)
        return *this;
    char* copy = nullptr;
    if (other.m_CommandOutput != nullptr) {
        const size_t size = strlen(other.m_CommandOutput) + 1;
        copy = static_cast<char*>(malloc(size));
        if (copy != nullptr)
            memcpy(copy, other.m_CommandOutput, size);
    }
    free(m_CommandOutput);
    m_CommandOutput = copy;
    return *this;
}

bool CScoutCiscoInterface::ObtainData(CZanRecord& ne, CScoutStdRequester& requester) {
    QuillonTrace::Line(1, "Entering into CScoutCiscoInterface::ObtainData ");
    if (m_CommandOutput != nullptr)
        free(m_CommandOutput);
    m_CommandOutput = requester.SSRGetTELNET(&ne, "show clns protocol");
    return m_CommandOutput != nullptr;
}

void CScoutCiscoInterface::ParseData(InterfaceNameSet& names) {
    QuillonTrace::Line(1, "Entering into CScoutCiscoInterface::ParseData");

    const char* entryPtr = nullptr;
    if (m_CommandOutput != nullptr)
        entryPtr = strstr(m_CommandOutput, m_ISISInterfaceStr.c_str());
    QuillonTrace::Line(4, " 2 ParseData: entryPtr = ", entryPtr != nullptr ? entryPtr : "NULL");
    if (entryPtr == nullptr)
        return;

    // The block is the tag line followed by the list; each list entry is one
    // line, and its first word is the interface name.
    const std::vector<std::string> blockParts = {kTagExpression, kListExpression};
    CScoutPattern block("isisInterfaceBlock", false, blockParts);
    std::vector<CScoutPattern>* blockSubPatterns = new std::vector<CScoutPattern>;
    blockSubPatterns->push_back(CScoutPattern("interfaceListTag", false, kTagExpression));
    CScoutPattern listEntry("listEntry", true, kEntryExpression);
    std::vector<CScoutPattern>* entrySubPatterns = new std::vector<CScoutPattern>;
    entrySubPatterns->push_back(CScoutPattern("interfaceName", false, kNameExpression));
    listEntry.SetSubPattern(entrySubPatterns);
    blockSubPatterns->push_back(listEntry);
    block.SetSubPattern(blockSubPatterns);

    if (!block.IsValid())
        CZanError(-220440, "CScoutCiscoInterface", 173, "Invalid regular expression");

    if (block.Match(entryPtr) && block.NumberMatches("isisInterfaceBlock") == 1) {
        const int entries = block.NumberMatches("isisInterfaceBlock[0].listEntry");
        for (int i = 0; i < entries; ++i) {
            std::string path = "isisInterfaceBlock[0].listEntry[";
            SAUFAppendIntToString(path, i);
            path += "].interfaceName[0]";
            std::string name;
            block.FindField(path, name);
            QuillonTrace::Line(4, "isisInterface is ", name);
            names.insert(name);
        }
        return;
    }

    QuillonTrace::Line(1, "Unable to parse ISIS interfaces from:");
    QuillonTrace::Line(1, m_CommandOutput != nullptr ? m_CommandOutput : "NULL");
}
