// Resolves interface names, long (as in ifDescr) or short (first two letters
// of the type word, then the numbering), to ifIndex values.
#pragma once

#include <map>
#include <string>

class CZanDoubleList;

class CScoutInterfaceNameTranslator {
public:
    CScoutInterfaceNameTranslator();
    ~CScoutInterfaceNameTranslator();
    CScoutInterfaceNameTranslator(const CScoutInterfaceNameTranslator&) = delete;
    CScoutInterfaceNameTranslator& operator=(const CScoutInterfaceNameTranslator&) = delete;

    // Loads the ifDescr walk (a list of CZanSnmpVarOp); true when the
    // translator holds at least one mapping afterwards.
    bool LoadIfDescrs(CZanDoubleList* walk);
    // The ifIndex of an interface name, or -1.
    int GetIfIndex(const char* name) const;

    void AddMapping(int ifIndex, std::string baseName, bool overwrite);
    void MakeBaseNames(const char* description, std::string& longBase, std::string& shortBase);
    // prefix: a malloc'ed copy of the leading run of letters and hyphens;
    // rest: points into name just after it. True when both are set.
    bool SplitAlphaPrefix(const char* name, char** prefix, const char** rest);

private:
    std::map<std::string, int> m_Map;
};
