// The buffer behind std::cout or std::cerr once captures are in use: it
// hands each write to the calling thread's current capture, or, when the
// thread has none, to the stream's own buffer, which writes it out. Internal
// to the host layer; see CScoutOutputCapture.
//
// Threads: the routers are made once, before other threads write; from then
// on they may be written to from several threads at once. A router keeps no
// put area of its own, so every write goes straight where it belongs.
#pragma once

#include <ostream>
#include <streambuf>
#include <vector>

class CScoutOutputCapture;

class CScoutOutputRouter : public std::streambuf {
public:
    // Routes std::cout and std::cerr through routers; once for the process.
    static void Install();

    // Makes the capture the calling thread's current one, until it is
    // withdrawn; the one current before takes over again then.
    static void Push(CScoutOutputCapture* capture);
    // Withdraws the capture from the calling thread, wherever it stands
    // among the thread's captures.
    static void Withdraw(CScoutOutputCapture* capture);

    CScoutOutputRouter(std::ostream& stream, bool toErrors);
    CScoutOutputRouter(const CScoutOutputRouter&) = delete;
    CScoutOutputRouter& operator=(const CScoutOutputRouter&) = delete;
    // Gives the stream its own buffer back.
    ~CScoutOutputRouter() override;

protected:
    int_type overflow(int_type c) override;
    std::streamsize xsputn(const char* bytes, std::streamsize count) override;
    int sync() override;

private:
    std::ostream& m_Stream;
    std::streambuf* const m_Own;
    const bool m_ToErrors;
};
