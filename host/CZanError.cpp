#include "CZanError.h"

#include <cstring>
#include <iostream>
#include <string>

namespace {
// Each thread reports to a listener of its own.
thread_local CZanErrorListener* t_Listener = nullptr;
} // namespace

CZanErrorListener::~CZanErrorListener() = default;

CZanError::CZanError(int code, const char* file, int line, const char* message) : m_Code(code) {
    const char* fileName = file != nullptr ? file : "";
    // The line is put together first and written at once, so that lines
    // reported on several threads do not mix.
    std::string text =
        "error " + std::to_string(m_Code) + ' ' + fileName + ':' + std::to_string(line);
    bool endsLine = false;
    if (message != nullptr) {
        text += ' ';
        text += message;
        const size_t length = std::strlen(message);
        endsLine = length > 0 && message[length - 1] == '\n';
    }
    if (!endsLine)
        text += '\n';
    std::cerr.write(text.data(), static_cast<std::streamsize>(text.size()));
    std::cerr.flush();
    if (t_Listener != nullptr)
        t_Listener->ZELReport(m_Code, fileName, line, message);
}

CZanError::~CZanError() = default;

CZanErrorListener* CZanError::ZESetListener(CZanErrorListener* listener) {
    CZanErrorListener* previous = t_Listener;
    t_Listener = listener;
    return previous;
}
