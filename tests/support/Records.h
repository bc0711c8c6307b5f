// The one printer of the tests for what the host's record model and journal
// hold: a record as one line (name=12 for integers, name="text" for strings,
// {...} for lists, [...] for vectors), errors one line each.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "CScoutEntityJournal.h"
#include "CZanAtom.h"
#include "CZanAtomVector.h"
#include "CZanVBList.h"
#include "CZanVarBind.h"

namespace quillon_test {

inline std::string Describe(const CZanVBList* list);

inline std::string Describe(const CZanAtom* atom) {
    if (atom == nullptr)
        return "<none>";
    if (atom->ZAType() == ZAN_INTEGER)
        return std::to_string(atom->ZAInteger());
    if (atom->ZAType() == ZAN_STRING)
        return '"' + atom->ZAText() + '"';
    if (atom->ZAType() == ZAN_VBLIST)
        return Describe(atom->ZAList());
    if (atom->ZAType() != ZAN_VECTOR)
        return "<null>";
    std::string text = "[";
    for (int i = 0; i < atom->ZAVector()->ZAVSize(); ++i)
        text += (i > 0 ? ", " : "") + Describe(atom->ZAVector()->ZAVGetValue(i));
    return text + "]";
}

inline std::string Describe(const CZanVarBind* vb) {
    if (vb == nullptr)
        return "<none>";
    const std::string name = vb->ZVBName() + "=";
    if (vb->ZVBKind() == CZanVarBind::VB_INTEGER)
        return name + std::to_string(vb->ZVBInteger());
    if (vb->ZVBKind() == CZanVarBind::VB_STRING)
        return name + '"' + vb->ZVBString() + '"';
    return name + Describe(vb->ZVBAtom());
}

inline std::string Describe(const CZanVBList* list) {
    std::string text = "{";
    for (int i = 0; list != nullptr && i < list->ZVBLSize(); ++i)
        text += (i > 0 ? "; " : "") + Describe(list->ZVBLGet(i));
    return text + "}";
}

// A record an object rendered, freed again.
inline std::string Rendered(CZanAtom* rendered) {
    std::unique_ptr<CZanAtom> atom(rendered);
    return Describe(atom.get());
}

// Each error as "code file:line[ message]" and a line end.
inline std::string Errors(const std::vector<CScoutEntityJournal::Error>& errors) {
    std::string lines;
    for (const CScoutEntityJournal::Error& e : errors)
        lines += std::to_string(e.code) + " " + e.file + ":" + std::to_string(e.line) +
                 (e.hasMessage ? " " + e.message : "") + "\n";
    return lines;
}

} // namespace quillon_test
