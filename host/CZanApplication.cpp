#include "CZanApplication.h"

CZanApplication::CZanApplication() = default;

CZanApplication::~CZanApplication() = default;

void CZanApplication::ZAInitEngine() {}

void CZanApplication::ZAStartEngine() {}

int CZanApplication::ZAProcessCmdLine(int /*argc*/, char** /*argv*/) {
    return 0;
}

int CZanApplication::ZAInitApp(int /*argc*/, char** /*argv*/) {
    return 0;
}

void CZanApplication::ZASafeExit() {}

void CZanApplication::ZASetName(const char* name) {
    m_Name = name != nullptr ? name : "";
}

void CZanApplication::ZASetDesc(const char* desc) {
    m_Desc = desc != nullptr ? desc : "";
}
