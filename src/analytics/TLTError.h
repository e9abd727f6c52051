#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "analytics/TLTField.h"
#include "analytics/TLTRecord.h"

// One error report.
// Wire struct "Error"; one value and one "is set" flag per field. Plain value, any thread.
class TLTError : public TLTRecord<TLTError> {
public:
    static constexpr const char* kStructName = "Error";
    static constexpr const char* kClassName = "TLTError";

    TLTError() = default;
    // Sets and flags every field.
    TLTError(int64_t ts, std::optional<std::string> context);

    int64_t ts() const { return m_ts.value; }
    void setTs(int64_t value) { m_ts.set(value); }
    bool tsIsSet() const { return m_ts.isSet; }
    void unsetTs() { m_ts.unset(); }

    const std::optional<std::string>& context() const { return m_context.value; }
    void setContext(std::optional<std::string> value) { m_context.set(std::move(value)); }
    bool contextIsSet() const { return m_context.isSet; }
    void unsetContext() { m_context.unset(); }

    bool operator==(const TLTError&) const = default;

private:
    friend class TLTWire;

    template <class Self>
    static auto fieldsOf(Self& self) {
        return std::tuple{tltField("ts", 1, self.m_ts), tltField("context", 2, self.m_context)};
    }

    TLTField<int64_t> m_ts;
    TLTField<std::optional<std::string>> m_context;
};
