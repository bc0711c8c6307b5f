// What the host notes about one entity while agents work on it: the
// commands handed to the requester, the errors reported, and the keys of the
// relationship handling started for it.
//
// Threads: a journal belongs to one entity and is written by the thread
// working on it only; read it once that thread is done with the entity.
#pragma once

#include <string>
#include <vector>

#include "CZanError.h"
#include "HostApi.h"

class HOST_API CScoutEntityJournal : public CZanErrorListener {
public:
    struct Error {
        int code;
        std::string file;
        int line;
        bool hasMessage;
        std::string message;
    };

    CScoutEntityJournal();
    ~CScoutEntityJournal() override;

    void SEJAddCommand(const std::string& command) { m_Commands.push_back(command); }
    void SEJAddRelationshipKey(const std::string& key) { m_RelationshipKeys.push_back(key); }
    void ZELReport(int code, const char* file, int line, const char* message) override;

    const std::vector<std::string>& SEJCommands() const { return m_Commands; }
    const std::vector<Error>& SEJErrors() const { return m_Errors; }
    const std::vector<std::string>& SEJRelationshipKeys() const { return m_RelationshipKeys; }

private:
    std::vector<std::string> m_Commands;
    std::vector<Error> m_Errors;
    std::vector<std::string> m_RelationshipKeys;
};
