#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "analytics/TLTField.h"
#include "analytics/TLTRecord.h"

// The one-time activation notice of an install.
// Wire struct "ActivateMsg"; one value and one "is set" flag per field. Plain value, any thread.
class TLTActivateMsg : public TLTRecord<TLTActivateMsg> {
public:
    static constexpr const char* kStructName = "ActivateMsg";
    static constexpr const char* kClassName = "TLTActivateMsg";

    TLTActivateMsg() = default;
    // Sets and flags every field.
    explicit TLTActivateMsg(int64_t ts);

    int64_t ts() const { return m_ts.value; }
    void setTs(int64_t value) { m_ts.set(value); }
    bool tsIsSet() const { return m_ts.isSet; }
    void unsetTs() { m_ts.unset(); }

    bool operator==(const TLTActivateMsg&) const = default;

private:
    friend class TLTWire;

    template <class Self>
    static auto fieldsOf(Self& self) {
        return std::tuple{tltField("ts", 1, self.m_ts)};
    }

    TLTField<int64_t> m_ts;
};
