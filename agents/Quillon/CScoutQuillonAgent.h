// The IS-IS discovery agent for Cisco routers, and the plug-in's entry.
#pragma once

#include <string>

#include "CScoutAgent.h"
#include "CScoutCiscoConnectivity.h"
#include "CScoutCiscoProtocolEndPoint.h"
#include "QuillonApi.h"

class CZanRecord;
class CZanTreeList;
class CZanVBList;
class CScoutMediationData;
class CScoutProcessedData;
class CScoutQuillonProfile;

namespace NSAgentVersion {
extern QUILLON_API const int g_AgentMajorVersion;
extern QUILLON_API const int g_AgentMinorVersion;
extern QUILLON_API const int g_AgentRevision;
extern QUILLON_API const int g_AgentBuild;
} // namespace NSAgentVersion

class QUILLON_API CScoutQuillonAgent : public CScoutAgent {
public:
    // Reads IOS 12.x output.
    CScoutQuillonAgent();
    // Reads output with the profile's patterns; the profile outlives the agent.
    QUILLON_LOCAL explicit CScoutQuillonAgent(const CScoutQuillonProfile& profile);
    ~CScoutQuillonAgent() override;

protected:
    __boolean SADoMediationFilter(CZanRecord* ne) override;
    void SADoMediationLayer(CZanRecord* ne) override;
    void SADoProcessLayer(CZanRecord* ne) override;
    void SADoRelationshipLayer(CZanRecord* ne) override;
    void ZASetSCName() override;
    void ZASetSCDesc() override;

private:
    friend class QuillonAgentProbe; // white-box tests

    // Mediation layer: one end point from the three per-interface collectors.
    bool ObtainProtocolEndPoint(CZanRecord* ne, std::string& interfaceName,
                                CScoutCiscoProtocolEndPoint* endPoint);

    // Process layer: local neighbours.
    void ProcessLocalNbrData(CZanRecord* ne, CScoutMediationData* md, CZanTreeList** localNbrTree);
    void AddStdDataToLocalNbr(int ifIndex, std::string& interfaceName, CZanTreeList** localNbrTree);
    void AddLocalNbrs(CZanTreeList* localNbrTree, CScoutProcessedData* pd);
    void ProcessProtocolEndPoint(int ifIndex, CScoutCiscoProtocolEndPoint* endPoint,
                                 CZanTreeList** localNbrTree);

    // Process layer: remote neighbours.
    void ProcessRemoteNbrData(CZanRecord* ne, CScoutMediationData* md, CScoutProcessedData* pd);
    void PopulateRemoteNbr(CScoutCiscoConnectivity* entry, CZanVBList* record);

    // Process layer: the service and pseudo-node records on the entity.
    void ProcessPlatformData(CZanRecord& ne, CScoutMediationData& md);

    // The patterns and rules of the release the agent reads.
    const CScoutQuillonProfile& m_Profile;

    // Containers the process layer takes out of the mediation data are freed
    // with everything they still hold.
    static void ReleaseEndPoints(ProtocolEndPointMap* endPoints);
    static void ReleaseConnectivity(ConnectivityMap* connectivity);
};

// The factory the host looks up by name; each plug-in has its own
// (QuillonClassicFactory.cpp, plugins/QuillonXEFactory.cpp).
extern "C" QUILLON_API CScoutAgent* SAInstantiate();
