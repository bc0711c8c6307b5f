#include "CZanAtom.h"

#include "CZanAtomVector.h"
#include "CZanVBList.h"

CZanAtom::CZanAtom() : m_Type(ZAN_NULL) {}

CZanAtom::CZanAtom(const char* text) : m_Type(ZAN_STRING), m_Text(text != nullptr ? text : "") {}

CZanAtom::CZanAtom(const std::string& text) : m_Type(ZAN_STRING), m_Text(text) {}

CZanAtom::CZanAtom(int value) : m_Type(ZAN_INTEGER), m_Integer(value) {}

CZanAtom::CZanAtom(CZanVBList* list) : m_Type(ZAN_VBLIST), m_List(list) {}

CZanAtom::CZanAtom(CZanAtomVector* v) : m_Type(ZAN_VECTOR), m_Vector(v) {}

CZanAtom::~CZanAtom() {
    delete m_List;
    delete m_Vector;
}
