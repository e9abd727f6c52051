#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "platform/foundation/Bytes.h"
#include "platform/foundation/PropertyList.h"

// Reads a binary property list ("bplist00") defensively: every offset, count and reference is
// checked against the bytes, each object is decoded once, and the tree it expands to is bounded
// (shared references would otherwise let a few bytes stand for an exponential tree). Unreadable
// or oversized input gives nothing. One reader per call; any thread.
class BinaryPropertyListReader {
public:
    // Nodes and payload bytes one file may expand to. A writer shares leaves (repeated texts),
    // each reference costing the file at least one byte, so a real file expands to about as
    // many nodes as it has bytes; sharing whole subtrees is what a bomb does.
    static constexpr std::size_t kNodesPerByte = 16;
    static constexpr std::size_t kMinNodes = 4096;
    static constexpr std::size_t kMaxNodes = 1u << 22;
    static constexpr std::size_t kMaxPayloadBytes = 64u << 20;
    // The node budget of a file of that size.
    static std::size_t nodeBudget(std::size_t bytes);
    static constexpr int kMaxDepth = 512;

    static bool isBinary(const Bytes& bytes);
    static std::optional<PropertyList> read(const Bytes& bytes);

private:
    explicit BinaryPropertyListReader(const Bytes& bytes)
        : m_bytes(bytes), m_maxNodes(nodeBudget(bytes.size())) {}

    struct Cached {
        PropertyList value;
        std::size_t nodes = 0;
        std::size_t payload = 0;
    };

    bool readTrailer();
    std::optional<std::uint64_t> bigEndian(std::size_t at, std::size_t width) const;
    std::optional<std::size_t> objectOffset(std::uint64_t index) const;
    std::optional<std::uint64_t> reference(std::size_t at) const;
    // The count of a container or text: the marker's low nibble, or an integer object after it.
    bool count(std::size_t& at, std::uint8_t info, std::uint64_t& result) const;
    bool charge(std::size_t nodes, std::size_t payload);

    std::optional<PropertyList> object(std::uint64_t index, int depth);
    std::optional<PropertyList> decode(std::size_t at, int depth);
    std::optional<PropertyList> scalar(std::size_t at, std::uint8_t marker) const;
    std::optional<PropertyList> text(std::size_t at, std::uint8_t marker);
    std::optional<PropertyList> data(std::size_t at, std::uint8_t marker);
    std::optional<PropertyList> array(std::size_t at, std::uint8_t info, int depth);
    std::optional<PropertyList> dictionary(std::size_t at, std::uint8_t info, int depth);

    const Bytes& m_bytes;
    std::size_t m_maxNodes;
    std::size_t m_offsetSize = 0;
    std::size_t m_referenceSize = 0;
    std::uint64_t m_objectCount = 0;
    std::uint64_t m_topObject = 0;
    std::size_t m_tableOffset = 0;
    std::vector<std::optional<Cached>> m_cache;
    std::vector<bool> m_reading;
    std::size_t m_nodes = 0;
    std::size_t m_payload = 0;
};
