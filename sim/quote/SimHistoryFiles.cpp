#include "sim/quote/SimHistoryFiles.h"

#include <openssl/evp.h>
#include <zlib.h>

#include <memory>
#include <sstream>

#include "sim/core/SimRandom.h"

namespace {
// K-line files alternate between the first two keys; time-sharing files use the third.
const char* const kSigns[] = {"k7Q", "m2X", "f5T"};

std::string base64(const std::vector<uint8_t>& data) {
    std::string out(4 * ((data.size() + 2) / 3), '\0');
    EVP_EncodeBlock(reinterpret_cast<unsigned char*>(out.data()), data.data(),
                    static_cast<int>(data.size()));
    return out;
}

std::optional<std::vector<uint8_t>> deflateAll(const std::vector<uint8_t>& plain, bool gzip) {
    z_stream stream{};
    if (deflateInit2(&stream, Z_BEST_SPEED, Z_DEFLATED, gzip ? 31 : 15, 8, Z_DEFAULT_STRATEGY) !=
        Z_OK) {
        return std::nullopt;
    }
    std::vector<uint8_t> out(deflateBound(&stream, plain.size()) + 32);
    stream.next_in = const_cast<Bytef*>(plain.data());
    stream.avail_in = static_cast<uInt>(plain.size());
    stream.next_out = out.data();
    stream.avail_out = static_cast<uInt>(out.size());
    const int result = deflate(&stream, Z_FINISH);
    out.resize(stream.total_out);
    deflateEnd(&stream);
    if (result != Z_STREAM_END) {
        return std::nullopt;
    }
    return out;
}

std::optional<std::vector<uint8_t>> encrypt(const std::vector<uint8_t>& plain,
                                            const std::vector<uint8_t>& key) {
    std::unique_ptr<EVP_CIPHER_CTX, decltype(&EVP_CIPHER_CTX_free)> context(EVP_CIPHER_CTX_new(),
                                                                            EVP_CIPHER_CTX_free);
    if (!context ||
        EVP_EncryptInit_ex(context.get(), EVP_aes_128_ecb(), nullptr, key.data(), nullptr) != 1) {
        return std::nullopt;
    }
    std::vector<uint8_t> out(plain.size() + 16);
    int written = 0;
    int finished = 0;
    if (EVP_EncryptUpdate(context.get(), out.data(), &written, plain.data(),
                          static_cast<int>(plain.size())) != 1 ||
        EVP_EncryptFinal_ex(context.get(), out.data() + written, &finished) != 1) {
        return std::nullopt;
    }
    out.resize(static_cast<size_t>(written + finished));
    return out;
}
}  // namespace

SimHistoryFiles::SimHistoryFiles(uint64_t seed) {
    SimRandom random(seed ^ 0x5EC12E7ull);
    for (const char* sign : kSigns) {
        Key key;
        key.sign = sign;
        for (int i = 0; i < 16; ++i) {
            key.key.push_back(static_cast<uint8_t>(random.next()));
        }
        key.base64 = base64(key.key);
        m_keys.push_back(key);
    }
}

std::string SimHistoryFiles::kLineName(int16_t commodity, int period, const std::string& block,
                                       int ordinal) const {
    std::ostringstream name;
    name << kSigns[ordinal % 2] << "_kx_" << commodity << '_' << period << '_' << block << ".dat";
    return name.str();
}

std::string SimHistoryFiles::fenShiName(int16_t commodity, const std::string& day) const {
    std::ostringstream name;
    name << kSigns[2] << "_fs_" << commodity << '_' << day << ".dat";
    return name.str();
}

std::optional<SimHistoryFiles::FileName> SimHistoryFiles::parse(const std::string& name) const {
    FileName parsed;
    if (name.size() < 8 || name.substr(name.size() - 4) != ".dat") {
        return std::nullopt;
    }
    parsed.sign = name.substr(0, 3);
    if (!keyFor(parsed.sign)) {
        return std::nullopt;
    }
    std::istringstream parts(name.substr(4, name.size() - 8));
    std::string kind;
    std::string field;
    std::vector<std::string> fields;
    std::getline(parts, kind, '_');
    while (std::getline(parts, field, '_')) {
        fields.push_back(field);
    }
    try {
        if (kind == "kx" && fields.size() == 3) {
            parsed.commodity = static_cast<int16_t>(std::stoi(fields[0]));
            parsed.period = std::stoi(fields[1]);
            parsed.block = fields[2];
            return parsed;
        }
        if (kind == "fs" && fields.size() == 2) {
            parsed.kLine = false;
            parsed.commodity = static_cast<int16_t>(std::stoi(fields[0]));
            parsed.block = fields[1];
            return parsed;
        }
    } catch (const std::exception&) {
    }
    return std::nullopt;
}

const SimHistoryFiles::Key* SimHistoryFiles::keyFor(const std::string& sign) const {
    for (const auto& key : m_keys) {
        if (key.sign == sign) {
            return &key;
        }
    }
    return nullptr;
}

std::optional<std::vector<uint8_t>> SimHistoryFiles::seal(const std::vector<uint8_t>& plain,
                                                          const std::string& sign,
                                                          bool gzip) const {
    const Key* key = keyFor(sign);
    if (!key) {
        return std::nullopt;
    }
    auto packed = deflateAll(plain, gzip);
    if (!packed) {
        return std::nullopt;
    }
    return encrypt(*packed, key->key);
}
