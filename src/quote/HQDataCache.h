#pragma once

// Merges K-line bars into the K-line store by the package's klineRequestType, computes the
// indicators over the merged series and writes the changed rows in one transaction:
// "klineRequestFirst" replaces what is stored; "klineRequestNew" drops the stored bars dated at
// or after the first fetched bar and appends the fetched ones; "klineRequestAll" (and any other
// value) keeps every stored date and lets a fetched bar replace the stored one of its date.
// The fetched bar records receive their indicators. Runs on the calling thread with its own
// connection.

#include <memory>
#include <string>
#include <vector>

#include "quote/HQDataBase.h"

class HQDataCache {
public:
    static constexpr const char* kRequestFirst = "klineRequestFirst";
    static constexpr const char* kRequestNew = "klineRequestNew";
    static constexpr const char* kRequestAll = "klineRequestAll";

    HQDataCache() = default;
    explicit HQDataCache(std::string path) : m_database(std::move(path)) {}

    // `data` element 0 holds the fetched bars; false when nothing could be stored.
    bool insertKLineData(const std::vector<std::shared_ptr<ReturnKLineData>>& data,
                         const SubmissionPackage& package);

private:
    HQDataBase m_database;
};
