#include "analytics/TLANPropertyValues.h"

#include "platform/foundation/Text.h"

int64_t TLANPropertyValues::integerValue(const TLANJsonValue* value, int64_t fallback) {
    if (value == nullptr) {
        return fallback;
    }
    switch (value->type()) {
        case TLANJsonValue::Type::Number:
            return value->number().toInt64().value_or(Text::truncated(value->number().toDouble()));
        case TLANJsonValue::Type::String:
            return Text::longLongValue(value->string());
        case TLANJsonValue::Type::Boolean:
            return value->boolean() ? 1 : 0;
        default:
            return fallback;
    }
}

std::string TLANPropertyValues::textValue(const TLANJsonValue* value) {
    if (value == nullptr) {
        return "";
    }
    if (value->type() == TLANJsonValue::Type::String) {
        return value->string();
    }
    if (value->type() == TLANJsonValue::Type::Number) {
        return value->number().text();
    }
    return "";
}
