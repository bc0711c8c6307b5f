#include "CZanBaseRecord.h"

#include "CZanVarBind.h"

CZanBaseRecord::CZanBaseRecord() = default;

CZanBaseRecord::~CZanBaseRecord() {
    for (auto& field : m_Fields)
        delete field.second;
}

int CZanBaseRecord::ZRAddOrSetObjectVal(const char* field, CZanVarBind* vb) {
    const std::string name = field != nullptr ? field : "";
    for (auto& entry : m_Fields) {
        if (entry.first == name) {
            if (entry.second != vb) {
                delete entry.second;
                entry.second = vb;
            }
            return 1;
        }
    }
    m_Fields.emplace_back(name, vb);
    return 1;
}

const CZanVarBind* CZanBaseRecord::ZRGetObjectVal(const char* field) const {
    if (field == nullptr)
        return nullptr;
    for (const auto& entry : m_Fields) {
        if (entry.first == field)
            return entry.second;
    }
    return nullptr;
}
