#pragma once

// The directory's names for the market screens and the chart's wide top bar: the exchange of
// a market, the environment of a panel and its tag. The directory writes codes as text ("01"),
// the quote servers identifiers as numbers (1): a code names the market or panel whose
// identifier equals its value. Where several records match, the last in answer order wins.
// Reads the directory answer it is given (shared, read-only). Main thread.

#include <cstdint>
#include <memory>
#include <string>

struct VKJYDirectoryServerEnvModel;
struct VKJYDirectoryServerJysModel;
struct VKJYDirectoryServerYwsysModel;

class VKJYMarketDirectoryNames {
public:
    explicit VKJYMarketDirectoryNames(std::shared_ptr<const VKJYDirectoryServerYwsysModel> ywsys)
        : m_ywsys(std::move(ywsys)) {}

    // Whether the code, read as a whole number, equals the value.
    static bool codeNames(const std::string& code, int value);

    std::string exchangeName(int16_t marketId) const;
    std::string environmentName(int16_t marketId, int16_t diskId) const;
    std::string environmentTag(int16_t marketId, int16_t diskId) const;

private:
    std::shared_ptr<VKJYDirectoryServerJysModel> exchange(int16_t marketId) const;
    std::shared_ptr<VKJYDirectoryServerEnvModel> environment(int16_t marketId,
                                                             int16_t diskId) const;

    std::shared_ptr<const VKJYDirectoryServerYwsysModel> m_ywsys;
};
