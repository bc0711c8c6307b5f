#include "SnmpSession.h"

#include <net-snmp/library/large_fd_set.h>
#include <net-snmp/net-snmp-config.h>
#include <net-snmp/net-snmp-includes.h>

#include <arpa/inet.h>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <mutex>
#include <poll.h>

#include "SnmpLibrary.h"

namespace {

using Lock = std::lock_guard<std::mutex>;
using PduPtr = std::unique_ptr<netsnmp_pdu, void (*)(netsnmp_pdu*)>;

constexpr const char* kLoopback = "127.0.0.1";

// The state of one request while its answer is awaited; filled by Receive()
// from within the library.
struct Waiter {
    int requestId = 0;
    bool waiting = true;
    SnmpSession::Outcome outcome = SnmpSession::Outcome::Failed;
    int libraryError = SNMPERR_SUCCESS;
    PduPtr answer{nullptr, snmp_free_pdu};
};

int Receive(int operation, netsnmp_session* session, int requestId, netsnmp_pdu* pdu, void* magic) {
    Waiter& waiter = *static_cast<Waiter*>(magic);
    switch (operation) {
    case NETSNMP_CALLBACK_OP_RESEND:
        // A resent request may carry a new request ID.
        waiter.requestId = requestId;
        return 1;
    case NETSNMP_CALLBACK_OP_CONNECT:
        return 1;
    default:
        break;
    }
    if (requestId != waiter.requestId && pdu != nullptr && pdu->command != SNMP_MSG_REPORT)
        return 0;
    waiter.waiting = false;
    waiter.outcome = SnmpSession::Outcome::Failed;
    if (operation == NETSNMP_CALLBACK_OP_RECEIVED_MESSAGE && pdu != nullptr) {
        if (pdu->command == SNMP_MSG_REPORT) {
            waiter.libraryError = snmpv3_get_report_type(pdu);
            // The library resends by itself once it knows the router's clock.
            if (waiter.libraryError == SNMPERR_NOT_IN_TIME_WINDOW)
                waiter.waiting = true;
        } else if (pdu->command == SNMP_MSG_RESPONSE) {
            waiter.answer.reset(snmp_clone_pdu(pdu));
            if (waiter.answer)
                waiter.outcome = SnmpSession::Outcome::Answered;
            else
                waiter.libraryError = SNMPERR_MALLOC;
        } else {
            waiter.libraryError = SNMPERR_PROTOCOL;
        }
    } else if (operation == NETSNMP_CALLBACK_OP_TIMED_OUT) {
        waiter.outcome = SnmpSession::Outcome::TimedOut;
    } else if (operation == NETSNMP_CALLBACK_OP_SEC_ERROR) {
        waiter.libraryError = session != nullptr && session->s_snmp_errno != SNMPERR_SUCCESS
                                  ? session->s_snmp_errno
                                  : SNMPERR_AUTHENTICATION_FAILURE;
    } else {
        waiter.libraryError = SNMPERR_ABORT;
    }
    return 1;
}

std::string LibraryError(int code) {
    if (code == SNMPERR_TIMEOUT)
        return "timeout";
    return snmp_api_errstring(code);
}

// The library's account of a failure, from the error fields it keeps.
std::string TakeErrorText(int libraryError, char* text) {
    std::string error = libraryError == SNMPERR_TIMEOUT || text == nullptr || *text == '\0'
                            ? LibraryError(libraryError)
                            : std::string(text);
    std::free(text);
    return error;
}

bool LoopbackAddress(const std::string& address) {
    in_addr parsed{};
    if (inet_pton(AF_INET, address.c_str(), &parsed) != 1)
        return false;
    return (ntohl(parsed.s_addr) >> 24) == 127;
}

bool CheckSettings(const SnmpSettings& settings, std::string& error) {
    if (!LoopbackAddress(settings.address)) {
        error = "the address is not an IPv4 loopback address (127.0.0.0/8)";
        return false;
    }
    if (settings.port < 1 || settings.port > 65535) {
        error = "the port is not between 1 and 65535";
        return false;
    }
    if (settings.timeoutMs < 1 || settings.retries < 0) {
        error = "the timeout must be positive and the retries not negative";
        return false;
    }
    if (settings.version != SnmpSettings::Version::V3)
        return true;
    if (settings.user.empty()) {
        error = "SNMPv3 needs a user";
        return false;
    }
    if (settings.authPassphrase.Reveal().size() < USM_LENGTH_P_MIN ||
        settings.privPassphrase.Reveal().size() < USM_LENGTH_P_MIN) {
        error = "an SNMPv3 passphrase has fewer than 8 characters";
        return false;
    }
    return true;
}

// The localisable key of a passphrase, as authPriv with SHA and AES needs.
bool MakeKey(const Secret& passphrase, unsigned char* key, std::size_t& keyLength) {
    keyLength = USM_AUTH_KU_LEN;
    std::string value = passphrase.Reveal();
    const int status =
        generate_Ku(usmHMACSHA1AuthProtocol, USM_AUTH_PROTO_SHA_LEN,
                    reinterpret_cast<const u_char*>(value.data()), value.size(), key, &keyLength);
    explicit_bzero(value.data(), value.size());
    return status == SNMPERR_SUCCESS;
}

// Replaces a user's localised key when it is not the one `key` gives.
void KeepKey(const usmUser& user, const unsigned char* key, std::size_t keyLength, u_char*& userKey,
             size_t& userKeyLength) {
    u_char localised[USM_LENGTH_KU_HASHBLOCK];
    size_t localisedLength = sizeof localised;
    if (generate_kul(usmHMACSHA1AuthProtocol, USM_AUTH_PROTO_SHA_LEN, user.engineID,
                     user.engineIDLen, key, keyLength, localised,
                     &localisedLength) != SNMPERR_SUCCESS)
        return;
    if (userKey == nullptr || userKeyLength != localisedLength ||
        std::memcmp(userKey, localised, localisedLength) != 0) {
        u_char* copy = static_cast<u_char*>(std::malloc(localisedLength));
        if (copy != nullptr) {
            std::memcpy(copy, localised, localisedLength);
            if (userKey != nullptr)
                explicit_bzero(userKey, userKeyLength);
            std::free(userKey);
            userKey = copy;
            userKeyLength = localisedLength;
        }
    }
    explicit_bzero(localised, sizeof localised);
}

} // namespace

