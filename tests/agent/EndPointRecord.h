// Helpers of the collector tests: records rendered as one line of text
// (name=123 for integers, name="text" for strings, {...} for lists, [...]
// for vectors), traces checked per debug level, and text edits.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "CScoutCiscoProtocolEndPoint.h"
#include "CZanAtom.h"
#include "CZanAtomVector.h"
#include "CZanVBList.h"
#include "CZanVarBind.h"
#include "HostFixture.h"
#include "TestFiles.h"

namespace quillon_test {

inline void DescribeAtom(const CZanAtom* atom, std::ostream& out) {
    if (atom != nullptr && atom->ZAType() == ZAN_VBLIST) {
        const CZanVBList* list = atom->ZAList();
        out << '{';
        for (int i = 0; i < list->ZVBLSize(); ++i) {
            const CZanVarBind* vb = list->ZVBLGet(i);
            out << (i > 0 ? "; " : "") << vb->ZVBName() << '=';
            if (vb->ZVBKind() == CZanVarBind::VB_INTEGER)
                out << vb->ZVBInteger();
            else if (vb->ZVBKind() == CZanVarBind::VB_STRING)
                out << '"' << vb->ZVBString() << '"';
            else
                DescribeAtom(vb->ZVBAtom(), out);
        }
        out << '}';
    } else if (atom != nullptr && atom->ZAType() == ZAN_VECTOR) {
        const CZanAtomVector* vector = atom->ZAVector();
        out << '[';
        for (int i = 0; i < vector->ZAVSize(); ++i) {
            out << (i > 0 ? ", " : "");
            DescribeAtom(vector->ZAVGetValue(i), out);
        }
        out << ']';
    } else {
        out << "<atom of type " << (atom != nullptr ? atom->ZAType() : -1) << '>';
    }
}

// The rendered record as text; the atom is freed again.
inline std::string Describe(CZanAtom* rendered) {
    std::unique_ptr<CZanAtom> atom(rendered);
    std::ostringstream out;
    DescribeAtom(atom.get(), out);
    return out.str();
}

// The errors in the router's journal, one line each: code file:line message.
inline std::string Errors(const LabRouter& router) {
    std::string text;
    for (const auto& e : router.Errors())
        text += std::to_string(e.code) + " " + e.file + ":" + std::to_string(e.line) + " " +
                (e.hasMessage ? e.message : "-") + "\n";
    return text;
}

inline std::string EndPointRecord(const CScoutCiscoProtocolEndPoint& endPoint) {
    return Describe(endPoint.GeneratePEData());
}

// Runs an end-point collector on a router answering `command` with `output`
// and returns the record of the end point (fresh, or as `prepare` left it)
// after the parse for `name`, followed by any error reported.
template <typename Collector>
std::string ParsedRecord(const char* command, const std::string& output, std::string name,
                         void (*prepare)(CScoutCiscoProtocolEndPoint&) = nullptr) {
    CScoutCiscoProtocolEndPoint endPoint;
    if (prepare != nullptr)
        prepare(endPoint);
    LabRouter router;
    router.Answer(command, output);
    Collector collector;
    EXPECT_TRUE(collector.ObtainData(router.Record(), router.Requester()));
    collector.ParseData(name, &endPoint);
    return EndPointRecord(endPoint) + Errors(router);
}

// The trace split into its lines (without their line ends).
inline std::vector<std::string> TraceLines(const std::string& trace) {
    std::vector<std::string> lines;
    std::istringstream in(trace);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

// Each traced line with the lowest debug level that writes it.
using LevelledTrace = std::vector<std::pair<int, std::string>>;

// Runs `run` at debug levels 0 to 4 and checks what it traces: exactly up to
// `exactUpTo`, above that as lines in this order among others (the patterns
// traced there are left out of `lines`).
template <typename Run>
void ExpectTraceByLevel(const LevelledTrace& lines, Run run, int exactUpTo = 4) {
    for (int level = 0; level <= 4; ++level) {
        SCOPED_TRACE("debug level " + std::to_string(level));
        std::vector<std::string> expected;
        for (const auto& [lineLevel, line] : lines)
            if (lineLevel <= level)
                expected.push_back(line);
        std::vector<std::string> actual;
        {
            DebugLevel debug(level);
            TraceCapture capture;
            run();
            actual = TraceLines(capture.Take());
        }
        if (level <= exactUpTo) {
            EXPECT_EQ(actual, expected);
            continue;
        }
        auto next = actual.begin();
        for (const std::string& line : expected) {
            next = std::find(next, actual.end(), line);
            ASSERT_NE(next, actual.end()) << "missing or out of order: " << line;
            ++next;
        }
    }
}

// What `read` makes of `text`, with what it makes of the CR LF form added
// when that differs.
template <typename Read> std::string ReadBothLineEnds(const std::string& text, Read read) {
    std::string lf = read(text), crlf = read(WithCrLf(text));
    return crlf == lf ? lf : lf + " (with CR LF: " + crlf + ")";
}

// Applies text replacements, each to the first place its text occurs.
using Edits = std::vector<std::pair<std::string, std::string>>;
inline std::string Edited(std::string text, const Edits& edits) {
    for (const auto& [from, to] : edits) {
        std::string::size_type at = text.find(from);
        EXPECT_NE(at, std::string::npos) << "edit does not apply: " << from;
        if (at != std::string::npos)
            text.replace(at, from.size(), to);
    }
    return text;
}

} // namespace quillon_test
