#include "ui/data/SqliteRecordset.h"

#include <sqlite3.h>

#include "platform/runtime/Convert.h"
#include "platform/runtime/Failure.h"

namespace data {

namespace {

std::string Quoted(const std::string& identifier) {
    std::string out = "\"";
    for (char c : identifier)
        out += c == '"' ? std::string("\"\"") : std::string(1, c);
    return out + "\"";
}

class Statement {
  public:
    Statement(sqlite3* db, const std::string& sql) : db_(db) {
        if (sqlite3_prepare_v2(db, sql.c_str(), -1, &statement_, nullptr) != SQLITE_OK)
            Fail();
    }
    ~Statement() { sqlite3_finalize(statement_); }
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    void Bind(int index, const rt::Variant& value) {
        int rc;
        switch (value.Type()) {
            case rt::VarType::Empty:
            case rt::VarType::Null:
                rc = sqlite3_bind_null(statement_, index);
                break;
            case rt::VarType::Boolean:
            case rt::VarType::Integer:
            case rt::VarType::Long:
                rc = sqlite3_bind_int64(statement_, index, rt::ToLong(value));
                break;
            case rt::VarType::Double:
            case rt::VarType::Currency:
                rc = sqlite3_bind_double(statement_, index, value.AsDouble());
                break;
            default: {
                std::string text = rt::TextOf(value);
                rc = sqlite3_bind_text(statement_, index, text.c_str(), int(text.size()),
                                       SQLITE_TRANSIENT);
            }
        }
        if (rc != SQLITE_OK)
            Fail();
    }
    void Bind(int index, int64_t value) {
        if (sqlite3_bind_int64(statement_, index, value) != SQLITE_OK)
            Fail();
    }
    bool Step() {
        int rc = sqlite3_step(statement_);
        if (rc == SQLITE_ROW)
            return true;
        if (rc != SQLITE_DONE)
            Fail();
        return false;
    }
    rt::Variant Column(int index) {
        switch (sqlite3_column_type(statement_, index)) {
            case SQLITE_NULL:
                return rt::Variant::Null();
            case SQLITE_INTEGER: {
                int64_t n = sqlite3_column_int64(statement_, index);
                if (n >= INT32_MIN && n <= INT32_MAX)
                    return rt::Variant(int32_t(n));
                return rt::Variant(double(n));
            }
            case SQLITE_FLOAT:
                return rt::Variant(sqlite3_column_double(statement_, index));
            default:
                return rt::Variant(std::string(
                    reinterpret_cast<const char*>(sqlite3_column_text(statement_, index)),
                    sqlite3_column_bytes(statement_, index)));
        }
    }
    std::string Text(int index) {
        const unsigned char* text = sqlite3_column_text(statement_, index);
        return text ? reinterpret_cast<const char*>(text) : "";
    }
    int64_t Integer(int index) { return sqlite3_column_int64(statement_, index); }

  private:
    [[noreturn]] void Fail() { throw rt::Failure(rt::kPathFileAccess, sqlite3_errmsg(db_)); }
    sqlite3* db_;
    sqlite3_stmt* statement_ = nullptr;
};

class SqliteField : public Field {
  public:
    SqliteField(SqliteRecordset& records, int32_t column) : records_(records), column_(column) {}
    rt::Variant Value() override { return records_.Read(column_); }
    void SetValue(const rt::Variant& value) override { records_.Write(column_, value); }
    std::string Name() override { return records_.ColumnName(column_); }

