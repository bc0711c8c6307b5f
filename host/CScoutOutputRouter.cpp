#include "CScoutOutputRouter.h"

#include <algorithm>
#include <iostream>
#include <mutex>

#include "CScoutOutputCapture.h"

namespace {

// The calling thread's captures, the current one last, and the current one
// apart for writes to find quickly.
thread_local std::vector<CScoutOutputCapture*> t_Captures;
thread_local CScoutOutputCapture* t_Current = nullptr;

// The routers live until the process ends; the streams get their own
// buffers back when they go.
struct Routers {
    CScoutOutputRouter output{std::cout, false};
    CScoutOutputRouter errors{std::cerr, true};
};

} // namespace

void CScoutOutputRouter::Install() {
    static std::once_flag once;
    std::call_once(once, [] { static Routers routers; });
}

void CScoutOutputRouter::Push(CScoutOutputCapture* capture) {
    t_Captures.push_back(capture);
    t_Current = capture;
}

void CScoutOutputRouter::Withdraw(CScoutOutputCapture* capture) {
    t_Captures.erase(std::remove(t_Captures.begin(), t_Captures.end(), capture), t_Captures.end());
    t_Current = t_Captures.empty() ? nullptr : t_Captures.back();
}

CScoutOutputRouter::CScoutOutputRouter(std::ostream& stream, bool toErrors)
    : m_Stream(stream), m_Own(stream.rdbuf()), m_ToErrors(toErrors) {
    m_Stream.rdbuf(this);
}

CScoutOutputRouter::~CScoutOutputRouter() {
    if (m_Stream.rdbuf() == this)
        m_Stream.rdbuf(m_Own);
}

CScoutOutputRouter::int_type CScoutOutputRouter::overflow(int_type c) {
    if (traits_type::eq_int_type(c, traits_type::eof()))
        return traits_type::not_eof(c);
    const char byte = traits_type::to_char_type(c);
    return xsputn(&byte, 1) == 1 ? c : traits_type::eof();
}

std::streamsize CScoutOutputRouter::xsputn(const char* bytes, std::streamsize count) {
    if (t_Current != nullptr) {
        t_Current->SOCAppend(m_ToErrors, bytes, static_cast<size_t>(count));
        return count;
    }
    return m_Own != nullptr ? m_Own->sputn(bytes, count) : 0;
}

int CScoutOutputRouter::sync() {
    if (t_Current != nullptr || m_Own == nullptr)
        return 0;
    return m_Own->pubsync();
}
