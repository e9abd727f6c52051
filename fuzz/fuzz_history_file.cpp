// A many-day history file. Byte 0: bit 0 picks the time-sharing (1) or K-line (0) parser; bit 1
// says the rest is a downloaded file (16-byte key, then AES-encrypted, compressed bytes) rather
// than an inflated one.
#include <zlib.h>

#include "FuzzInput.h"
#include "base/NSDataAES128.h"
#include "quote/HQDataAnalysis.h"

namespace {

constexpr std::size_t kKeyBytes = 16;
constexpr std::size_t kMaxInflated = 1u << 22;

// zlib or gzip, whichever the stream starts with; bounded output.
std::optional<Bytes> inflated(const Bytes& packed) {
    z_stream stream{};
    if (inflateInit2(&stream, 47) != Z_OK) {
        return std::nullopt;
    }
    Bytes out(kMaxInflated);
    stream.next_in = const_cast<Bytef*>(packed.data());
    stream.avail_in = static_cast<uInt>(packed.size());
    stream.next_out = out.data();
    stream.avail_out = static_cast<uInt>(out.size());
    const int result = inflate(&stream, Z_FINISH);
    out.resize(stream.total_out);
    inflateEnd(&stream);
    return result == Z_STREAM_END ? std::optional<Bytes>(out) : std::nullopt;
}

std::optional<Bytes> fileBytes(const FuzzInput& input) {
    Bytes rest = input.rest();
    if ((input.selector() & 2) == 0) {
        return rest;
    }
    if (rest.size() < kKeyBytes) {
        return std::nullopt;
    }
    const Bytes key(rest.begin(), rest.begin() + kKeyBytes);
    const Bytes cipher(rest.begin() + kKeyBytes, rest.end());
    auto plain = NSDataAES128::SpecialAES128DecryptWithKey(cipher, key);
    return plain ? inflated(*plain) : std::nullopt;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const FuzzInput input{data, size};
    const auto file = fileBytes(input);
    if (!file) {
        return 0;
    }
    HQDataAnalysis parser;
    if (input.selector() & 1) {
        parser.analysisManyDayFenShiZipData(*file);
    } else {
        parser.analysisManyDayKXianZipData(*file);
    }
    return 0;
}
