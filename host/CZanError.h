// Error report. Constructing a CZanError is the report: it writes
//   error CODE FILE:LINE[ MESSAGE]
// to standard error (no line end added when the message ends in one) and
// hands the report to the current listener of the reporting thread, if any.
//
// Threads: errors may be reported on several threads at once. Each thread
// has its own current listener, so entities worked on side by side, one per
// thread, each get their own reports. A listener is called on the thread
// that reports.
#pragma once

#include "HostApi.h"

class HOST_API CZanErrorListener {
public:
    virtual ~CZanErrorListener();
    // message is null when the report has none.
    virtual void ZELReport(int code, const char* file, int line, const char* message) = 0;
};

class HOST_API CZanError {
public:
    CZanError(int code, const char* file, int line, const char* message = nullptr);
    CZanError(const CZanError&) = delete;
    CZanError& operator=(const CZanError&) = delete;
    ~CZanError();

    // The listener that receives every report made on the calling thread
    // from now on (null: none). Returns the thread's previous one.
    static CZanErrorListener* ZESetListener(CZanErrorListener* listener);

private:
    int m_Code;
};
