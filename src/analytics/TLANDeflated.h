#pragma once

#include <optional>

#include "platform/foundation/Bytes.h"

// zlib compression of analytics upload bodies. Stateless; any thread.
class TLANDeflated {
public:
    // One zlib stream (RFC 1950) of the source at zlib's default level.
    static std::optional<Bytes> deflatedData(const Bytes& source);
    // The prefix bytes followed by one zlib stream of the source at the level (-1 or 0 to 9);
    // nothing when zlib fails.
    static std::optional<Bytes> deflatedDataPrefixedWith(const Bytes& prefix, int level,
                                                         const Bytes& source);
    // The source of a zlib stream made above (after its prefix has been cut off); nothing when
    // the bytes are not one complete stream or would inflate beyond the limit.
    static std::optional<Bytes> inflatedData(const Bytes& stream, size_t maxLength);
};
