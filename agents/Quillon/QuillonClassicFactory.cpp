// The factory of libAgentQuillon: an agent that reads IOS 12.x output. It is
// one of the agent's objects, so every program built from them finds it;
// libAgentQuillonXE leaves it out for its own (plugins/QuillonXEFactory.cpp).
#include <new>

#include "CScoutQuillonAgent.h"

extern "C" QUILLON_API CScoutAgent* SAInstantiate() {
    return new (std::nothrow) CScoutQuillonAgent;
}
