#pragma once

#include "records/result.h"

#include <cstdint>
#include <map>
#include <string>

class RecordStore;

// What an entry's printed documents say beyond the ledger: 委托单位, 浇筑方式,
// 抗渗等级 … as field name → text, kept with the entry. The names are the
// documents' own (see documents/documentfieldnames.h); the store takes any.
using DocumentFieldMap = std::map<std::string, std::string>;

class DocumentFieldStore
{
public:
    explicit DocumentFieldStore(RecordStore& store)
        : m_store(store)
    { }

    // Every field kept for the entry; none is an empty map.
    Result<DocumentFieldMap> fields(std::int64_t entryId);
    // Replaces the entry's fields with `values` in one transaction; a field
    // whose text is blank is dropped. Refused for an entry 已下发 or in 回收站.
    Result<void> setFields(std::int64_t entryId, const DocumentFieldMap& values);

    // The id of the entry numbered `number` (exactly), not in 回收站.
    Result<std::int64_t> entryByNumber(const std::string& number);

private:
    RecordStore& m_store;
};
