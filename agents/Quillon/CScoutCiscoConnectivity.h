// One CLNS IS adjacency of a router.
#pragma once

#include <map>
#include <string>

class CScoutCiscoConnectivity {
public:
    CScoutCiscoConnectivity();
    ~CScoutCiscoConnectivity();
    CScoutCiscoConnectivity(const CScoutCiscoConnectivity&) = delete;
    CScoutCiscoConnectivity& operator=(const CScoutCiscoConnectivity&) = delete;

    const std::string& GetSystemId() const { return m_SystemId; }
    const std::string& GetInterface() const { return m_Interface; }
    const std::string& GetConnectivityType() const { return m_ConnectivityType; }
    const std::string& GetAreaId() const { return m_AreaId; }
    const std::string& GetIPAddress() const { return m_IPAddress; }
    void SetSystemId(const std::string& value) { m_SystemId = value; }
    void SetInterface(const std::string& value) { m_Interface = value; }
    void SetConnectivityType(const std::string& value) { m_ConnectivityType = value; }
    void SetAreaId(const std::string& value) { m_AreaId = value; }
    void SetIPAddress(const std::string& value) { m_IPAddress = value; }

private:
    std::string m_SystemId;
    std::string m_Interface;
    std::string m_ConnectivityType;
    std::string m_AreaId;
    std::string m_IPAddress;
};

// Local interface name (as the router printed it) to its adjacencies, in
// byte order of the names and, under one name, in output order. The map owns
// its entries.
typedef std::multimap<std::string, CScoutCiscoConnectivity*> ConnectivityMap;
