#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "base/SQLiteStatement.h"
#include "base/SQLiteStatus.h"

// A connection to one SQLite database file (the K-line cache). Closed when destroyed; every
// statement prepared from it must be gone by then. Errors are returned, never thrown. Used from
// one thread at a time; another thread opens its own connection.
class SQLiteDatabase {
public:
    SQLiteDatabase() = default;
    SQLiteDatabase(const SQLiteDatabase&) = delete;
    SQLiteDatabase& operator=(const SQLiteDatabase&) = delete;
    ~SQLiteDatabase();

    // Opens or creates the file; the folder must exist.
    SQLiteStatus open(const std::string& path);
    void close();
    bool isOpen() const { return m_database != nullptr; }

    // Runs statements that return no rows ("CREATE ...; INSERT ...").
    SQLiteStatus execute(std::string_view sql);
    // The statement, or nothing with the reason in *status.
    std::optional<SQLiteStatement> prepare(std::string_view sql, SQLiteStatus* status = nullptr);

    SQLiteStatus beginTransaction();
    SQLiteStatus commitTransaction();
    SQLiteStatus rollbackTransaction();
    bool inTransaction() const;

    int64_t lastInsertRowId() const;
    int changes() const;

private:
    SQLiteStatus status(int code) const;

    sqlite3* m_database = nullptr;
};