SnmpSession::SnmpSession() = default;

SnmpSession::~SnmpSession() {
    if (m_Handle != nullptr) {
        Lock lock(SnmpLibrary::Lock());
        snmp_sess_close(m_Handle);
    }
    explicit_bzero(m_AuthKey.data(), m_AuthKey.size());
    explicit_bzero(m_PrivKey.data(), m_PrivKey.size());
}

void SnmpSession::UseOwnKeys() {
    if (!m_V3)
        return;
    // Until the router's engine ID is known, the user the library will pick
    // for it may be any of that name.
    const netsnmp_session* session = snmp_sess_session(m_Handle);
    const std::size_t engineLength = session != nullptr ? session->securityEngineIDLen : 0;
    for (usmUser* user = usm_get_userList(); user != nullptr; user = user->next) {
        if (user->name == nullptr || m_User != user->name || user->engineIDLen == 0)
            continue;
        if (engineLength != 0 &&
            (user->engineIDLen != engineLength ||
             std::memcmp(user->engineID, session->securityEngineID, engineLength) != 0))
            continue;
        KeepKey(*user, m_AuthKey.data(), m_AuthKeyLength, user->authKey, user->authKeyLen);
        KeepKey(*user, m_PrivKey.data(), m_PrivKeyLength, user->privKey, user->privKeyLen);
    }
}

