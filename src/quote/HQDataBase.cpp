#include "quote/HQDataBase.h"

#include <cmath>
#include <cstring>
#include <filesystem>
#include <limits>

#include "platform/foundation/DamagedFile.h"
#include "platform/foundation/Paths.h"
#include "platform/foundation/Text.h"

namespace {
const char* const kFileName = "SHANGPIN.db";
// Stamped into the file so a foreign database or an older layout of ours is recognised; layout
// 3 names a table by the commodity's market and panel too.
constexpr int kApplicationId = 0x564B4A59;
constexpr int kLayoutVersion = 3;
const char* const kColumns = "date, open, close, highest, lowest, indicators";
// The indicators of a bar as one blob of doubles: MA 5, 10, 20, 30 (NaN when absent), DIF,
// DEA, MACD, K, D, J. One column instead of ten keeps a merge's writes cheap.
constexpr size_t kIndicatorCount = 10;

std::shared_ptr<PMADataItem> average(double value) {
    if (std::isnan(value)) {
        return nullptr;
    }
    return std::make_shared<PMADataItem>(PMADataItem{value});
}

double valueOf(const std::shared_ptr<PMADataItem>& item) {
    return item ? item->value : std::numeric_limits<double>::quiet_NaN();
}

Bytes packIndicators(const KLineDataItem& bar) {
    const PMAGroupItem noAverages;
    const MACDKDJGroupItem noIndicators;
    const PMAGroupItem& a = bar.PMAGroup ? *bar.PMAGroup : noAverages;
    const MACDKDJGroupItem& m = bar.MACDKDJ ? *bar.MACDKDJ : noIndicators;
    const double values[kIndicatorCount] = {valueOf(a.PMA5Data),
                                            valueOf(a.PMA10Data),
                                            valueOf(a.PMA20Data),
                                            valueOf(a.PMA30Data),
                                            m.dif,
                                            m.dea,
                                            m.macd,
                                            m.KValue,
                                            m.DValue,
                                            m.JValue};
    Bytes packed(sizeof(values));
    std::memcpy(packed.data(), values, sizeof(values));
    return packed;
}

void unpackIndicators(const Bytes& packed, KLineDataItem& bar) {
    double v[kIndicatorCount] = {};
    if (packed.size() == sizeof(v)) {
        std::memcpy(v, packed.data(), sizeof(v));
    }
    bar.PMAGroup = std::make_shared<PMAGroupItem>(
        PMAGroupItem{average(v[0]), average(v[1]), average(v[2]), average(v[3])});
    bar.MACDKDJ =
        std::make_shared<MACDKDJGroupItem>(MACDKDJGroupItem{v[4], v[5], v[6], v[7], v[8], v[9]});
}
}  // namespace

HQDataBase::HQDataBase() : m_path(defaultPath()) {}

HQDataBase::HQDataBase(std::string path) : m_path(std::move(path)) {}

std::string HQDataBase::defaultPath() {
    return Paths::join(Paths::temporary(), kFileName);
}

std::string HQDataBase::tableName(const SubmissionPackage& package) {
    return Text::format("kline_%d_%d_%d_%d_%d", Text::intValue(package.MarketID),
                        Text::intValue(package.DiskID), Text::intValue(package.CommodityID),
                        Text::intValue(package.period), package.panleix);
}

std::optional<int64_t> HQDataBase::firstValue(const std::string& sql) {
    auto statement = m_database.prepare(sql);
    if (!statement || statement->step() != SQLiteStep::Row) {
        return std::nullopt;
    }
    return statement->columnInt64(0);
}

HQDataBase::Layout HQDataBase::layout() {
    const auto application = firstValue("PRAGMA application_id");
    const auto version = firstValue("PRAGMA user_version");
    const auto tables = firstValue("SELECT count(*) FROM sqlite_master");
    const auto ourTables = firstValue(
        "SELECT count(*) FROM sqlite_master WHERE type = 'table' AND name GLOB "
        "'kline_[0-9]*'");
    if (!application || !version || !tables || !ourTables) {
        return Layout::Damaged;
    }
    if (*application == kApplicationId) {
        return *version == kLayoutVersion ? Layout::Current : Layout::Old;
    }
    if (*application != 0) {
        return Layout::Foreign;
    }
    if (*tables == 0) {
        return Layout::Empty;
    }
    // Before the layout was stamped the file held only K-line tables.
    return *tables == *ourTables ? Layout::Old : Layout::Foreign;
}

void HQDataBase::startAfresh(Layout found) {
    m_database.close();
    std::error_code error;
    if (found == Layout::Old) {
        // Our own older cache: nothing in it is worth keeping, the bars are fetched again.
        for (const char* suffix : {"", "-wal", "-shm"}) {
            std::filesystem::remove(m_path + suffix, error);
        }
        return;
    }
    const auto kept = DamagedFile::setAside(
        m_path, "K-line cache", found == Layout::Foreign ? "foreign database" : "unreadable");
    // The journal files belong to the file set aside and go with it.
    for (const char* suffix : {"-wal", "-shm"}) {
        if (kept) {
            std::filesystem::rename(m_path + suffix, *kept + suffix, error);
        }
        std::filesystem::remove(m_path + suffix, error);
    }
}

