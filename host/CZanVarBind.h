// A named value of the record model: an integer, a string (copied) or an
// atom (taken over).
//
// Threads: an object serves one thread at a time; objects share nothing.
#pragma once

#include <string>

#include "CZanObject.h"
#include "HostApi.h"

class CZanAtom;

class HOST_API CZanVarBind : public CZanObject {
public:
    enum EKind { VB_INTEGER, VB_STRING, VB_ATOM };

    CZanVarBind(const char* name, int value);
    CZanVarBind(const char* name, const char* text);
    CZanVarBind(const char* name, const std::string& text);
    // Takes over *atom and clears the caller's pointer.
    CZanVarBind(const char* name, CZanAtom** atom);
    ~CZanVarBind() override;

    const std::string& ZVBName() const { return m_Name; }
    EKind ZVBKind() const { return m_Kind; }
    int ZVBInteger() const { return m_Integer; }
    const std::string& ZVBString() const { return m_Text; }
    const CZanAtom* ZVBAtom() const { return m_Atom; }

private:
    std::string m_Name;
    EKind m_Kind;
    int m_Integer = 0;
    std::string m_Text;
    CZanAtom* m_Atom = nullptr;
};
