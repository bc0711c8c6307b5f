#include "CZanVarBind.h"

#include "CZanAtom.h"

namespace {
const char* NameOrEmpty(const char* name) {
    return name != nullptr ? name : "";
}
} // namespace

CZanVarBind::CZanVarBind(const char* name, int value)
    : m_Name(NameOrEmpty(name)), m_Kind(VB_INTEGER), m_Integer(value) {}

CZanVarBind::CZanVarBind(const char* name, const char* text)
    : m_Name(NameOrEmpty(name)), m_Kind(VB_STRING), m_Text(text != nullptr ? text : "") {}

CZanVarBind::CZanVarBind(const char* name, const std::string& text)
    : m_Name(NameOrEmpty(name)), m_Kind(VB_STRING), m_Text(text) {}

CZanVarBind::CZanVarBind(const char* name, CZanAtom** atom)
    : m_Name(NameOrEmpty(name)), m_Kind(VB_ATOM) {
    if (atom != nullptr) {
        m_Atom = *atom;
        *atom = nullptr;
    }
}

CZanVarBind::~CZanVarBind() {
    delete m_Atom;
}
