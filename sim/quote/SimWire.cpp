#include "sim/quote/SimWire.h"

void SimWireWriter::put(uint64_t value, int width) {
    for (int shift = (width - 1) * 8; shift >= 0; shift -= 8) {
        m_out.push_back(static_cast<uint8_t>(value >> shift));
    }
}

void SimWireWriter::str(std::string_view text) {
    u16(static_cast<uint16_t>(text.size()));
    m_out.insert(m_out.end(), text.begin(), text.end());
}

uint64_t SimWireReader::get(int width) {
    if (m_failed || m_size - m_position < static_cast<size_t>(width)) {
        m_failed = true;
        return 0;
    }
    uint64_t value = 0;
    for (int i = 0; i < width; ++i) {
        value = (value << 8) | m_data[m_position++];
    }
    return value;
}

std::string SimWireReader::str() {
    const uint16_t length = u16();
    if (m_failed || m_size - m_position < length) {
        m_failed = true;
        return {};
    }
    std::string text(reinterpret_cast<const char*>(m_data + m_position), length);
    m_position += length;
    return text;
}
