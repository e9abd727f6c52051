#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "analytics/TLTField.h"
#include "analytics/TLTRecord.h"

// Screen size in pixels inside the device record.
// Wire struct "Resolution"; one value and one "is set" flag per field. Plain value, any thread.
class TLTResolution : public TLTRecord<TLTResolution> {
public:
    static constexpr const char* kStructName = "Resolution";
    static constexpr const char* kClassName = "TLTResolution";

    TLTResolution() = default;
    // Sets and flags every field.
    TLTResolution(int32_t height, int32_t width);

    int32_t height() const { return m_height.value; }
    void setHeight(int32_t value) { m_height.set(value); }
    bool heightIsSet() const { return m_height.isSet; }
    void unsetHeight() { m_height.unset(); }

    int32_t width() const { return m_width.value; }
    void setWidth(int32_t value) { m_width.set(value); }
    bool widthIsSet() const { return m_width.isSet; }
    void unsetWidth() { m_width.unset(); }

    bool operator==(const TLTResolution&) const = default;

private:
    friend class TLTWire;

    template <class Self>
    static auto fieldsOf(Self& self) {
        return std::tuple{tltField("height", 1, self.m_height), tltField("width", 2, self.m_width)};
    }

    TLTField<int32_t> m_height;
    TLTField<int32_t> m_width;
};
