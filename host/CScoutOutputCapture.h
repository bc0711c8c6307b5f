// What one thread writes to std::cout and std::cerr while it works on one
// entity, held back so that the host can write it out later, in the order
// of its own choosing: entities worked on side by side on several threads
// then still give the same standard output and standard error, byte for
// byte, as when worked on one after another.
//
// Between SOCBegin and SOCEnd, everything the calling thread writes to
// std::cout or std::cerr (the agent's trace lines and the host's error
// lines) lands in the capture instead, in the order written. Other threads
// are not affected, and a thread without a capture writes straight through.
// Writes made through C stdio, or while a stream has been given another
// buffer, are not captured.
//
// Threads: SOCBegin and SOCEnd are called on the thread whose writes are
// captured, and a capture is on for one thread at a time. The first capture
// constructed routes std::cout and std::cerr through the host, once for the
// process: construct it before any other thread writes to them. Once SOCEnd
// has returned, the capture may be read and flushed on another thread.
#pragma once

#include <cstddef>
#include <iosfwd>
#include <string>
#include <vector>

#include "HostApi.h"

class HOST_API CScoutOutputCapture {
public:
    CScoutOutputCapture();
    CScoutOutputCapture(const CScoutOutputCapture&) = delete;
    CScoutOutputCapture& operator=(const CScoutOutputCapture&) = delete;
    // Ends the capture first when it is still on.
    ~CScoutOutputCapture();

    // Captures the calling thread's writes until SOCEnd. A capture begun
    // while another is on for the thread takes over until it ends; the
    // other then takes up again. A second SOCBegin changes nothing.
    void SOCBegin();
    void SOCEnd();

    // What was written to each stream so far.
    std::string SOCOutput() const;
    std::string SOCErrors() const;

    // Writes everything captured to out and err in the order it was
    // written, flushing a stream whenever the other one takes over and at
    // the end, and empties the capture.
    void SOCFlush(std::ostream& out, std::ostream& err);

private:
    friend class CScoutOutputRouter;
    // Notes bytes written to standard output (toErrors false) or standard
    // error (true) on the capturing thread.
    void SOCAppend(bool toErrors, const char* bytes, size_t count);

    struct Piece {
        bool toErrors;
        std::string bytes;
    };
    // Consecutive writes to the same stream make one piece.
    std::vector<Piece> m_Pieces;
    bool m_On = false;
};
