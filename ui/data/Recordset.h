#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "platform/runtime/Variant.h"

// What the string list needs of a database recordset: a cursor over the rows of one table.
namespace data {

class Field {
  public:
    virtual ~Field() = default;
    virtual rt::Variant Value() = 0;
    virtual void SetValue(const rt::Variant& value) = 0;
    virtual std::string Name() = 0;
};

inline constexpr int32_t adSearchForward = 1;
inline constexpr int32_t adAffectCurrent = 1;

class Recordset {
  public:
    virtual ~Recordset() = default;
    // True once the cursor has passed the last record (EOF is a C macro, hence the name).
    virtual bool Eof() = 0;
    virtual void MoveNext() = 0;
    virtual void MoveFirst() = 0;
    virtual int32_t RecordCount() = 0;
    virtual std::shared_ptr<Field> Fields(int32_t index) = 0;  // 0-based
    virtual void AddNew() = 0;
    virtual void Update() = 0;
    // Criteria of the form `name = 'value'`, '' standing for one quote; from the current
    // record on, skipping `skip` records; the cursor ends on the match or at the end.
    virtual void Find(const std::string& criteria, int32_t skip, int32_t direction) = 0;
    virtual void Delete(int32_t affect) = 0;
};

}  // namespace data
