#include "base/SQLiteStatement.h"

#include <sqlite3.h>

#include <utility>

SQLiteStatement::SQLiteStatement(sqlite3* database, sqlite3_stmt* statement)
    : m_database(database), m_statement(statement) {}

SQLiteStatement::SQLiteStatement(SQLiteStatement&& other) noexcept
    : m_database(other.m_database),
      m_statement(std::exchange(other.m_statement, nullptr)),
      m_onRow(std::exchange(other.m_onRow, false)),
      m_lastStatus(std::move(other.m_lastStatus)) {}

SQLiteStatement& SQLiteStatement::operator=(SQLiteStatement&& other) noexcept {
    if (this != &other) {
        finalize();
        m_database = other.m_database;
        m_statement = std::exchange(other.m_statement, nullptr);
        m_onRow = std::exchange(other.m_onRow, false);
        m_lastStatus = std::move(other.m_lastStatus);
    }
    return *this;
}

SQLiteStatement::~SQLiteStatement() {
    finalize();
}

SQLiteStatus SQLiteStatement::status(int code) {
    m_lastStatus.code = code;
    m_lastStatus.message.clear();
    if (!m_lastStatus.ok()) {
        m_lastStatus.message =
            m_database != nullptr ? sqlite3_errmsg(m_database) : sqlite3_errstr(code);
    }
    return m_lastStatus;
}

SQLiteStatus SQLiteStatement::bindInt64(int index, int64_t value) {
    if (m_statement == nullptr) {
        return status(SQLITE_MISUSE);
    }
    return status(sqlite3_bind_int64(m_statement, index, value));
}

SQLiteStatus SQLiteStatement::bindDouble(int index, double value) {
    if (m_statement == nullptr) {
        return status(SQLITE_MISUSE);
    }
    return status(sqlite3_bind_double(m_statement, index, value));
}

SQLiteStatus SQLiteStatement::bindText(int index, std::string_view value) {
    if (m_statement == nullptr) {
        return status(SQLITE_MISUSE);
    }
    return status(sqlite3_bind_text64(m_statement, index, value.data(), value.size(),
                                      SQLITE_TRANSIENT, SQLITE_UTF8));
}

SQLiteStatus SQLiteStatement::bindBlob(int index, const Bytes& value) {
    if (m_statement == nullptr) {
        return status(SQLITE_MISUSE);
    }
    if (value.empty()) {
        return status(sqlite3_bind_zeroblob(m_statement, index, 0));
    }
    return status(
        sqlite3_bind_blob64(m_statement, index, value.data(), value.size(), SQLITE_TRANSIENT));
}

SQLiteStatus SQLiteStatement::bindNull(int index) {
    if (m_statement == nullptr) {
        return status(SQLITE_MISUSE);
    }
    return status(sqlite3_bind_null(m_statement, index));
}

SQLiteStep SQLiteStatement::step() {
    m_onRow = false;
    if (m_statement == nullptr) {
        status(SQLITE_MISUSE);
        return SQLiteStep::Failed;
    }
    const int code = sqlite3_step(m_statement);
    status(code);
    if (code == SQLITE_ROW) {
        m_onRow = true;
        return SQLiteStep::Row;
    }
    return code == SQLITE_DONE ? SQLiteStep::Done : SQLiteStep::Failed;
}

SQLiteStatus SQLiteStatement::reset() {
    m_onRow = false;
    if (m_statement == nullptr) {
        return status(SQLITE_MISUSE);
    }
    // sqlite3_reset repeats the last step's error; the reset itself cannot fail.
    sqlite3_reset(m_statement);
    return status(SQLITE_OK);
}

SQLiteStatus SQLiteStatement::clearBindings() {
    if (m_statement == nullptr) {
        return status(SQLITE_MISUSE);
    }
    return status(sqlite3_clear_bindings(m_statement));
}

SQLiteStatus SQLiteStatement::finalize() {
    m_onRow = false;
    if (m_statement == nullptr) {
        return SQLiteStatus{};
    }
    sqlite3_finalize(std::exchange(m_statement, nullptr));
    return status(SQLITE_OK);
}

int SQLiteStatement::columnCount() const {
    return m_statement == nullptr ? 0 : sqlite3_column_count(m_statement);
}

std::string SQLiteStatement::columnName(int column) const {
    if (m_statement == nullptr || column < 0 || column >= columnCount()) {
        return {};
    }
    const char* name = sqlite3_column_name(m_statement, column);
    return name == nullptr ? std::string() : std::string(name);
}

bool SQLiteStatement::hasColumn(int column) const {
    return m_onRow && column >= 0 && column < columnCount();
}

bool SQLiteStatement::columnIsNull(int column) const {
    return !hasColumn(column) || sqlite3_column_type(m_statement, column) == SQLITE_NULL;
}

int64_t SQLiteStatement::columnInt64(int column) const {
    return hasColumn(column) ? sqlite3_column_int64(m_statement, column) : 0;
}

double SQLiteStatement::columnDouble(int column) const {
    return hasColumn(column) ? sqlite3_column_double(m_statement, column) : 0.0;
}

std::string SQLiteStatement::columnText(int column) const {
    if (!hasColumn(column)) {
        return {};
    }
    const auto* text = sqlite3_column_text(m_statement, column);
    const int size = sqlite3_column_bytes(m_statement, column);
    return text == nullptr ? std::string()
                           : std::string(reinterpret_cast<const char*>(text), size_t(size));
}

Bytes SQLiteStatement::columnBlob(int column) const {
    if (!hasColumn(column)) {
        return {};
    }
    const auto* blob = static_cast<const uint8_t*>(sqlite3_column_blob(m_statement, column));
    const int size = sqlite3_column_bytes(m_statement, column);
    return blob == nullptr ? Bytes() : Bytes(blob, blob + size);
}
