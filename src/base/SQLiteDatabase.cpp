#include "base/SQLiteDatabase.h"

#include <sqlite3.h>

#include <climits>

namespace {

// Another connection (a history download on a worker) may hold the write lock briefly.
constexpr int kBusyTimeoutMilliseconds = 2000;

}  // namespace

SQLiteDatabase::~SQLiteDatabase() {
    close();
}

SQLiteStatus SQLiteDatabase::status(int code) const {
    SQLiteStatus result{code, {}};
    if (!result.ok()) {
        result.message = m_database != nullptr ? sqlite3_errmsg(m_database) : sqlite3_errstr(code);
    }
    return result;
}

SQLiteStatus SQLiteDatabase::open(const std::string& path) {
    close();
    sqlite3* database = nullptr;
    const int code = sqlite3_open_v2(path.c_str(), &database,
                                     SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    if (code != SQLITE_OK) {
        SQLiteStatus failure{code,
                             database != nullptr ? sqlite3_errmsg(database) : sqlite3_errstr(code)};
        sqlite3_close(database);
        return failure;
    }
    m_database = database;
    sqlite3_busy_timeout(m_database, kBusyTimeoutMilliseconds);
    return status(SQLITE_OK);
}

void SQLiteDatabase::close() {
    if (m_database != nullptr) {
        sqlite3_close_v2(m_database);
        m_database = nullptr;
    }
}

SQLiteStatus SQLiteDatabase::execute(std::string_view sql) {
    if (m_database == nullptr) {
        return status(SQLITE_MISUSE);
    }
    const std::string text(sql);
    return status(sqlite3_exec(m_database, text.c_str(), nullptr, nullptr, nullptr));
}

std::optional<SQLiteStatement> SQLiteDatabase::prepare(std::string_view sql,
                                                       SQLiteStatus* outcome) {
    auto report = [outcome](SQLiteStatus value) {
        if (outcome != nullptr) {
            *outcome = std::move(value);
        }
    };
    if (m_database == nullptr || sql.size() > INT_MAX) {
        report(status(SQLITE_MISUSE));
        return std::nullopt;
    }
    sqlite3_stmt* statement = nullptr;
    const int code = sqlite3_prepare_v2(m_database, sql.data(), static_cast<int>(sql.size()),
                                        &statement, nullptr);
    report(status(code));
    if (code != SQLITE_OK) {
        sqlite3_finalize(statement);
        return std::nullopt;
    }
    if (statement == nullptr) {
        report(SQLiteStatus{SQLITE_MISUSE, "no statement in the text"});
        return std::nullopt;
    }
    return SQLiteStatement(m_database, statement);
}

SQLiteStatus SQLiteDatabase::beginTransaction() {
    return execute("BEGIN IMMEDIATE");
}

SQLiteStatus SQLiteDatabase::commitTransaction() {
    return execute("COMMIT");
}

SQLiteStatus SQLiteDatabase::rollbackTransaction() {
    return execute("ROLLBACK");
}

bool SQLiteDatabase::inTransaction() const {
    return m_database != nullptr && sqlite3_get_autocommit(m_database) == 0;
}

int64_t SQLiteDatabase::lastInsertRowId() const {
    return m_database == nullptr ? 0 : sqlite3_last_insert_rowid(m_database);
}

int SQLiteDatabase::changes() const {
    return m_database == nullptr ? 0 : sqlite3_changes(m_database);
}