bool SnmpSession::Open(const SnmpSettings& settings, std::string& error) {
    if (m_Handle != nullptr) {
        error = "the session is already open";
        return false;
    }
    if (!CheckSettings(settings, error))
        return false;
    SnmpLibrary::Init();

    Lock lock(SnmpLibrary::Lock());
    netsnmp_session config;
    snmp_sess_init(&config);
    std::string peer = "udp:" + settings.address + ":" + std::to_string(settings.port);
    config.peername = peer.data();
    // The session's socket is bound to loopback, as the peer is.
    std::string local = kLoopback;
    config.localname = local.data();
    config.timeout = static_cast<long>(settings.timeoutMs) * 1000;
    config.retries = settings.retries;
    std::string community = settings.community.Reveal();
    std::string user = settings.user;
    if (settings.version == SnmpSettings::Version::V3) {
        config.version = SNMP_VERSION_3;
        config.securityModel = SNMP_SEC_MODEL_USM;
        config.securityName = user.data();
        config.securityNameLen = user.size();
        config.securityLevel = SNMP_SEC_LEVEL_AUTHPRIV;
        config.securityAuthProto = usmHMACSHA1AuthProtocol;
        config.securityAuthProtoLen = USM_AUTH_PROTO_SHA_LEN;
        config.securityPrivProto = usmAESPrivProtocol;
        config.securityPrivProtoLen = USM_PRIV_PROTO_AES_LEN;
        if (!MakeKey(settings.authPassphrase, m_AuthKey.data(), m_AuthKeyLength) ||
            !MakeKey(settings.privPassphrase, m_PrivKey.data(), m_PrivKeyLength)) {
            error = "the SNMPv3 keys cannot be made from the passphrases";
            return false;
        }
        m_V3 = true;
        m_User = settings.user;
        std::memcpy(config.securityAuthKey, m_AuthKey.data(), m_AuthKeyLength);
        config.securityAuthKeyLen = m_AuthKeyLength;
        std::memcpy(config.securityPrivKey, m_PrivKey.data(), m_PrivKeyLength);
        config.securityPrivKeyLen = m_PrivKeyLength;
    } else {
        config.version =
            settings.version == SnmpSettings::Version::V1 ? SNMP_VERSION_1 : SNMP_VERSION_2c;
        config.community = reinterpret_cast<u_char*>(community.data());
        config.community_len = community.size();
    }

    m_Handle = snmp_sess_open(&config);
    explicit_bzero(config.securityAuthKey, sizeof config.securityAuthKey);
    explicit_bzero(config.securityPrivKey, sizeof config.securityPrivKey);
    explicit_bzero(community.data(), community.size());
    if (m_Handle == nullptr) {
        int systemError = 0;
        int libraryError = 0;
        char* text = nullptr;
        snmp_error(&config, &systemError, &libraryError, &text);
        error = TakeErrorText(libraryError, text);
        return false;
    }
    netsnmp_transport* transport = snmp_sess_transport(m_Handle);
    m_Socket = transport != nullptr ? transport->sock : -1;
    if (m_Socket < 0) {
        snmp_sess_close(m_Handle);
        m_Handle = nullptr;
        error = "the session has no socket";
        return false;
    }
    UseOwnKeys();
    return true;
}

