#include "CScoutEntityJournal.h"

CScoutEntityJournal::CScoutEntityJournal() = default;

CScoutEntityJournal::~CScoutEntityJournal() = default;

void CScoutEntityJournal::ZELReport(int code, const char* file, int line, const char* message) {
    m_Errors.push_back(Error{code, file != nullptr ? file : "", line, message != nullptr,
                             message != nullptr ? message : ""});
}
