// The IS-IS discovery agent: factory, identity, version and the four layer
// callbacks with the agent's own orchestration of collection and records.
#include "CScoutQuillonAgent.h"

#include <memory>
#include <string>
#include <utility>

#include "CScoutCiscoClnsInterface.h"
#include "CScoutCiscoClnsNeighbor.h"
#include "CScoutCiscoInterface.h"
#include "CScoutCiscoNeighborData.h"
#include "CScoutCiscoPseudoNodeLSP.h"
#include "CScoutCiscoService.h"
#include "CScoutCiscoServiceData.h"
#include "CScoutCiscoTransmitInterface.h"
#include "CScoutInterfaceNameTranslator.h"
#include "CScoutMediationData.h"
#include "CScoutMediationStore.h"
#include "CScoutProcessedData.h"
#include "CScoutQuillonProfile.h"
#include "CZanASN1Address.h"
#include "CZanAtom.h"
#include "CZanDoubleList.h"
#include "CZanError.h"
#include "CZanPointer.h"
#include "CZanRecord.h"
#include "CZanTreeList.h"
#include "CZanVBList.h"
#include "CZanVarBind.h"
#include "QuillonTrace.h"
#include "ScoutAgentUtils.h"

#if defined(_WIN32)
#include <windows.h>

// The library wants no per-thread attach and detach notifications.
BOOL APIENTRY DllMain(HMODULE module, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH)
        DisableThreadLibraryCalls(module);
    return TRUE;
}
#endif

namespace NSAgentVersion {
const int g_AgentMajorVersion = 3;
const int g_AgentMinorVersion = 7;
const int g_AgentRevision = 0;
const int g_AgentBuild = 38;
} // namespace NSAgentVersion

namespace {

const char* const kFile = "CScoutQuillonAgent";
const int kDataNotObtained = -220439;
const int kHostObjectMissing = -220402;

const char* const kInterfacesKey = "isisInterfaces";
const char* const kEndPointsKey = "isisProtocolEndPoints";
const char* const kConnectivityKey = "isisConnectivity";
const char* const kServiceKey = "isisService";
const char* const kPseudoNodeKey = "isisPseudoNodeLSP";
const char* const kIfDescrColumn = "ifDescr";

// The two maps hold their entries by pointer: each is freed with its entries.
typedef std::unique_ptr<ProtocolEndPointMap, void (*)(ProtocolEndPointMap*)> EndPointsOwner;
typedef std::unique_ptr<ConnectivityMap, void (*)(ConnectivityMap*)> ConnectivityOwner;

// The entity's name for traces and messages; never null.
const char* EntityName(CZanRecord* ne) {
    const char* name = SAUFGetEntityIdentifier(ne);
    return name ? name : "";
}

} // namespace

CScoutQuillonAgent::CScoutQuillonAgent() : CScoutQuillonAgent(CScoutQuillonProfile::Classic()) {}

CScoutQuillonAgent::CScoutQuillonAgent(const CScoutQuillonProfile& profile) : m_Profile(profile) {}

CScoutQuillonAgent::~CScoutQuillonAgent() = default;

void CScoutQuillonAgent::ZASetSCName() {
    ZASetName(m_Profile.agentName);
}

void CScoutQuillonAgent::ZASetSCDesc() {
    ZASetDesc(m_Profile.agentDesc);
}

// ---------------------------------------------------------------------------
// Filter: keeps IS-IS routers and leaves their interface names behind.

__boolean CScoutQuillonAgent::SADoMediationFilter(CZanRecord* ne) {
    QuillonTrace::Line(1, "Entering into CScoutQuillonAgent::SADoMediationFilter ");
    if (ne == nullptr) {
        CZanError(kDataNotObtained, kFile, 169, " ne is null - this should NEVER happen");
        return ZFALSE;
    }
    CScoutMediationData* md = SAGetMediationData(ne);
    if (md == nullptr) {
        CZanError(kHostObjectMissing, kFile, 179);
        return ZFALSE;
    }

    CScoutCiscoInterface collector;
    if (!collector.ObtainData(*ne, *m_Requester))
        return ZTRUE; // no text: the router is given the benefit of the doubt

    std::unique_ptr<InterfaceNameSet> names(new InterfaceNameSet);
    collector.ParseData(*names, m_Profile);
    if (names->empty())
        return ZFALSE;
    // A store that already holds a set keeps it; this one is not needed then.
    CScoutMediationStore(*md).Put(kInterfacesKey, std::move(names));
    return ZTRUE;
}

