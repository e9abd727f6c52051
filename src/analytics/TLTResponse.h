#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "analytics/TLTField.h"
#include "analytics/TLTImprint.h"
#include "analytics/TLTRecord.h"

// The analytics service's answer to one upload.
// Wire struct "Response"; one value and one "is set" flag per field. Plain value, any thread.
class TLTResponse : public TLTRecord<TLTResponse> {
public:
    static constexpr const char* kStructName = "Response";
    static constexpr const char* kClassName = "TLTResponse";

    TLTResponse() = default;
    // Sets and flags every field.
    TLTResponse(int32_t resp_code, std::optional<std::string> msg,
                std::optional<TLTImprint> imprint);

    int32_t resp_code() const { return m_resp_code.value; }
    void setResp_code(int32_t value) { m_resp_code.set(value); }
    bool resp_codeIsSet() const { return m_resp_code.isSet; }
    void unsetResp_code() { m_resp_code.unset(); }

    const std::optional<std::string>& msg() const { return m_msg.value; }
    void setMsg(std::optional<std::string> value) { m_msg.set(std::move(value)); }
    bool msgIsSet() const { return m_msg.isSet; }
    void unsetMsg() { m_msg.unset(); }

    const std::optional<TLTImprint>& imprint() const { return m_imprint.value; }
    void setImprint(std::optional<TLTImprint> value) { m_imprint.set(std::move(value)); }
    bool imprintIsSet() const { return m_imprint.isSet; }
    void unsetImprint() { m_imprint.unset(); }

    bool operator==(const TLTResponse&) const = default;

private:
    friend class TLTWire;

    template <class Self>
    static auto fieldsOf(Self& self) {
        return std::tuple{tltField("resp_code", 1, self.m_resp_code),
                          tltField("msg", 2, self.m_msg), tltField("imprint", 3, self.m_imprint)};
    }

    TLTField<int32_t> m_resp_code;
    TLTField<std::optional<std::string>> m_msg;
    TLTField<std::optional<TLTImprint>> m_imprint;
};