bool HQDataBase::open() {
    if (m_database.isOpen()) {
        return true;
    }
    if (!m_database.open(m_path).ok()) {
        return false;
    }
    const Layout found = layout();
    if (found == Layout::Damaged || found == Layout::Foreign || found == Layout::Old) {
        startAfresh(found);
        if (!m_database.open(m_path).ok() || layout() != Layout::Empty) {
            m_database.close();
            return false;
        }
    }
    // WAL with normal syncing: a power cut may lose the last bars written, never the file.
    // WAL also lets the main thread read while a history download writes.
    m_database.execute(
        "PRAGMA journal_mode=WAL; PRAGMA synchronous=NORMAL; "
        "PRAGMA busy_timeout=5000;");
    if (found != Layout::Current) {
        m_database.execute(Text::format("PRAGMA application_id=%d; PRAGMA user_version=%d;",
                                        kApplicationId, kLayoutVersion));
    }
    return true;
}

void HQDataBase::checkAfterFailure() {
    // Only a failed call pays for the check; a damaged file is replaced at the next open.
    bool intact = false;
    {
        auto check = m_database.prepare("PRAGMA quick_check(1)");
        intact = check && check->step() == SQLiteStep::Row && check->columnText(0) == "ok";
    }
    if (!intact) {
        startAfresh(Layout::Damaged);
    }
}

bool HQDataBase::createTable(const std::string& table) {
    return m_database
        .execute("CREATE TABLE IF NOT EXISTS " + table +
                 " (date INTEGER PRIMARY KEY, open REAL, close REAL, highest REAL, lowest REAL, "
                 "indicators BLOB)")
        .ok();
}

std::optional<HQDataBase::Bars> HQDataBase::readBars(const std::string& table) {
    if (!open() || !createTable(table)) {
        return std::nullopt;
    }
    auto select =
        m_database.prepare("SELECT " + std::string(kColumns) + " FROM " + table + " ORDER BY date");
    if (!select) {
        checkAfterFailure();
        return std::nullopt;
    }
    Bars bars;
    SQLiteStep step;
    while ((step = select->step()) == SQLiteStep::Row) {
        auto bar = std::make_shared<KLineDataItem>();
        bar->date = select->columnInt64(0);
        bar->open = static_cast<float>(select->columnDouble(1));
        bar->close = static_cast<float>(select->columnDouble(2));
        bar->highest = static_cast<float>(select->columnDouble(3));
        bar->lowest = static_cast<float>(select->columnDouble(4));
        unpackIndicators(select->columnBlob(5), *bar);
        bars.push_back(bar);
    }
    if (step == SQLiteStep::Failed) {
        select.reset();
        checkAfterFailure();
        return std::nullopt;
    }
    return bars;
}

std::optional<std::vector<std::shared_ptr<ReturnKLineData>>>
HQDataBase::searchPartDataFromKLineForm(const SubmissionPackage& package) {
    auto bars = readBars(tableName(package));
    if (!bars || bars->empty()) {
        return std::nullopt;
    }
    auto series = std::make_shared<ReturnKLineData>();
    series->commodityNum = static_cast<int16_t>(Text::intValue(package.CommodityID));
    series->commodityPeriod = static_cast<int16_t>(Text::intValue(package.period));
    series->klineDataItemsArray = std::move(*bars);
    return std::vector<std::shared_ptr<ReturnKLineData>>{series};
}

bool HQDataBase::writeRows(const std::string& table, const Bars& bars, size_t fromIndex) {
    auto insert = m_database.prepare("INSERT OR REPLACE INTO " + table + " (" + kColumns +
                                     ") VALUES (?, ?, ?, ?, ?, ?)");
    if (!insert) {
        return false;
    }
    for (size_t i = fromIndex; i < bars.size(); ++i) {
        const KLineDataItem& bar = *bars[i];
        insert->bindInt64(1, bar.date);
        insert->bindDouble(2, bar.open);
        insert->bindDouble(3, bar.close);
        insert->bindDouble(4, bar.highest);
        insert->bindDouble(5, bar.lowest);
        insert->bindBlob(6, packIndicators(bar));
        if (insert->step() != SQLiteStep::Done || !insert->reset().ok()) {
            return false;
        }
    }
    return true;
}

bool HQDataBase::replaceBars(const std::string& table, int64_t fromDate, const Bars& bars,
                             size_t fromIndex) {
    if (!open() || !createTable(table) || !m_database.beginTransaction().ok()) {
        return false;
    }
    auto erase = m_database.prepare("DELETE FROM " + table + " WHERE date >= ?");
    const bool written = erase && erase->bindInt64(1, fromDate).ok() &&
                         erase->step() == SQLiteStep::Done && writeRows(table, bars, fromIndex);
    erase.reset();
    return finishTransaction(written);
}

bool HQDataBase::rewriteBars(const std::string& table, const Bars& bars) {
    if (!open() || !createTable(table) || !m_database.beginTransaction().ok()) {
        return false;
    }
    return finishTransaction(m_database.execute("DELETE FROM " + table).ok() &&
                             writeRows(table, bars, 0));
}

bool HQDataBase::finishTransaction(bool written) {
    if (written && m_database.commitTransaction().ok()) {
        return true;
    }
    m_database.rollbackTransaction();
    checkAfterFailure();
    return false;
}
