// The router-wide IS-IS service, and its record.
#pragma once

#include <string>

class CZanAtom;
class CZanVBList;

class CScoutCiscoService {
public:
    CScoutCiscoService();
    ~CScoutCiscoService();
    CScoutCiscoService(const CScoutCiscoService&) = delete;
    CScoutCiscoService& operator=(const CScoutCiscoService&) = delete;

    void SetAreaID(const std::string& areaId) { m_AreaID = areaId; }
    void SetSystemID(const std::string& systemId) { m_SystemID = systemId; }
    void SetNETAddress(const std::string& net) { m_NETAddress = net; }
    void SetHostName(const std::string& hostName) { m_HostName = hostName; }
    void SetOverloadBit(bool overload) { m_OverloadBit = overload; }
    void SetTag(const std::string& tag) { m_Tag = tag; }
    void SetPseudoNodeDIS(bool dis) { m_PseudoNodeDIS = dis; }

    const std::string& GetAreaID() const { return m_AreaID; }
    const std::string& GetSystemID() const { return m_SystemID; }
    const std::string& GetNETAddress() const { return m_NETAddress; }
    const std::string& GetHostName() const { return m_HostName; }
    bool GetOverloadBit() const { return m_OverloadBit; }
    const std::string& GetTag() const { return m_Tag; }
    bool GetPseudoNodeDIS() const { return m_PseudoNodeDIS; }

    // A new atom wrapping the service record; the caller owns it.
    CZanAtom* GenerateServiceData() const;

private:
    void AddAreaIDToList(CZanVBList* list) const;
    void AddSystemIDToList(CZanVBList* list) const;
    void AddNETAddressToList(CZanVBList* list) const;
    void AddHostNameToList(CZanVBList* list) const;
    void AddOverloadBitToList(CZanVBList* list) const;
    void AddTagToList(CZanVBList* list) const;
    void AddPseudoNodeDISToList(CZanVBList* list) const;

    std::string m_AreaID;
    std::string m_SystemID;
    std::string m_NETAddress;
    std::string m_HostName;
    bool m_OverloadBit;
    std::string m_Tag;
    bool m_PseudoNodeDIS;
};
