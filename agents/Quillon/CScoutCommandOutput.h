// The text a router gave for one command, held by a collector until it goes.
#pragma once

class CZanRecord;
class CScoutStdRequester;

class CScoutCommandOutput {
public:
    CScoutCommandOutput();
    ~CScoutCommandOutput();
    CScoutCommandOutput(const CScoutCommandOutput&) = delete;
    CScoutCommandOutput& operator=(const CScoutCommandOutput&) = delete;

    // Runs the command and holds its text in place of the one held before.
    // True when a text came back.
    bool Obtain(CZanRecord& ne, CScoutStdRequester& requester, const char* command);
    // Holds a copy of the other's text (none when it holds none, or when no
    // memory is left for the copy).
    void CopyFrom(const CScoutCommandOutput& other);

    // The held text, or null.
    const char* Text() const { return m_Text; }

private:
    // The requester's malloc'ed buffer; freed here.
    char* m_Text;
};
