#include "quote/HQDataBase.h"

#include <cmath>
#include <cstring>
#include <limits>

#include "platform/foundation/Paths.h"
#include "platform/foundation/Text.h"

namespace {
const char* const kFileName = "SHANGPIN.db";
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
    const double values[kIndicatorCount] = {valueOf(a.PMA5Data), valueOf(a.PMA10Data),
                                            valueOf(a.PMA20Data), valueOf(a.PMA30Data),
                                            m.dif, m.dea, m.macd, m.KValue, m.DValue, m.JValue};
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
