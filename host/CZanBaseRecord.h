// A record of named fields, each held as a var bind.
//
// Threads: an object serves one thread at a time; objects share nothing.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "CZanObject.h"
#include "HostApi.h"

class CZanVarBind;

class HOST_API CZanBaseRecord : public CZanObject {
public:
    CZanBaseRecord();
    ~CZanBaseRecord() override;

    // Sets the field to the var bind, which the record takes over: a new
    // field is added at the end, an existing one is replaced in place (its old
    // var bind is deleted). Returns 1.
    int ZRAddOrSetObjectVal(const char* field, CZanVarBind* vb);

    // The fields in the order they were first set.
    int ZRFieldCount() const { return static_cast<int>(m_Fields.size()); }
    const std::string& ZRFieldName(int position) const { return m_Fields[position].first; }
    const CZanVarBind* ZRFieldValue(int position) const { return m_Fields[position].second; }
    // The var bind of a field, or null.
    const CZanVarBind* ZRGetObjectVal(const char* field) const;

private:
    std::vector<std::pair<std::string, CZanVarBind*>> m_Fields;
};
