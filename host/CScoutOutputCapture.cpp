#include "CScoutOutputCapture.h"

#include <ostream>

#include "CScoutOutputRouter.h"

CScoutOutputCapture::CScoutOutputCapture() {
    CScoutOutputRouter::Install();
}

CScoutOutputCapture::~CScoutOutputCapture() {
    SOCEnd();
}

void CScoutOutputCapture::SOCBegin() {
    if (m_On)
        return;
    CScoutOutputRouter::Push(this);
    m_On = true;
}

void CScoutOutputCapture::SOCEnd() {
    if (!m_On)
        return;
    CScoutOutputRouter::Withdraw(this);
    m_On = false;
}

std::string CScoutOutputCapture::SOCOutput() const {
    std::string text;
    for (const Piece& piece : m_Pieces) {
        if (!piece.toErrors)
            text += piece.bytes;
    }
    return text;
}

std::string CScoutOutputCapture::SOCErrors() const {
    std::string text;
    for (const Piece& piece : m_Pieces) {
        if (piece.toErrors)
            text += piece.bytes;
    }
    return text;
}

void CScoutOutputCapture::SOCFlush(std::ostream& out, std::ostream& err) {
    for (size_t i = 0; i < m_Pieces.size(); ++i) {
        std::ostream& stream = m_Pieces[i].toErrors ? err : out;
        stream.write(m_Pieces[i].bytes.data(),
                     static_cast<std::streamsize>(m_Pieces[i].bytes.size()));
        // The other stream takes over next (consecutive pieces never share
        // a stream), or this was the last piece.
        stream.flush();
    }
    m_Pieces.clear();
}

void CScoutOutputCapture::SOCAppend(bool toErrors, const char* bytes, size_t count) {
    if (m_Pieces.empty() || m_Pieces.back().toErrors != toErrors)
        m_Pieces.push_back(Piece{toErrors, std::string()});
    m_Pieces.back().bytes.append(bytes, count);
}
