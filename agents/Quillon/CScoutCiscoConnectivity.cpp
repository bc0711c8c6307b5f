#include "CScoutCiscoConnectivity.h"

#include "QuillonTrace.h"

CScoutCiscoConnectivity::CScoutCiscoConnectivity()
    : m_SystemId(), m_Interface(), m_ConnectivityType(), m_AreaId(), m_IPAddress() {
    QuillonTrace::Line(2, "CScoutCiscoConnectivity::CScoutCiscoConnectivity(");
}

CScoutCiscoConnectivity::~CScoutCiscoConnectivity() {
    QuillonTrace::Line(2, "CScoutCiscoConnectivity::~CScoutCiscoConnectivity()");
}
