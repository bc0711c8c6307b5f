// A value of the record model: a string, an integer, a var-bind list or an
// atom vector. An atom owns the list or vector it holds.
//
// Threads: an object serves one thread at a time; objects share nothing.
#pragma once

#include <string>

#include "CZanObject.h"
#include "HostApi.h"

class CZanVBList;
class CZanAtomVector;

class HOST_API CZanAtom : public CZanObject {
public:
    CZanAtom();                          // ZAN_NULL: an atom that holds nothing
    explicit CZanAtom(const char* text); // ZAN_STRING, copies text up to its NUL
    explicit CZanAtom(const std::string& text);
    explicit CZanAtom(int value);         // ZAN_INTEGER
    explicit CZanAtom(CZanVBList* list);  // ZAN_VBLIST, takes the list over
    explicit CZanAtom(CZanAtomVector* v); // ZAN_VECTOR, takes the vector over
    ~CZanAtom() override;

    EZanDataType ZAType() const { return m_Type; }
    // The text of a string atom; "" for any other type.
    const char* ZAString() const { return m_Text.c_str(); }
    const std::string& ZAText() const { return m_Text; }
    int ZAInteger() const { return m_Integer; }
    // The held list or vector, or null when the atom is of another type.
    const CZanVBList* ZAList() const { return m_List; }
    const CZanAtomVector* ZAVector() const { return m_Vector; }

private:
    EZanDataType m_Type;
    std::string m_Text;
    int m_Integer = 0;
    CZanVBList* m_List = nullptr;
    CZanAtomVector* m_Vector = nullptr;
};
