#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "base/SQLiteDatabase.h"
#include "platform/foundation/AtomicFile.h"
#include "platform/foundation/Paths.h"
#include "quote/HQDataBase.h"
#include "support/TempFolder.h"

namespace {

const char* const kTable = "kline_300_6_1";

HQDataBase::Bars twoBars() {
    HQDataBase::Bars bars;
    for (int64_t date : {20200101, 20200102}) {
        auto bar = std::make_shared<KLineDataItem>();
        bar->date = date;
        bar->close = 10;
        bars.push_back(bar);
    }
    return bars;
}

std::optional<int64_t> pragma(const std::string& path, const std::string& name) {
    SQLiteDatabase database;
    if (!database.open(path).ok()) {
        return std::nullopt;
    }
    auto statement = database.prepare("PRAGMA " + name);
    if (!statement || statement->step() != SQLiteStep::Row) {
        return std::nullopt;
    }
    return statement->columnInt64(0);
}

std::string pragmaText(const std::string& path, const std::string& name) {
    SQLiteDatabase database;
    EXPECT_TRUE(database.open(path).ok());
    auto statement = database.prepare("PRAGMA " + name);
    return statement && statement->step() == SQLiteStep::Row ? statement->columnText(0) : "";
}

class HQDataBaseRecoveryTest : public ::testing::Test {
protected:
    std::string path() const { return m_folder.file("SHANGPIN.db"); }
    std::vector<std::filesystem::path> keptAside() const {
        std::vector<std::filesystem::path> kept;
        for (const auto& entry : std::filesystem::directory_iterator(m_folder.path())) {
            const std::string name = entry.path().filename().string();
            if (name.rfind("SHANGPIN.db.damaged-", 0) == 0 && name.find("-wal") == std::string::npos &&
                name.find("-shm") == std::string::npos) {
                kept.push_back(entry.path());
            }
        }
        return kept;
    }
    // Writes bars and reads them back through a new connection.
    size_t roundTrip() {
        EXPECT_TRUE(HQDataBase(path()).rewriteBars(kTable, twoBars()));
        auto bars = HQDataBase(path()).readBars(kTable);
        return bars ? bars->size() : 0;
    }
    std::string dayLog() const {
        std::string text;
        const std::string folder = Paths::join(Paths::documents(), "Logs");
        std::error_code ignored;
        for (const auto& entry : std::filesystem::directory_iterator(folder, ignored)) {
            auto bytes = AtomicFile::read(entry.path().string());
            text.append(bytes->begin(), bytes->end());
        }
        return text;
    }

    TempFolder m_folder;
};

}  // namespace

TEST_F(HQDataBaseRecoveryTest, shouldStampANewCacheAndKeepItInWriteAheadMode) {
    EXPECT_EQ(roundTrip(), 2u);
    EXPECT_EQ(pragmaText(path(), "journal_mode"), "wal");
    EXPECT_NE(pragma(path(), "application_id").value_or(0), 0);
    EXPECT_GT(pragma(path(), "user_version").value_or(0), 0);
    EXPECT_EQ(roundTrip(), 2u);
    EXPECT_TRUE(keptAside().empty());
}

TEST_F(HQDataBaseRecoveryTest, shouldKeepADamagedCacheAsideAndStartAFreshOne) {
    const std::string garbage(8192, '\x5a');
    ASSERT_TRUE(AtomicFile::write(path(), std::string_view(garbage)));
    EXPECT_EQ(roundTrip(), 2u);
    const auto kept = keptAside();
    ASSERT_EQ(kept.size(), 1u);
    EXPECT_EQ(std::filesystem::file_size(kept.front()), garbage.size());
    EXPECT_NE(dayLog().find(kept.front().filename().string()), std::string::npos);
}

TEST_F(HQDataBaseRecoveryTest, shouldKeepAForeignDatabaseAside) {
    {
        SQLiteDatabase other;
        ASSERT_TRUE(other.open(path()).ok());
        ASSERT_TRUE(other.execute("CREATE TABLE accounts (name TEXT); "
                                  "INSERT INTO accounts VALUES ('mine');")
                        .ok());
    }
    EXPECT_EQ(roundTrip(), 2u);
    const auto kept = keptAside();
    ASSERT_EQ(kept.size(), 1u);
    SQLiteDatabase other;
    ASSERT_TRUE(other.open(kept.front().string()).ok());
    auto row = other.prepare("SELECT name FROM accounts");
    ASSERT_TRUE(row && row->step() == SQLiteStep::Row);
    EXPECT_EQ(row->columnText(0), "mine");
}

TEST_F(HQDataBaseRecoveryTest, shouldRecreateACacheOfTheOlderLayout) {
    {
        SQLiteDatabase old;
        ASSERT_TRUE(old.open(path()).ok());
        ASSERT_TRUE(old.execute(std::string("CREATE TABLE ") + kTable +
                                " (date INTEGER PRIMARY KEY, open REAL, close REAL, highest "
                                "REAL, lowest REAL, ma5 REAL, ma10 REAL)")
                        .ok());
    }
    EXPECT_EQ(roundTrip(), 2u);
    EXPECT_TRUE(keptAside().empty());
    EXPECT_GT(pragma(path(), "user_version").value_or(0), 0);
}
