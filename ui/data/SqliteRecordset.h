#pragma once

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "ui/data/Recordset.h"

struct sqlite3;

namespace data {

// A recordset over one table of an SQLite database file. The fields are the table's columns
// in order; the cursor walks the rows in rowid order. Values written to a field wait for
// Update, as a recordset's edit buffer does.
class SqliteRecordset : public Recordset {
  public:
    SqliteRecordset(const std::string& databaseFile, const std::string& table);
    ~SqliteRecordset() override;
    SqliteRecordset(const SqliteRecordset&) = delete;
    SqliteRecordset& operator=(const SqliteRecordset&) = delete;

    bool Eof() override;
    void MoveNext() override;
    void MoveFirst() override;
    int32_t RecordCount() override;
    std::shared_ptr<Field> Fields(int32_t index) override;
    void AddNew() override;
    void Update() override;
    void Find(const std::string& criteria, int32_t skip, int32_t direction) override;
    void Delete(int32_t affect) override;

    // For the fields.
    rt::Variant Read(int32_t column);
    void Write(int32_t column, const rt::Variant& value);
    const std::string& ColumnName(int32_t column) const;

  private:
    void LoadRows();
    void RequireRecord() const;

    struct DatabaseClose {
        void operator()(sqlite3* db) const;
    };
    std::unique_ptr<sqlite3, DatabaseClose> db_;
    std::string table_;
    std::vector<std::string> columns_;
    std::vector<int64_t> rowids_;
    size_t position_ = 0;
    bool adding_ = false;
    std::map<int32_t, rt::Variant> edits_;
};

}  // namespace data
