#pragma once

// The K-line store: the SQLite file "tmp/SHANGPIN.db" under the app home (write-ahead log,
// stamped with its layout; a damaged or foreign file is kept aside and an older layout replaced,
// as the bars can always be fetched again), one table per
// commodity, period and quote server ("kline_<CommodityID>_<period>_<panleix>") holding the bars
// with their indicators, keyed by date. One connection per object, opened on first use; an object
// is used on one thread, and another thread (a history download) opens its own.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "base/SQLiteDatabase.h"
#include "quote/QuoteRecords.h"
#include "quote/SubmissionPackage.h"

class HQDataBase {
public:
    using Bars = std::vector<std::shared_ptr<KLineDataItem>>;

    HQDataBase();
    explicit HQDataBase(std::string path);

    static std::string defaultPath();
    // One table per commodity (market, panel, number and server) and period. The package's
    // numbers are read as integers, so the name is always "kline_" and digits.
    static std::string tableName(const SubmissionPackage& package);

    // An array whose last element holds every stored bar of the package's table, oldest first,
    // or nothing when none is stored (or the store cannot be read); makes the table if missing.
    std::optional<std::vector<std::shared_ptr<ReturnKLineData>>> searchPartDataFromKLineForm(
        const SubmissionPackage& package);

    // For HQDataCache: the stored bars of a table, nothing when the store fails.
    std::optional<Bars> readBars(const std::string& table);
    // Replaces the table's rows from `fromDate` on by bars[fromIndex...], in one transaction.
    bool replaceBars(const std::string& table, int64_t fromDate, const Bars& bars,
                     size_t fromIndex);
    // Empties the table and writes every bar, in one transaction.
    bool rewriteBars(const std::string& table, const Bars& bars);

private:
    enum class Layout { Current, Empty, Old, Foreign, Damaged };

    // Opens the file, replacing a damaged or foreign one (kept aside) or an older layout.
    bool open();
    std::optional<int64_t> firstValue(const std::string& sql);
    Layout layout();
    void startAfresh(Layout found);
    void checkAfterFailure();
    bool finishTransaction(bool written);
    bool createTable(const std::string& table);
    bool writeRows(const std::string& table, const Bars& bars, size_t fromIndex);

    std::string m_path;
    SQLiteDatabase m_database;
};
