#include "Secret.h"

#include <cstring>
#include <utility>

Secret::Secret(std::string value) : m_Value(std::move(value)) {}

Secret::Secret(const Secret& other) : m_Value(other.m_Value) {}

Secret::Secret(Secret&& other) noexcept : m_Value(std::move(other.m_Value)) {
    other.Wipe();
}

Secret& Secret::operator=(const Secret& other) {
    if (this != &other) {
        Wipe();
        m_Value = other.m_Value;
    }
    return *this;
}

Secret& Secret::operator=(Secret&& other) noexcept {
    if (this != &other) {
        Wipe();
        m_Value = std::move(other.m_Value);
        other.Wipe();
    }
    return *this;
}

Secret::~Secret() {
    Wipe();
}

void Secret::Wipe() {
    // explicit_bzero is not optimised away as a store to dying memory is.
    if (!m_Value.empty())
        explicit_bzero(m_Value.data(), m_Value.size());
    m_Value.clear();
}
