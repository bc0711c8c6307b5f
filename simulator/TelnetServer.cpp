#include "TelnetServer.h"

#include <utility>

TelnetServer::TelnetServer(std::vector<ServedRouter> routers, Options options)
    : m_Routers(std::move(routers)), m_Options(std::move(options)) {}

TelnetServer::~TelnetServer() {
    Stop();
}

bool TelnetServer::Start(std::string& error) {
    if (m_Loop) {
        error = "the telnet server is already serving";
        return false;
    }
    if (m_Options.latencyMs < 0) {
        error = "a command's delay cannot be negative";
        return false;
    }
    std::vector<RouterPorts::Port> ports;
    if (!RouterPorts::Bind(m_Routers, m_Options.address, m_Options.basePort, m_Options.addressPort,
                           m_Endpoints, ports, error))
        return false;
    auto loop = std::make_unique<TelnetServerLoop>(
        std::move(ports), std::chrono::milliseconds(m_Options.latencyMs), m_SessionCount);
    if (!loop->Prepare(error)) {
        m_Endpoints.clear();
        return false;
    }
    m_Loop = std::move(loop);
    m_Thread = std::thread([this] { m_Loop->Run(); });
    return true;
}

void TelnetServer::Stop() {
    if (!m_Loop)
        return;
    m_Loop->Wake();
    if (m_Thread.joinable())
        m_Thread.join();
    m_Loop.reset();
}