  private:
    SqliteRecordset& records_;
    int32_t column_;
};

// Reads `name = 'value'`, with '' standing for one quote inside the value.
std::optional<std::pair<std::string, std::string>> ReadCriteria(const std::string& criteria) {
    size_t equals = criteria.find(" = '");
    if (equals == std::string::npos || criteria.size() < equals + 5 || criteria.back() != '\'')
        return std::nullopt;
    std::string name = criteria.substr(0, equals);
    std::string quoted = criteria.substr(equals + 4, criteria.size() - equals - 5);
    std::string value;
    for (size_t i = 0; i < quoted.size(); ++i) {
        if (quoted[i] == '\'') {
            if (i + 1 >= quoted.size() || quoted[i + 1] != '\'')
                return std::nullopt;
            ++i;
        }
        value += quoted[i];
    }
    if (name.empty())
        return std::nullopt;
    return std::make_pair(name, value);
}

}  // namespace

void SqliteRecordset::DatabaseClose::operator()(sqlite3* db) const {
    sqlite3_close(db);
}

// The handle is owned from the moment it exists, so a constructor that fails half-way
// closes the database again.
SqliteRecordset::SqliteRecordset(const std::string& databaseFile, const std::string& table)
    : table_(table) {
    sqlite3* opened = nullptr;
    int rc = sqlite3_open_v2(databaseFile.c_str(), &opened, SQLITE_OPEN_READWRITE, nullptr);
    db_.reset(opened);
    if (rc != SQLITE_OK)
        throw rt::Failure(rt::kFileNotFound,
                          databaseFile + ": " + (db_ ? sqlite3_errmsg(db_.get()) : "cannot open"));
    Statement info(db_.get(), "PRAGMA table_info(" + Quoted(table) + ")");
    while (info.Step())
        columns_.push_back(info.Text(1));
    if (columns_.empty())
        throw rt::Failure(rt::kInvalidCall, "No table " + table + " in " + databaseFile);
    LoadRows();
}

SqliteRecordset::~SqliteRecordset() = default;

void SqliteRecordset::LoadRows() {
    rowids_.clear();
    Statement rows(db_.get(), "SELECT rowid FROM " + Quoted(table_) + " ORDER BY rowid");
    while (rows.Step())
        rowids_.push_back(rows.Integer(0));
}

void SqliteRecordset::RequireRecord() const {
    if (!adding_ && position_ >= rowids_.size())
        throw rt::Failure(rt::kNoCurrentRecord,
                          "Either BOF or EOF is True, or the current record has been deleted");
}

bool SqliteRecordset::Eof() {
    return !adding_ && position_ >= rowids_.size();
}

void SqliteRecordset::MoveNext() {
    RequireRecord();
    adding_ = false;
    edits_.clear();
    ++position_;
}

void SqliteRecordset::MoveFirst() {
    adding_ = false;
    edits_.clear();
    position_ = 0;
}

int32_t SqliteRecordset::RecordCount() {
    return static_cast<int32_t>(rowids_.size());
}

std::shared_ptr<Field> SqliteRecordset::Fields(int32_t index) {
    if (index < 0 || index >= int32_t(columns_.size()))
        throw rt::Failure(rt::kSubscriptOutOfRange);
    return std::make_shared<SqliteField>(*this, index);
}

const std::string& SqliteRecordset::ColumnName(int32_t column) const {
    return columns_.at(column);
}

rt::Variant SqliteRecordset::Read(int32_t column) {
    RequireRecord();
    if (auto edit = edits_.find(column); edit != edits_.end())
        return edit->second;
    if (adding_)
        return rt::Variant::Null();
    Statement read(db_.get(), "SELECT " + Quoted(columns_.at(column)) + " FROM " + Quoted(table_) +
                                  " WHERE rowid = ?");
    read.Bind(1, rowids_[position_]);
    if (!read.Step())
        throw rt::Failure(rt::kNoCurrentRecord, "The current record has been deleted");
    return read.Column(0);
}

void SqliteRecordset::Write(int32_t column, const rt::Variant& value) {
    RequireRecord();
    edits_[column] = value;
}

void SqliteRecordset::AddNew() {
    adding_ = true;
    edits_.clear();
}

void SqliteRecordset::Update() {
    if (edits_.empty() && !adding_)
        return;
    std::string sql;
    if (adding_) {
        std::string names, marks;
        for (const auto& [column, value] : edits_) {
            names += (names.empty() ? "" : ", ") + Quoted(columns_.at(column));
            marks += marks.empty() ? "?" : ", ?";
        }
        sql = edits_.empty()
                  ? "INSERT INTO " + Quoted(table_) + " DEFAULT VALUES"
                  : "INSERT INTO " + Quoted(table_) + " (" + names + ") VALUES (" + marks + ")";
    } else {
        std::string sets;
        for (const auto& [column, value] : edits_)
            sets += (sets.empty() ? "" : ", ") + Quoted(columns_.at(column)) + " = ?";
        sql = "UPDATE " + Quoted(table_) + " SET " + sets + " WHERE rowid = ?";
    }
    Statement write(db_.get(), sql);
    int index = 1;
    for (const auto& [column, value] : edits_)
        write.Bind(index++, value);
    if (!adding_)
        write.Bind(index, rowids_[position_]);
    write.Step();
    if (adding_) {
        int64_t added = sqlite3_last_insert_rowid(db_.get());
        LoadRows();
        for (size_t i = 0; i < rowids_.size(); ++i)
            if (rowids_[i] == added)
                position_ = i;
    }
    adding_ = false;
    edits_.clear();
}

void SqliteRecordset::Find(const std::string& criteria, int32_t skip, int32_t direction) {
    auto parsed = ReadCriteria(criteria);
    if (!parsed || direction != adSearchForward || skip < 0)
        throw rt::Failure(rt::kBadArguments,
                          "Arguments are of the wrong type, are out of acceptable "
                          "range, or are in conflict with one another.");
    int32_t column = -1;
    for (size_t i = 0; i < columns_.size(); ++i)
        if (columns_[i] == parsed->first)
            column = int32_t(i);
    if (column < 0)
        throw rt::Failure(rt::kBadArguments, "No field " + parsed->first);
    adding_ = false;
    edits_.clear();
    for (position_ += size_t(skip); position_ < rowids_.size(); ++position_) {
        rt::Variant value = Read(column);
        if (!value.IsNull() && rt::TextOf(value) == parsed->second)
            return;
    }
}

void SqliteRecordset::Delete(int32_t affect) {
    if (affect != adAffectCurrent)
        throw rt::Failure(rt::kInvalidCall);
    RequireRecord();
    if (adding_) {
        adding_ = false;
        edits_.clear();
        return;
    }
    Statement remove(db_.get(), "DELETE FROM " + Quoted(table_) + " WHERE rowid = ?");
    remove.Bind(1, rowids_[position_]);
    remove.Step();
    rowids_.erase(rowids_.begin() + long(position_));
}

}  // namespace data