SnmpSession::Outcome SnmpSession::Ask(Request request, const std::vector<std::uint32_t>& name,
                                      int repetitions, SnmpAnswer& answer, std::string& error) {
    if (m_Handle == nullptr) {
        error = "the session is not open";
        return Outcome::Failed;
    }
    std::vector<oid> requested(name.begin(), name.end());
    Waiter waiter;
    {
        Lock lock(SnmpLibrary::Lock());
        netsnmp_pdu* pdu =
            snmp_pdu_create(request == Request::GetBulk ? SNMP_MSG_GETBULK : SNMP_MSG_GETNEXT);
        if (pdu == nullptr) {
            error = LibraryError(SNMPERR_MALLOC);
            return Outcome::Failed;
        }
        if (request == Request::GetBulk) {
            pdu->non_repeaters = 0;
            pdu->max_repetitions = repetitions;
        }
        snmp_add_null_var(pdu, requested.data(), requested.size());
        UseOwnKeys();
        // On success the library owns the request; on failure it is ours.
        waiter.requestId = snmp_sess_async_send(m_Handle, pdu, Receive, &waiter);
        if (waiter.requestId == 0) {
            snmp_free_pdu(pdu);
            int systemError = 0;
            int libraryError = 0;
            char* text = nullptr;
            snmp_sess_error(m_Handle, &systemError, &libraryError, &text);
            error = TakeErrorText(libraryError, text);
            return Outcome::Failed;
        }
    }

    while (waiter.waiting) {
        // The library says how long until it resends or gives up; the wait
        // itself happens without the lock.
        int waitMs = 0;
        {
            Lock lock(SnmpLibrary::Lock());
            netsnmp_large_fd_set sockets;
            netsnmp_large_fd_set_init(&sockets, FD_SETSIZE);
            int count = 0;
            int block = 1;
            timeval timeout{};
            snmp_sess_select_info2(m_Handle, &count, &sockets, &timeout, &block);
            netsnmp_large_fd_set_cleanup(&sockets);
            // Nothing to wait for: the library let go of the request
            // without saying so.
            if (block != 0) {
                error = "the request was dropped without an answer";
                return Outcome::Failed;
            }
            waitMs = static_cast<int>(timeout.tv_sec * 1000 + (timeout.tv_usec + 999) / 1000);
        }
        pollfd socket{m_Socket, POLLIN, 0};
        int ready = poll(&socket, 1, waitMs);
        if (ready < 0 && errno == EINTR)
            continue;
        const int pollError = errno;
        Lock lock(SnmpLibrary::Lock());
        if (ready < 0) {
            // The request stays with the library, and with it this waiter:
            // closing the session is the one way to take it back.
            snmp_sess_close(m_Handle);
            m_Handle = nullptr;
            m_Socket = -1;
            error = std::string("waiting for the answer: ") + std::strerror(pollError);
            return Outcome::Failed;
        }
        // The lock may have been long in coming (another router's SNMPv3
        // discovery holds it while it waits): an answer that arrived in the
        // meantime is no timeout.
        if (ready == 0)
            ready = poll(&socket, 1, 0);
        UseOwnKeys();
        if (ready > 0) {
            netsnmp_large_fd_set sockets;
            netsnmp_large_fd_set_init(&sockets, m_Socket + 1);
            NETSNMP_LARGE_FD_SET(m_Socket, &sockets);
            snmp_sess_read2(m_Handle, &sockets);
            netsnmp_large_fd_set_cleanup(&sockets);
        } else {
            snmp_sess_timeout(m_Handle);
        }
    }

    if (waiter.outcome == Outcome::Answered) {
        const netsnmp_pdu& pdu = *waiter.answer;
        answer = SnmpAnswer();
        answer.errorStatus = pdu.errstat;
        answer.errorIndex = pdu.errindex;
        for (const netsnmp_variable_list* bound = pdu.variables; bound != nullptr;
             bound = bound->next_variable) {
            SnmpAnswer::Binding binding;
            binding.name.assign(bound->name, bound->name + bound->name_length);
            binding.type = bound->type;
            if (bound->type == ASN_OCTET_STR && bound->val.string != nullptr)
                binding.bytes.assign(reinterpret_cast<const char*>(bound->val.string),
                                     bound->val_len);
            answer.bindings.push_back(std::move(binding));
        }
    } else if (waiter.outcome == Outcome::TimedOut) {
        error = LibraryError(SNMPERR_TIMEOUT);
    } else {
        error = LibraryError(waiter.libraryError);
    }
    return waiter.outcome;
}