// ---------------------------------------------------------------------------
// Mediation layer: end points per interface, adjacencies, service data.

void CScoutQuillonAgent::SADoMediationLayer(CZanRecord* ne) {
    QuillonTrace::Line(1, "Entering into CScoutQuillonAgent::SADoMediationLayer ");
    CScoutMediationData* md = SAGetMediationData(ne);
    if (md == nullptr) {
        CZanError(kHostObjectMissing, kFile, 238);
        return;
    }

    // What the store refuses (a key it already holds) is freed at once.
    CScoutMediationStore store(*md);
    const InterfaceNameSet* names = store.Peek<InterfaceNameSet>(kInterfacesKey);
    if (names != nullptr) {
        EndPointsOwner endPoints(new ProtocolEndPointMap, &ReleaseEndPoints);
        for (const std::string& listed : *names) {
            std::string name = listed;
            std::unique_ptr<CScoutCiscoProtocolEndPoint> endPoint(new CScoutCiscoProtocolEndPoint);
            if (ObtainProtocolEndPoint(ne, name, endPoint.get()) &&
                endPoints->insert(ProtocolEndPointMap::value_type(name, endPoint.get())).second)
                endPoint.release(); // the map owns it now
        }
        store.Put(kEndPointsKey, std::move(endPoints));
    }

    CScoutCiscoClnsNeighbor neighbours(m_Profile);
    if (neighbours.ObtainData(*ne, *m_Requester)) {
        ConnectivityOwner connectivity(new ConnectivityMap, &ReleaseConnectivity);
        neighbours.ParseData(connectivity.get());
        store.Put(kConnectivityKey, std::move(connectivity));
    }

    CScoutCiscoServiceData service(m_Profile);
    if (!service.ObtainData(*ne, *m_Requester, *md))
        QuillonTrace::Line(1, "No ISIS Service Data obtained");
    // The service collector goes first, then the neighbour collector.
}

bool CScoutQuillonAgent::ObtainProtocolEndPoint(CZanRecord* ne, std::string& interfaceName,
                                                CScoutCiscoProtocolEndPoint* endPoint) {
    bool obtained = false;

    // Each collector comes to life just before its command; all three go
    // together at the end, the last one first.
    CScoutCiscoClnsInterface clnsInterface(m_Profile);
    if (clnsInterface.ObtainData(*ne, *m_Requester)) {
        clnsInterface.ParseData(interfaceName, endPoint);
        obtained = true;
    }
    CScoutCiscoTransmitInterface transmitInterface(m_Profile);
    if (transmitInterface.ObtainData(*ne, *m_Requester)) {
        transmitInterface.ParseData(interfaceName, endPoint);
        obtained = true;
    }
    CScoutCiscoNeighborData neighborData(m_Profile);
    if (neighborData.ObtainData(*ne, *m_Requester)) {
        neighborData.ParseData(interfaceName, endPoint);
        obtained = true;
    }
    return obtained;
}

// ---------------------------------------------------------------------------
// Process layer.

void CScoutQuillonAgent::SADoProcessLayer(CZanRecord* ne) {
    QuillonTrace::Text(1, "CScoutQuillonAgent::SADoProcessLayer().\n");
    if (ne == nullptr) {
        CZanError(kHostObjectMissing, kFile, 312);
        return;
    }
    CScoutMediationData* md = SAGetMediationData(ne);
    CScoutProcessedData* pd = SAGetProcessedData(ne);
    if (md == nullptr || pd == nullptr) {
        CZanError(kHostObjectMissing, kFile, 321);
        return;
    }

    // Remote neighbours hang from local neighbours the processed data must
    // already hold, and read the ifDescr walk the local step stored.
    CZanTreeList* localNbrTree = nullptr;
    ProcessLocalNbrData(ne, md, &localNbrTree);
    AddLocalNbrs(localNbrTree, pd);
    ProcessRemoteNbrData(ne, md, pd);
    ProcessPlatformData(*ne, *md);
    SAUFSoftDeleteTree(localNbrTree);
}

