#include "CScoutCommandOutput.h"

#include <cstdlib>
#include <cstring>

#include "CScoutStdRequester.h"

CScoutCommandOutput::CScoutCommandOutput() : m_Text(nullptr) {}

CScoutCommandOutput::~CScoutCommandOutput() {
    std::free(m_Text);
}

bool CScoutCommandOutput::Obtain(CZanRecord& ne, CScoutStdRequester& requester,
                                 const char* command) {
    char* text = requester.SSRGetTELNET(&ne, command);
    std::free(m_Text);
    m_Text = text;
    return m_Text != nullptr;
}

void CScoutCommandOutput::CopyFrom(const CScoutCommandOutput& other) {
    if (this == &other)
        return;
    char* copy = nullptr;
    if (other.m_Text != nullptr) {
        const std::size_t size = std::strlen(other.m_Text) + 1;
        copy = static_cast<char*>(std::malloc(size));
        if (copy != nullptr)
            std::memcpy(copy, other.m_Text, size);
    }
    std::free(m_Text);
    m_Text = copy;
}
