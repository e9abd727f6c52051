#pragma once

// Big-endian fields of the quote protocol, written and read by the simulated servers. Written
// from docs/quote-protocol.md on its own, so that the client and the simulator cannot share a
// mistake. Value types; one thread at a time.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class SimWireWriter {
public:
    void u8(uint8_t v) { put(v, 1); }
    void i16(int16_t v) { put(static_cast<uint16_t>(v), 2); }
    void u16(uint16_t v) { put(v, 2); }
    void i32(int32_t v) { put(static_cast<uint32_t>(v), 4); }
    void u32(uint32_t v) { put(v, 4); }
    void i64(int64_t v) { put(static_cast<uint64_t>(v), 8); }
    void str(std::string_view text);
    void bytes(const std::vector<uint8_t>& data) { m_out.insert(m_out.end(), data.begin(), data.end()); }

    const std::vector<uint8_t>& data() const { return m_out; }
    size_t size() const { return m_out.size(); }

private:
    void put(uint64_t value, int width);

    std::vector<uint8_t> m_out;
};

// Reads fields from a request body; a read past the end sets failed() and gives 0.
class SimWireReader {
public:
    SimWireReader(const uint8_t* data, size_t size) : m_data(data), m_size(size) {}

    uint8_t u8() { return static_cast<uint8_t>(get(1)); }
    int16_t i16() { return static_cast<int16_t>(get(2)); }
    uint16_t u16() { return static_cast<uint16_t>(get(2)); }
    int32_t i32() { return static_cast<int32_t>(get(4)); }
    uint32_t u32() { return static_cast<uint32_t>(get(4)); }
    int64_t i64() { return static_cast<int64_t>(get(8)); }
    std::string str();

    bool failed() const { return m_failed; }
    // Every byte read and nothing missing.
    bool exhausted() const { return !m_failed && m_position == m_size; }

private:
    uint64_t get(int width);

    const uint8_t* m_data;
    size_t m_size;
    size_t m_position = 0;
    bool m_failed = false;
};
