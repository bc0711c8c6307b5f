// Collector of the interfaces on which a router runs IS-IS.
#include "CScoutCiscoInterface.h"

#include <cstring>
#include <string>
#include <type_traits>
#include <vector>

#include "CScoutPattern.h"
#include "CScoutQuillonProfile.h"
#include "CZanError.h"
#include "QuillonTrace.h"
#include "ScoutAgentUtils.h"

// The class is exported: its object stays one text pointer.
static_assert(sizeof(CScoutCiscoInterface) == sizeof(char*) &&
                  alignof(CScoutCiscoInterface) == alignof(char*) &&
                  std::is_standard_layout<CScoutCiscoInterface>::value,
              "CScoutCiscoInterface must keep its layout");

const std::string CScoutCiscoInterface::m_ISISInterfaceStr = "Interfaces supported by IS-IS:";

CScoutCiscoInterface::CScoutCiscoInterface() = default;

CScoutCiscoInterface::~CScoutCiscoInterface() = default;

CScoutCiscoInterface& CScoutCiscoInterface::operator=(const CScoutCiscoInterface& other) {
    m_CommandOutput.CopyFrom(other.m_CommandOutput);
    return *this;
}

bool CScoutCiscoInterface::ObtainData(CZanRecord& ne, CScoutStdRequester& requester) {
    QuillonTrace::Line(1, "Entering into CScoutCiscoInterface::ObtainData ");
    return m_CommandOutput.Obtain(ne, requester, "show clns protocol");
}

void CScoutCiscoInterface::ParseData(InterfaceNameSet& names) {
    ParseData(names, CScoutQuillonProfile::Classic());
}

void CScoutCiscoInterface::ParseData(InterfaceNameSet& names, const CScoutQuillonProfile& profile) {
    QuillonTrace::Line(1, "Entering into CScoutCiscoInterface::ParseData");
    const CScoutQuillonProfile::InterfaceList& list = profile.interfaceList;

    const char* text = m_CommandOutput.Text();
    const char* entryPtr = nullptr;
    if (text != nullptr)
        entryPtr = strstr(text, m_ISISInterfaceStr.c_str());
    QuillonTrace::Line(4, " 2 ParseData: entryPtr = ", entryPtr != nullptr ? entryPtr : "NULL");
    if (entryPtr == nullptr)
        return;

    // The block is the tag line followed by the list; each list entry is one
    // line, and its first word is the interface name.
    const std::vector<std::string> blockParts = {list.tag, list.list};
    CScoutPattern block("isisInterfaceBlock", false, blockParts);
    std::vector<CScoutPattern>* blockSubPatterns = new std::vector<CScoutPattern>;
    blockSubPatterns->push_back(CScoutPattern("interfaceListTag", false, list.tag));
    CScoutPattern listEntry("listEntry", true, list.entry);
    std::vector<CScoutPattern>* entrySubPatterns = new std::vector<CScoutPattern>;
    entrySubPatterns->push_back(CScoutPattern("interfaceName", false, list.name));
    listEntry.SetSubPattern(entrySubPatterns); // the entry owns the vector now
    blockSubPatterns->push_back(listEntry);
    block.SetSubPattern(blockSubPatterns); // the block owns the vector now

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
    QuillonTrace::Line(1, text != nullptr ? text : "NULL");
}
