// A password, enable secret, community or passphrase. It has no way onto a
// stream or into a string by accident: the value comes out only through
// Reveal(), at the one place it goes on the wire, and its memory is wiped
// when the secret goes away.
//
// Not shared between threads: each router's settings hold their own copy.
#pragma once

#include <string>

class Secret {
public:
    Secret() = default;
    explicit Secret(std::string value);
    Secret(const Secret& other);
    Secret(Secret&& other) noexcept;
    Secret& operator=(const Secret& other);
    Secret& operator=(Secret&& other) noexcept;
    ~Secret();

    bool Empty() const { return m_Value.empty(); }
    const std::string& Reveal() const { return m_Value; }

private:
    void Wipe();

    std::string m_Value;
};
