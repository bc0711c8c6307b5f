#include "CScoutAgent.h"

#include "CScoutEntityJournal.h"
#include "CZanRecord.h"

CScoutAgent::CScoutAgent() = default;

CScoutAgent::~CScoutAgent() = default;

void CScoutAgent::ZAInitEngine() {}

void CScoutAgent::ZAStartEngine() {}

int CScoutAgent::ZAProcessCmdLine(int /*argc*/, char** /*argv*/) {
    return 0;
}

int CScoutAgent::ZAInitApp(int /*argc*/, char** /*argv*/) {
    return 0;
}

CScoutScopeRule* CScoutAgent::CreateScope(const std::string& /*name*/,
                                          const CZanAtom& /*value*/) const {
    return nullptr;
}

__boolean CScoutAgent::SADoMediationFilter(CZanRecord* /*ne*/) {
    return ZTRUE;
}

void CScoutAgent::SADoMediationLayer(CZanRecord* /*ne*/) {}

void CScoutAgent::SADoProcessLayer(CZanRecord* /*ne*/) {}

void CScoutAgent::SADoRelationshipLayer(CZanRecord* /*ne*/) {}

void CScoutAgent::SAAlternativeRelationshipLayer(CZanRecord* ne, int keyCount, const char** keys) {
    if (keys == nullptr)
        return;
    for (int i = 0; i < keyCount; ++i)
        SAAlternativeRelationshipLayer(ne, keys[i]);
}

void CScoutAgent::SAAlternativeRelationshipLayer(CZanRecord* ne, const char* key) {
    if (ne == nullptr || key == nullptr || ne->ZRJournal() == nullptr)
        return;
    ne->ZRJournal()->SEJAddRelationshipKey(key);
}

__boolean CScoutAgent::SACheckDeviceOSVersion(CZanRecord* /*ne*/, const char* /*version*/) {
    return ZTRUE;
}

CZanDoubleList* CScoutAgent::SAParsePartialMatchR(const char* /*text*/) {
    return nullptr;
}

void CScoutAgent::ZASetSCName() {}

void CScoutAgent::ZASetSCDesc() {}

void CScoutAgent::SAProcessNewNe(CZanRecord* /*ne*/) {}

void CScoutAgent::SADoStartUpProcessing() {}

int CScoutAgent::SAAddExtraIOHandler() {
    return 0;
}

int CScoutAgent::SAProcessIO(CZanIOWorkPacket* /*packet*/) {
    return 0;
}

void CScoutAgent::HandleConfigOptions(const CZanRecord& /*options*/) {}

CScoutMediationData* CScoutAgent::SAGetMediationData(CZanRecord* ne) const {
    return ne != nullptr ? ne->ZRMediationData() : nullptr;
}

CScoutProcessedData* CScoutAgent::SAGetProcessedData(CZanRecord* ne) const {
    return ne != nullptr ? ne->ZRProcessedData() : nullptr;
}
