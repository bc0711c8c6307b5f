// Names of the fields the agent writes into its records, as the program
// reads them back (topology, report writers). The agent spells them on its
// own side; these are the program's one copy.
#pragma once

namespace RecordFields {
// The entity record.
constexpr const char* kExtraInfo = "m_ExtraInfo";
constexpr const char* kIsisTopo = "m_ISISTOPO";
constexpr const char* kService = "m_Service";
constexpr const char* kPseudoNodeLsp = "m_PseudoNodeLSP";
// The service.
constexpr const char* kServiceAreaId = "m_AreaID";
constexpr const char* kServiceSystemId = "m_SystemID";
constexpr const char* kNetAddress = "m_NETAddress";
constexpr const char* kHostName = "m_HostName";
constexpr const char* kOverloadBit = "m_OverloadBit";
constexpr const char* kTag = "m_Tag";
constexpr const char* kPseudoNodeDis = "m_PseudoNodeDIS";
constexpr const char* kGeneratedPseudoNodeLsp = "m_GeneratedPseudoNodeLSP";
// A local neighbour (interface) and its protocol end point.
constexpr const char* kIfIndex = "m_IfIndex";
constexpr const char* kIfDescr = "m_IfDescr";
constexpr const char* kProtocolEndPoint = "m_ProtocolEndPoint";
constexpr const char* kIsisEnabled = "m_ISISEnabled";
constexpr const char* kCircuitType = "m_CircuitType";
constexpr const char* kLspTransmitInterval = "m_LSPTransmitInterval";
constexpr const char* kLevelData = "m_LevelData";
constexpr const char* kLevelType = "m_LevelType";
constexpr const char* kMetric = "m_Metric";
constexpr const char* kPriority = "m_Priority";
constexpr const char* kCircuitId = "m_CircuitID";
// A remote neighbour (adjacency).
constexpr const char* kRemoteNbrIpAddr = "m_RemoteNbrIpAddr";
constexpr const char* kNeighbourSystemId = "m_SystemId";
constexpr const char* kType = "m_Type";
constexpr const char* kNeighbourAreaId = "m_AreaId";
constexpr const char* kSnpa = "m_SNPA";
} // namespace RecordFields
