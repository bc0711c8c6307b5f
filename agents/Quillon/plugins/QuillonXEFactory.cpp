// The factory of libAgentQuillonXE: an agent that reads IOS-XE output. The
// plug-in is built from the agent's objects without QuillonClassicFactory.cpp.
#include <new>

#include "CScoutQuillonAgent.h"
#include "CScoutQuillonProfile.h"

extern "C" QUILLON_API CScoutAgent* SAInstantiate() {
    return new (std::nothrow) CScoutQuillonAgent(CScoutQuillonProfile::XE());
}