void CScoutQuillonAgent::ProcessLocalNbrData(CZanRecord* ne, CScoutMediationData* md,
                                             CZanTreeList** localNbrTree) {
    QuillonTrace::Text(3, "CScoutQuillonAgent::ProcessLocalNbrData().\n");

    CZanTreeList* ifDescrTree = nullptr;
    if (SAUFStoreSnmpList(ne, m_Requester, kIfDescrColumn, md))
        SAUFWrapSNMPInTreeList(kIfDescrColumn, false, md, &ifDescrTree, false);

    CScoutMediationStore store(*md);
    std::unique_ptr<InterfaceNameSet> names = store.Take<InterfaceNameSet>(kInterfacesKey);
    EndPointsOwner endPoints = store.Take<ProtocolEndPointMap>(kEndPointsKey, &ReleaseEndPoints);

    if (ifDescrTree != nullptr && names != nullptr) {
        for (const std::string& name : *names) {
            CZanASN1Address* index = nullptr;
            SAUFGetIndexFromSnmpTreeList(name.c_str(), ifDescrTree, &index);
            if (index == nullptr) {
                std::string message = "Unable to find ifIndex for interface ";
                message += name;
                message += " on entity ";
                message += EntityName(ne);
                message += ". Interface data ignored.\n";
                CZanError(kDataNotObtained, kFile, 534, message.c_str());
                continue;
            }

            const int ifIndex = index->ZAAAddressAt(0);
            QuillonTrace::Line(4, "ProcessLocalNbr ifIndex = ", ifIndex);
            if (ifIndex == -1)
                continue;

            if (*localNbrTree == nullptr)
                *localNbrTree = new CZanTreeList(false);
            std::string interfaceName = name;
            AddStdDataToLocalNbr(ifIndex, interfaceName, localNbrTree);

            if (endPoints != nullptr) {
                ProtocolEndPointMap::iterator slot = endPoints->find(name);
                if (slot != endPoints->end() && slot->second != nullptr) {
                    ProcessProtocolEndPoint(ifIndex, slot->second, localNbrTree);
                    delete slot->second;
                    slot->second = nullptr;
                }
            }
        }
    }

    // End points of skipped interfaces, and of names not in the set, go too.
    endPoints.reset();
    names.reset();
    delete ifDescrTree;
}

void CScoutQuillonAgent::AddStdDataToLocalNbr(int ifIndex, std::string& interfaceName,
                                              CZanTreeList** localNbrTree) {
    QuillonTrace::Text(4, "CScoutQuillonAgent::AddLocalNbr().\n");
    if (localNbrTree == nullptr || *localNbrTree == nullptr) {
        CZanError(kDataNotObtained, kFile, 606);
        return;
    }
    CZanTreeList* tree = *localNbrTree;
    if (tree->ZTLGet(ifIndex) != nullptr) {
        QuillonTrace::Line(3, "::AddLocalNbr ifIndex=", ifIndex, " already processed");
        return;
    }

    CZanVBList* nbr = new CZanVBList;
    nbr->ZVBLAddToListEnd(new CZanVarBind("m_IfIndex", ifIndex));
    nbr->ZVBLAddToListEnd(new CZanVarBind("m_IfDescr", interfaceName));
    if (tree->ZTLAdd(ifIndex, nbr) != 1) {
        CZanError(kDataNotObtained, kFile, 635, "failed to add data to treelist");
        delete nbr;
    }
}

