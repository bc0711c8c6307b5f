// Base of every host application object, agents included. The first six
// virtual slots of an agent are this class's.
//
// Threads: an object serves one thread at a time; objects share nothing.
#pragma once

#include <string>

#include "HostApi.h"

class HOST_API CZanApplication {
public:
    CZanApplication();
    CZanApplication(const CZanApplication&) = delete;
    CZanApplication& operator=(const CZanApplication&) = delete;

    virtual void ZAInitEngine();
    virtual void ZAStartEngine();
    virtual ~CZanApplication();
    virtual int ZAProcessCmdLine(int argc, char** argv);
    virtual int ZAInitApp(int argc, char** argv);
    virtual void ZASafeExit();

    const std::string& ZAGetName() const { return m_Name; }
    const std::string& ZAGetDesc() const { return m_Desc; }

protected:
    void ZASetName(const char* name);
    void ZASetDesc(const char* desc);

private:
    std::string m_Name;
    std::string m_Desc;
};
