#include <gtest/gtest.h>
#include <sqlite3.h>

#include <filesystem>

#include "base/SQLiteDatabase.h"

namespace {

class SQLiteDatabaseTest : public testing::Test {
protected:
    void SetUp() override {
        m_folder = std::filesystem::temp_directory_path() /
                   ("sqlite-test-" + std::to_string(getpid()) + "-" +
                    testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(m_folder);
        std::filesystem::create_directories(m_folder);
    }
    void TearDown() override { std::filesystem::remove_all(m_folder); }

    std::string path() const { return (m_folder / "SHANGPIN.db").string(); }

    void createBars(SQLiteDatabase& database) {
        ASSERT_TRUE(database.open(path()).ok());
        ASSERT_TRUE(database
                        .execute("CREATE TABLE kline_7_1_0 (date INTEGER PRIMARY KEY, "
                                 "close REAL, name TEXT, raw BLOB)")
                        .ok());
    }

    std::filesystem::path m_folder;
};

int countRows(SQLiteDatabase& database) {
    auto count = database.prepare("SELECT COUNT(*) FROM kline_7_1_0");
    EXPECT_TRUE(count);
    EXPECT_EQ(count->step(), SQLiteStep::Row);
    return static_cast<int>(count->columnInt64(0));
}

TEST_F(SQLiteDatabaseTest, shouldReadBackEveryBoundTypeAfterAReopen) {
    {
        SQLiteDatabase database;
        createBars(database);
        ASSERT_TRUE(database.beginTransaction().ok());
        EXPECT_TRUE(database.inTransaction());
        auto insert = database.prepare("INSERT INTO kline_7_1_0 VALUES (?, ?, ?, ?)");
        ASSERT_TRUE(insert);
        EXPECT_TRUE(insert->bindInt64(1, 1700000000123).ok());
        EXPECT_TRUE(insert->bindDouble(2, 4321.25).ok());
        EXPECT_TRUE(insert->bindText(3, std::string_view("白银\0x", 8)).ok());
        EXPECT_TRUE(insert->bindBlob(4, Bytes{0, 1, 255}).ok());
        EXPECT_EQ(insert->step(), SQLiteStep::Done);
        EXPECT_EQ(database.changes(), 1);
        EXPECT_EQ(database.lastInsertRowId(), 1700000000123);
        ASSERT_TRUE(insert->reset().ok());
        EXPECT_TRUE(insert->clearBindings().ok());
        insert->bindInt64(1, -5);
        EXPECT_EQ(insert->step(), SQLiteStep::Done) << "cleared parameters insert NULLs";
        ASSERT_TRUE(database.commitTransaction().ok());
        EXPECT_FALSE(database.inTransaction());
    }
    SQLiteDatabase reopened;
    ASSERT_TRUE(reopened.open(path()).ok());
    auto select = reopened.prepare("SELECT date, close, name, raw FROM kline_7_1_0 ORDER BY date");
    ASSERT_TRUE(select);
    ASSERT_EQ(select->columnCount(), 4);
    EXPECT_EQ(select->columnName(1), "close");

    ASSERT_EQ(select->step(), SQLiteStep::Row);
    EXPECT_EQ(select->columnInt64(0), -5);
    EXPECT_TRUE(select->columnIsNull(1));
    EXPECT_EQ(select->columnText(2), "");
    EXPECT_EQ(select->columnBlob(3), Bytes{});

    ASSERT_EQ(select->step(), SQLiteStep::Row);
    EXPECT_EQ(select->columnInt64(0), 1700000000123);
    EXPECT_EQ(select->columnDouble(1), 4321.25);
    EXPECT_EQ(select->columnText(2), std::string("白银\0x", 8));
    EXPECT_EQ(select->columnBlob(3), (Bytes{0, 1, 255}));
    EXPECT_EQ(select->step(), SQLiteStep::Done);
}

TEST_F(SQLiteDatabaseTest, shouldDiscardRowsOfARolledBackTransaction) {
    SQLiteDatabase database;
    createBars(database);
    ASSERT_TRUE(database.beginTransaction().ok());
    ASSERT_TRUE(database.execute("INSERT INTO kline_7_1_0 (date) VALUES (1), (2)").ok());
    EXPECT_EQ(countRows(database), 2);
    ASSERT_TRUE(database.rollbackTransaction().ok());
    EXPECT_EQ(countRows(database), 0);
}

TEST_F(SQLiteDatabaseTest, shouldReportErrorsAsValues) {
    SQLiteDatabase database;
    createBars(database);
    SQLiteStatus status;
    EXPECT_FALSE(database.prepare("SELEKT nonsense", &status));
    EXPECT_EQ(status.code, SQLITE_ERROR);
    EXPECT_NE(status.message.find("syntax error"), std::string::npos) << status.message;
    EXPECT_FALSE(database.prepare("SELECT * FROM kline_missing", &status));
    EXPECT_NE(status.message.find("no such table"), std::string::npos) << status.message;
    EXPECT_FALSE(database.prepare("  ", &status)) << "blank text prepares no statement";

    EXPECT_TRUE(database.execute("INSERT INTO kline_7_1_0 (date) VALUES (1)").ok());
    auto duplicate = database.prepare("INSERT INTO kline_7_1_0 (date) VALUES (1)");
    ASSERT_TRUE(duplicate);
    EXPECT_EQ(duplicate->step(), SQLiteStep::Failed);
    EXPECT_EQ(duplicate->lastStatus().code & 0xFF, SQLITE_CONSTRAINT);
    EXPECT_FALSE(duplicate->lastStatus().message.empty());
    duplicate->reset();
    EXPECT_EQ(duplicate->bindInt64(9, 1).code, SQLITE_RANGE);

    EXPECT_FALSE(database.commitTransaction().ok()) << "no transaction is open";
    EXPECT_FALSE(database.execute("DROP TABLE kline_missing").ok());
}

TEST_F(SQLiteDatabaseTest, shouldGiveDefaultsForColumnsOutsideTheCurrentRow) {
    SQLiteDatabase database;
    createBars(database);
    database.execute("INSERT INTO kline_7_1_0 VALUES (1, 2.5, 'x', NULL)");
    auto select = database.prepare("SELECT close FROM kline_7_1_0");
    EXPECT_EQ(select->columnDouble(0), 0.0) << "before the first step";
    ASSERT_EQ(select->step(), SQLiteStep::Row);
    EXPECT_EQ(select->columnDouble(0), 2.5);
    EXPECT_EQ(select->columnDouble(1), 0.0);
    EXPECT_EQ(select->columnText(-1), "");
    EXPECT_EQ(select->columnName(7), "");
    EXPECT_EQ(select->step(), SQLiteStep::Done);
    EXPECT_EQ(select->columnDouble(0), 0.0) << "after the last row";
    select->finalize();
    EXPECT_EQ(select->step(), SQLiteStep::Failed);
    EXPECT_EQ(select->lastStatus().code, SQLITE_MISUSE);
}

TEST_F(SQLiteDatabaseTest, shouldFailToOpenAFileInAMissingFolder) {
    SQLiteDatabase database;
    const SQLiteStatus status = database.open((m_folder / "no" / "such.db").string());
    EXPECT_FALSE(status.ok());
    EXPECT_FALSE(status.message.empty());
    EXPECT_FALSE(database.isOpen());
    EXPECT_FALSE(database.execute("SELECT 1").ok());
    EXPECT_FALSE(database.prepare("SELECT 1"));
}

}  // namespace