void CScoutQuillonAgent::AddLocalNbrs(CZanTreeList* localNbrTree, CScoutProcessedData* pd) {
    QuillonTrace::Text(3, "CScoutQuillonAgent::AddLocalNbrs().\n");
    if (localNbrTree != nullptr && pd != nullptr) {
        CZanDoubleList* entries = localNbrTree->ZTLIterator();
        if (entries != nullptr) {
            for (CZanObject* element = entries->ZDLHead(); element != nullptr;
                 element = entries->ZDLGetNext()) {
                void* data = static_cast<CZanPointer*>(element)->ZPData();
                if (data != nullptr)
                    pd->SPDAddLocalNbr(static_cast<CZanVBList*>(data));
            }
        }
    }
    QuillonTrace::Text(3, "leaving CScoutQuillonAgent::AddLocalNbrs().\n");
}

void CScoutQuillonAgent::ProcessProtocolEndPoint(int ifIndex, CScoutCiscoProtocolEndPoint* endPoint,
                                                 CZanTreeList** localNbrTree) {
    QuillonTrace::Line(3, "CScoutQuillonAgent::ProcessProtocolEndPoint()");
    if (endPoint == nullptr)
        return;
    CZanAtom* endPointAtom = endPoint->GeneratePEData();
    if (endPointAtom == nullptr)
        return;

    CZanVBList* nbr = nullptr;
    if (localNbrTree != nullptr && *localNbrTree != nullptr) {
        CZanPointer* entry = (*localNbrTree)->ZTLGet(ifIndex);
        if (entry != nullptr)
            nbr = static_cast<CZanVBList*>(entry->ZPData());
    }
    if (nbr == nullptr) {
        delete endPointAtom;
        return;
    }

    CZanVBList* wrapper = new CZanVBList;
    wrapper->ZVBLAddToListEnd(new CZanVarBind("m_ProtocolEndPoint", &endPointAtom));
    CZanAtom* wrapperAtom = new CZanAtom(wrapper);
    nbr->ZVBLAddToListEnd(new CZanVarBind("m_ISISTOPO", &wrapperAtom));
}

void CScoutQuillonAgent::ProcessRemoteNbrData(CZanRecord* ne, CScoutMediationData* md,
                                              CScoutProcessedData* pd) {
    QuillonTrace::Line(4, "Entering into ProcessRemoteNbrData");
    ConnectivityOwner connectivity =
        CScoutMediationStore(*md).Take<ConnectivityMap>(kConnectivityKey, &ReleaseConnectivity);
    if (connectivity == nullptr) {
        QuillonTrace::Line(1, "ProcessRemoteNbrData: isisConnectivityMap is NULL ");
        return;
    }

    CScoutInterfaceNameTranslator translator;
    CZanDoubleList* ifDescrs = md->SMDGetSnmpGetNext(kIfDescrColumn);
    if (ifDescrs == nullptr || ifDescrs->ZDLLength() == 0) {
        QuillonTrace::Line(1, "Missing ifDescr on device ", EntityName(ne),
                           ". Unable to resolve interface data.");
        connectivity.reset();
        return;
    }
    translator.LoadIfDescrs(ifDescrs);

    ConnectivityMap::iterator entry = connectivity->begin();
    while (entry != connectivity->end()) {
        const std::string interfaceName = entry->first;
        const int ifIndex = translator.GetIfIndex(interfaceName.c_str());
        QuillonTrace::Line(3, "Adding remote nbrs for device ", EntityName(ne), ", interface ",
                           interfaceName, ", ifIndex ", ifIndex, ".");
        const ConnectivityMap::iterator last = connectivity->upper_bound(interfaceName);
        while (entry != last) {
            CZanVBList* nbr = new CZanVBList;
            PopulateRemoteNbr(entry->second, nbr);
            CZanVarBind key("m_IfIndex", ifIndex);
            pd->SPDAddRemoteNbr(&key, nbr);
            delete entry->second;
            entry = connectivity->erase(entry);
        }
    }
    connectivity.reset();
}

