#pragma once

// The many-day history files of the simulated quote servers: their AES-128 keys (listed by the
// "zipsec" reply), their names (the first three characters name the key) and their sealing:
// zlib or gzip, then AES-128 ECB with PKCS7 padding. Made once from the seed; read-only after,
// so any thread may use it.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

class SimHistoryFiles {
public:
    struct Key {
        std::string sign;
        std::vector<uint8_t> key;
        std::string base64;
    };
    struct FileName {
        bool kLine = true;
        int16_t commodity = 0;
        int period = 0;  // K-line files only
        std::string block;  // "yyyyMMdd", "yyyy" or "all"
        std::string sign;
    };

    explicit SimHistoryFiles(uint64_t seed);

    const std::vector<Key>& keys() const { return m_keys; }
    std::string kLineName(int16_t commodity, int period, const std::string& block, int ordinal) const;
    std::string fenShiName(int16_t commodity, const std::string& day) const;
    std::optional<FileName> parse(const std::string& name) const;
    // Compressed (gzip when asked, zlib otherwise) and encrypted under the key of `sign`.
    std::optional<std::vector<uint8_t>> seal(const std::vector<uint8_t>& plain,
                                             const std::string& sign, bool gzip) const;

private:
    const Key* keyFor(const std::string& sign) const;

    std::vector<Key> m_keys;
};
