#include "quote/HQDataBase.h"

#include "platform/foundation/Paths.h"
#include "platform/foundation/Text.h"

namespace {
const char* const kFileName = "SHANGPIN.db";
const char* const kColumns =
    "date, open, close, highest, lowest, ma5, ma10, ma20, ma30, dif, dea, macd, k, d, j";

std::shared_ptr<PMADataItem> average(const SQLiteStatement& row, int column) {
    if (row.columnIsNull(column)) {
        return nullptr;
    }
    return std::make_shared<PMADataItem>(PMADataItem{row.columnDouble(column)});
}

void bindAverage(SQLiteStatement& insert, int index, const std::shared_ptr<PMADataItem>& value) {
    if (value) {
        insert.bindDouble(index, value->value);
    } else {
        insert.bindNull(index);
    }
}
}  // namespace

HQDataBase::HQDataBase() : m_path(defaultPath()) {}

HQDataBase::HQDataBase(std::string path) : m_path(std::move(path)) {}

std::string HQDataBase::defaultPath() { return Paths::join(Paths::temporary(), kFileName); }

std::string HQDataBase::tableName(const SubmissionPackage& package) {
    return Text::format("kline_%d_%d_%d", Text::intValue(package.CommodityID),
                        Text::intValue(package.period), package.panleix);
}

bool HQDataBase::open() {
    if (m_database.isOpen()) {
        return true;
    }
    if (!m_database.open(m_path).ok()) {
        return false;
    }
    // A cache whose bars can always be fetched again, so no syncing; WAL lets the main
    // thread read while a history download writes.
    m_database.execute("PRAGMA journal_mode=WAL; PRAGMA synchronous=OFF; "
                       "PRAGMA busy_timeout=5000;");
    return true;
}

bool HQDataBase::createTable(const std::string& table) {
    return m_database
        .execute("CREATE TABLE IF NOT EXISTS " + table +
                 " (date INTEGER PRIMARY KEY, open REAL, close REAL, highest REAL, lowest REAL, "
                 "ma5 REAL, ma10 REAL, ma20 REAL, ma30 REAL, dif REAL, dea REAL, macd REAL, "
                 "k REAL, d REAL, j REAL)")
        .ok();
}

std::optional<HQDataBase::Bars> HQDataBase::readBars(const std::string& table) {
    if (!open() || !createTable(table)) {
        return std::nullopt;
    }
    auto select =
        m_database.prepare("SELECT " + std::string(kColumns) + " FROM " + table + " ORDER BY date");
    if (!select) {
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
        bar->PMAGroup = std::make_shared<PMAGroupItem>(PMAGroupItem{
            average(*select, 5), average(*select, 6), average(*select, 7), average(*select, 8)});
        bar->MACDKDJ = std::make_shared<MACDKDJGroupItem>(MACDKDJGroupItem{
            select->columnDouble(9), select->columnDouble(10), select->columnDouble(11),
            select->columnDouble(12), select->columnDouble(13), select->columnDouble(14)});
        bars.push_back(bar);
    }
    if (step == SQLiteStep::Failed) {
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
                                     ") VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
    if (!insert) {
        return false;
    }
    const PMAGroupItem noAverages;
    const MACDKDJGroupItem noIndicators;
    for (size_t i = fromIndex; i < bars.size(); ++i) {
        const KLineDataItem& bar = *bars[i];
        const PMAGroupItem& averages = bar.PMAGroup ? *bar.PMAGroup : noAverages;
        const MACDKDJGroupItem& values = bar.MACDKDJ ? *bar.MACDKDJ : noIndicators;
        insert->bindInt64(1, bar.date);
        insert->bindDouble(2, bar.open);
        insert->bindDouble(3, bar.close);
        insert->bindDouble(4, bar.highest);
        insert->bindDouble(5, bar.lowest);
        bindAverage(*insert, 6, averages.PMA5Data);
        bindAverage(*insert, 7, averages.PMA10Data);
        bindAverage(*insert, 8, averages.PMA20Data);
        bindAverage(*insert, 9, averages.PMA30Data);
        const double indicators[] = {values.dif,    values.dea,    values.macd,
                                     values.KValue, values.DValue, values.JValue};
        for (int v = 0; v < 6; ++v) {
            insert->bindDouble(10 + v, indicators[v]);
        }
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
    if (!written) {
        m_database.rollbackTransaction();
        return false;
    }
    return m_database.commitTransaction().ok();
}

bool HQDataBase::rewriteBars(const std::string& table, const Bars& bars) {
    if (!open() || !createTable(table) || !m_database.beginTransaction().ok()) {
        return false;
    }
    if (!m_database.execute("DELETE FROM " + table).ok() || !writeRows(table, bars, 0)) {
        m_database.rollbackTransaction();
        return false;
    }
    return m_database.commitTransaction().ok();
}
