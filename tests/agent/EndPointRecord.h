// Reading the record of a protocol end point in tests: the record is
// rendered into one line of text that shows every var bind in order with
// the kind of its value: name=123 for integers, name="text" for strings,
// {...} for lists and [...] for vectors.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "CScoutCiscoProtocolEndPoint.h"
#include "CZanAtom.h"
#include "CZanAtomVector.h"
#include "CZanVBList.h"
#include "CZanVarBind.h"

namespace quillon_test {

void DescribeAtom(const CZanAtom* atom, std::ostream& out);

inline void DescribeList(const CZanVBList* list, std::ostream& out) {
    out << '{';
    for (int i = 0; i < list->ZVBLSize(); ++i) {
        const CZanVarBind* vb = list->ZVBLGet(i);
        if (i > 0)
            out << "; ";
        out << vb->ZVBName() << '=';
        switch (vb->ZVBKind()) {
        case CZanVarBind::VB_INTEGER:
            out << vb->ZVBInteger();
            break;
        case CZanVarBind::VB_STRING:
            out << '"' << vb->ZVBString() << '"';
            break;
        case CZanVarBind::VB_ATOM:
            DescribeAtom(vb->ZVBAtom(), out);
            break;
        }
    }
    out << '}';
}

inline void DescribeAtom(const CZanAtom* atom, std::ostream& out) {
    if (atom == nullptr) {
        out << "<no atom>";
        return;
    }
    switch (atom->ZAType()) {
    case ZAN_NULL:
    case ZAN_INTEGER:
    case ZAN_STRING:
        out << "<atom of type " << atom->ZAType() << '>';
        break;
    case ZAN_VBLIST:
        DescribeList(atom->ZAList(), out);
        break;
    case ZAN_VECTOR: {
        const CZanAtomVector* vector = atom->ZAVector();
        out << '[';
        for (int i = 0; i < vector->ZAVSize(); ++i) {
            if (i > 0)
                out << ", ";
            DescribeAtom(vector->ZAVGetValue(i), out);
        }
        out << ']';
        break;
    }
    }
}

inline std::string DescribeAtom(const CZanAtom* atom) {
    std::ostringstream out;
    DescribeAtom(atom, out);
    return out.str();
}

// The end point's record as text; the rendered atom is freed again.
inline std::string EndPointRecord(const CScoutCiscoProtocolEndPoint& endPoint) {
    std::unique_ptr<CZanAtom> atom(endPoint.GeneratePEData());
    return DescribeAtom(atom.get());
}

// The trace split into its lines (without their line ends).
inline std::vector<std::string> TraceLines(const std::string& trace) {
    std::vector<std::string> lines;
    std::string::size_type start = 0;
    while (start < trace.size()) {
        std::string::size_type end = trace.find('\n', start);
        if (end == std::string::npos)
            end = trace.size();
        lines.push_back(trace.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}

inline int CountLines(const std::string& trace, const std::string& line) {
    int count = 0;
    for (const std::string& l : TraceLines(trace))
        if (l == line)
            ++count;
    return count;
}

// Output with CR LF line ends in place of LF.
inline std::string WithCrLf(const std::string& text) {
    std::string result;
    for (char c : text) {
        if (c == '\n')
            result += '\r';
        result += c;
    }
    return result;
}

} // namespace quillon_test
