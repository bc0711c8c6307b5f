// Base class of discovery agents. The host creates an agent through the
// plug-in's factory, gives it a requester, and drives each entity through the
// four layer callbacks: filter, mediation, process, relationship.
//
// Threads: an agent serves one thread at a time. Entities worked on side by
// side on several threads each get an agent (and so a requester slot) of
// their own; the base class shares nothing between agents.
#pragma once

#include <string>

#include "CZanApplication.h"
#include "HostApi.h"

class CZanRecord;
class CZanAtom;
class CZanDoubleList;
class CScoutMediationData;
class CScoutProcessedData;
class CScoutStdRequester;
class CScoutScopeRule;
class CZanIOWorkPacket;

class HOST_API CScoutAgent : public CZanApplication {
public:
    CScoutAgent();
    ~CScoutAgent() override;

    // Slots inherited from CZanApplication keep their order; these follow.
    void ZAInitEngine() override;
    void ZAStartEngine() override;
    int ZAProcessCmdLine(int argc, char** argv) override;
    int ZAInitApp(int argc, char** argv) override;
    virtual CScoutScopeRule* CreateScope(const std::string& name, const CZanAtom& value) const;
    virtual __boolean SADoMediationFilter(CZanRecord* ne);
    virtual void SADoMediationLayer(CZanRecord* ne);
    virtual void SADoProcessLayer(CZanRecord* ne);
    virtual void SADoRelationshipLayer(CZanRecord* ne);
    // The host's own relationship handling: records each key against the
    // entity for the host to relate entities once a run is done.
    virtual void SAAlternativeRelationshipLayer(CZanRecord* ne, int keyCount, const char** keys);
    virtual void SAAlternativeRelationshipLayer(CZanRecord* ne, const char* key);
    virtual __boolean SACheckDeviceOSVersion(CZanRecord* ne, const char* version);
    virtual CZanDoubleList* SAParsePartialMatchR(const char* text);
    virtual void ZASetSCName();
    virtual void ZASetSCDesc();
    virtual void SAProcessNewNe(CZanRecord* ne);
    virtual void SADoStartUpProcessing();
    virtual int SAAddExtraIOHandler();
    virtual int SAProcessIO(CZanIOWorkPacket* packet);
    virtual void HandleConfigOptions(const CZanRecord& options);

    // Host side: the requester every collector of this agent uses.
    void SASetRequester(CScoutStdRequester* requester) { m_Requester = requester; }

    // The stores of an entity, or null when the host gave it none.
    CScoutMediationData* SAGetMediationData(CZanRecord* ne) const;
    CScoutProcessedData* SAGetProcessedData(CZanRecord* ne) const;

protected:
    CScoutStdRequester* m_Requester = nullptr;
};
