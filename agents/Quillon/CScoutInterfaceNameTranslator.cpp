// Resolves interface names to ifIndex values through the ifDescr column.
#include "CScoutInterfaceNameTranslator.h"

#include <cstdlib>
#include <cstring>

#include "CZanASN1Address.h"
#include "CZanAtom.h"
#include "CZanDoubleList.h"
#include "CZanError.h"
#include "CZanRegex.h"
#include "CZanSnmpVarOp.h"
#include "QuillonTrace.h"

namespace {

// A type word, an optional slot number and blank or hyphenated second word,
// then the numbering.
const char* const kInterfaceExpression = "[a-zA-Z]+(([0-9]+ )|(-[a-zA-Z]+))?[0-9\\.:/]*";
const char* const kPrefixExpression = "^[-a-zA-Z]*";

} // namespace

CScoutInterfaceNameTranslator::CScoutInterfaceNameTranslator() = default;

CScoutInterfaceNameTranslator::~CScoutInterfaceNameTranslator() = default;

bool CScoutInterfaceNameTranslator::LoadIfDescrs(CZanDoubleList* walk) {
    m_Map.clear();
    if (walk != nullptr) {
        for (CZanObject* element = walk->ZDLHead(); element != nullptr;
             element = walk->ZDLGetNext()) {
            const CZanSnmpVarOp* row = static_cast<const CZanSnmpVarOp*>(element);
            int ifIndex = -1;
            const char* description = nullptr;
            const CZanASN1Address* index = row->ZSVOASN1();
            if (index != nullptr) {
                ifIndex = index->ZAAAddressAt(0);
                const CZanAtom* value = row->ZSVOValue();
                if (value != nullptr && value->ZAType() == ZAN_STRING)
                    description = value->ZAString();
            }
            if (ifIndex == -1 || description == nullptr)
                continue;

            std::string longBase;
            std::string shortBase;
            MakeBaseNames(description, longBase, shortBase);
            AddMapping(ifIndex, longBase, false);
            AddMapping(ifIndex, shortBase, false);
        }
    }
    return !m_Map.empty();
}

int CScoutInterfaceNameTranslator::GetIfIndex(const char* name) const {
    if (name == nullptr)
        return -1;
    std::map<std::string, int>::const_iterator found = m_Map.find(name);
    return found != m_Map.end() ? found->second : -1;
}

void CScoutInterfaceNameTranslator::AddMapping(int ifIndex, std::string baseName, bool overwrite) {
    if (baseName.empty())
        return;
    std::map<std::string, int>::iterator found = m_Map.find(baseName);
    if (found == m_Map.end()) {
        m_Map.insert(std::map<std::string, int>::value_type(baseName, ifIndex));
        QuillonTrace::Line(4, "Translator adding mapping of base ", baseName, " to ", ifIndex);
    } else if (overwrite) {
        found->second = ifIndex;
        QuillonTrace::Line(4, "Translator updating mapping of base ", baseName, " to ", ifIndex);
    }
}

void CScoutInterfaceNameTranslator::MakeBaseNames(const char* description, std::string& longBase,
                                                  std::string& shortBase) {
    if (description == nullptr)
        return;
    CZanRegex interfacePattern(kInterfaceExpression, 1);
    if (interfacePattern.ZRMatches(description) != ZTRUE) {
        QuillonTrace::Line(1,
                           "CScoutInterfaceNameTranslator: unrecognised interface: ", description);
        return;
    }
    longBase.assign(interfacePattern.ZRExprStart(), interfacePattern.ZRExprEnd());

    // The short form keeps the first two letters of the type word.
    char* prefix = nullptr;
    const char* rest = nullptr;
    if (SplitAlphaPrefix(longBase.c_str(), &prefix, &rest)) {
        if (strlen(prefix) < 2)
            shortBase = longBase;
        else
            shortBase = longBase.substr(0, 2) + rest;
    }
    free(prefix);
}

bool CScoutInterfaceNameTranslator::SplitAlphaPrefix(const char* name, char** prefix,
                                                     const char** rest) {
    if (prefix == nullptr || rest == nullptr)
        return false;
    *prefix = nullptr;
    *rest = nullptr;
    if (name == nullptr)
        return false;

    CZanRegex prefixPattern(kPrefixExpression, 1);
    if (prefixPattern.ZRMatches(name) == 1 && prefixPattern.ZRExprStart() == name) {
        *rest = prefixPattern.ZRExprEnd();
        const size_t length = static_cast<size_t>(*rest - name);
        char* copy = static_cast<char*>(calloc(length + 1, 1));
        if (copy != nullptr) {
            memcpy(copy, name, length);
            *prefix = copy;
        } else {
            *rest = nullptr;
            CZanError(-220553, "CScoutInterfaceNameTranslator", 436);
        }
    }
    return *prefix != nullptr && *rest != nullptr;
}