void CScoutQuillonAgent::PopulateRemoteNbr(CScoutCiscoConnectivity* entry, CZanVBList* record) {
    QuillonTrace::Line(4, "Entering into PopulateRemoteNbr");

    QuillonTrace::Line(4, "Remote Ip Address = ", entry->GetIPAddress());
    record->ZVBLAddToListEnd(new CZanVarBind("m_RemoteNbrIpAddr", entry->GetIPAddress()));

    CZanVBList* topology = new CZanVBList;
    QuillonTrace::Line(4, "System Id = ", entry->GetSystemId());
    topology->ZVBLAddToListEnd(new CZanVarBind("m_SystemId", entry->GetSystemId()));
    QuillonTrace::Line(4, "type = ", entry->GetConnectivityType());
    topology->ZVBLAddToListEnd(new CZanVarBind("m_Type", entry->GetConnectivityType()));
    QuillonTrace::Line(4, "Area Id = ", entry->GetAreaId());
    topology->ZVBLAddToListEnd(new CZanVarBind("m_AreaId", entry->GetAreaId()));

    CZanAtom* topologyAtom = new CZanAtom(topology);
    record->ZVBLAddToListEnd(new CZanVarBind("m_ISISTOPO", &topologyAtom));
}

void CScoutQuillonAgent::ProcessPlatformData(CZanRecord& ne, CScoutMediationData& md) {
    CScoutMediationStore store(md);

    CZanVarBind* serviceVB = nullptr;
    std::unique_ptr<CScoutCiscoService> service = store.Take<CScoutCiscoService>(kServiceKey);
    if (service != nullptr) {
        CZanAtom* atom = service->GenerateServiceData();
        if (atom != nullptr)
            serviceVB = new CZanVarBind("m_Service", &atom);
        service.reset();
    }

    CZanVarBind* pseudoNodeVB = nullptr;
    std::unique_ptr<CScoutCiscoPseudoNodeLSP> pseudoNode =
        store.Take<CScoutCiscoPseudoNodeLSP>(kPseudoNodeKey);
    if (pseudoNode != nullptr) {
        CZanAtom* atom = pseudoNode->GeneratePseudoNodeLSPData();
        if (atom != nullptr)
            pseudoNodeVB = new CZanVarBind("m_PseudoNodeLSP", &atom);
        pseudoNode.reset();
    }

    if (serviceVB == nullptr && pseudoNodeVB == nullptr)
        return;

    CZanVBList* topology = new CZanVBList;
    if (serviceVB != nullptr)
        topology->ZVBLAddToListEnd(serviceVB);
    if (pseudoNodeVB != nullptr)
        topology->ZVBLAddToListEnd(pseudoNodeVB);
    CZanAtom* topologyAtom = new CZanAtom(topology);
    ne.ZRAddOrSetObjectVal("m_ExtraInfo", new CZanVarBind("m_ISISTOPO", &topologyAtom));
}

// ---------------------------------------------------------------------------
// Relationship layer: the host relates entities by the local neighbours'
// ifIndex.

void CScoutQuillonAgent::SADoRelationshipLayer(CZanRecord* ne) {
    QuillonTrace::Line(3, "SQ::SMADoRelationshipLayer()");
    SAAlternativeRelationshipLayer(ne, "m_IfIndex");
    QuillonTrace::Line(3, "leaving SQ::SADoRelationshipLayer()");
}

// ---------------------------------------------------------------------------
// Containers taken out of the mediation data.

void CScoutQuillonAgent::ReleaseEndPoints(ProtocolEndPointMap* endPoints) {
    if (endPoints == nullptr)
        return;
    for (ProtocolEndPointMap::value_type& slot : *endPoints) {
        delete slot.second;
        slot.second = nullptr;
    }
    delete endPoints;
}

void CScoutQuillonAgent::ReleaseConnectivity(ConnectivityMap* connectivity) {
    if (connectivity == nullptr)
        return;
    for (ConnectivityMap::value_type& entry : *connectivity) {
        delete entry.second;
        entry.second = nullptr;
    }
    delete connectivity;
}
