#include "analytics/TLANDeflated.h"

#include <zlib.h>

std::optional<Bytes> TLANDeflated::deflatedData(const Bytes& source) {
    return deflatedDataPrefixedWith({}, Z_DEFAULT_COMPRESSION, source);
}

std::optional<Bytes> TLANDeflated::deflatedDataPrefixedWith(const Bytes& prefix, int level,
                                                            const Bytes& source) {
    // compressBound covers incompressible input; the smaller classic margin of one per mille
    // plus 12 bytes can fall short of it for tiny inputs.
    uLongf working = compressBound(static_cast<uLong>(source.size()));
    Bytes result(prefix.size() + working);
    int status = compress2(result.data() + prefix.size(), &working, source.data(),
                           static_cast<uLong>(source.size()), level);
    if (status != Z_OK) {
        return std::nullopt;
    }
    std::copy(prefix.begin(), prefix.end(), result.begin());
    result.resize(prefix.size() + working);
    return result;
}

std::optional<Bytes> TLANDeflated::inflatedData(const Bytes& stream, size_t maxLength) {
    z_stream inflater{};
    if (inflateInit(&inflater) != Z_OK) {
        return std::nullopt;
    }
    Bytes output;
    Bytes chunk(64 * 1024);
    inflater.next_in = const_cast<Bytes::value_type*>(stream.data());
    inflater.avail_in = static_cast<uInt>(stream.size());
    int status = Z_OK;
    while (status == Z_OK) {
        inflater.next_out = chunk.data();
        inflater.avail_out = static_cast<uInt>(chunk.size());
        status = inflate(&inflater, Z_NO_FLUSH);
        output.insert(output.end(), chunk.data(), inflater.next_out);
        if (output.size() > maxLength) {
            status = Z_BUF_ERROR;
        }
    }
    bool complete = status == Z_STREAM_END && inflater.avail_in == 0;
    inflateEnd(&inflater);
    if (!complete) {
        return std::nullopt;
    }
    return output;
}
