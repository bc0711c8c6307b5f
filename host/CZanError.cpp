#include "CZanError.h"

#include <cstring>
#include <iostream>

namespace {
CZanErrorListener* g_Listener = nullptr;
} // namespace

CZanErrorListener::~CZanErrorListener() = default;

CZanError::CZanError(int code, const char* file, int line, const char* message) : m_Code(code) {
    const char* fileName = file != nullptr ? file : "";
    std::cerr << "error " << m_Code << ' ' << fileName << ':' << line;
    bool endsLine = false;
    if (message != nullptr) {
        std::cerr << ' ' << message;
        const size_t length = std::strlen(message);
        endsLine = length > 0 && message[length - 1] == '\n';
    }
    if (!endsLine)
        std::cerr << '\n';
    std::cerr.flush();
    if (g_Listener != nullptr)
        g_Listener->ZELReport(m_Code, fileName, line, message);
}

CZanError::~CZanError() = default;

CZanErrorListener* CZanError::ZESetListener(CZanErrorListener* listener) {
    CZanErrorListener* previous = g_Listener;
    g_Listener = listener;
    return previous;
}
