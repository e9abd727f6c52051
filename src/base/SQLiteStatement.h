#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "base/SQLiteStatus.h"
#include "platform/foundation/Bytes.h"

struct sqlite3;
struct sqlite3_stmt;

enum class SQLiteStep { Row, Done, Failed };

// One prepared statement of an SQLiteDatabase; finalized when destroyed or by finalize().
// Parameters count from 1, columns from 0. Column reads outside the current row or the column
// range give 0, an empty text or empty bytes. Must not outlive its database; same thread.
class SQLiteStatement {
public:
    SQLiteStatement(sqlite3* database, sqlite3_stmt* statement);
    SQLiteStatement(SQLiteStatement&& other) noexcept;
    SQLiteStatement& operator=(SQLiteStatement&& other) noexcept;
    SQLiteStatement(const SQLiteStatement&) = delete;
    SQLiteStatement& operator=(const SQLiteStatement&) = delete;
    ~SQLiteStatement();

    SQLiteStatus bindInt64(int index, int64_t value);
    SQLiteStatus bindDouble(int index, double value);
    SQLiteStatus bindText(int index, std::string_view value);
    SQLiteStatus bindBlob(int index, const Bytes& value);
    SQLiteStatus bindNull(int index);

    // Failed leaves the reason in lastStatus().
    SQLiteStep step();
    // Back to before the first row; bindings are kept.
    SQLiteStatus reset();
    SQLiteStatus clearBindings();
    SQLiteStatus finalize();
    const SQLiteStatus& lastStatus() const { return m_lastStatus; }

    int columnCount() const;
    std::string columnName(int column) const;
    bool columnIsNull(int column) const;
    int64_t columnInt64(int column) const;
    double columnDouble(int column) const;
    std::string columnText(int column) const;
    Bytes columnBlob(int column) const;

private:
    SQLiteStatus status(int code);
    bool hasColumn(int column) const;

    sqlite3* m_database;
    sqlite3_stmt* m_statement;
    bool m_onRow = false;
    SQLiteStatus m_lastStatus;
};
