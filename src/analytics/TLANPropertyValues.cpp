#include "analytics/TLANPropertyValues.h"

#include "platform/foundation/Text.h"

TLANJsonValue TLANPropertyValues::toJson(const PropertyList& value) {
    switch (value.type()) {
    case PropertyList::Type::String:
        return *value.asString();
    case PropertyList::Type::Integer:
        return *value.asInteger();
    case PropertyList::Type::Real:
        return *value.asReal();
    case PropertyList::Type::Bool:
        return *value.asBool();
    case PropertyList::Type::Array: {
        TLANJsonValue list = TLANJsonValue::array();
        for (const PropertyList& item : value.items()) {
            list.append(toJson(item));
        }
        return list;
    }
    case PropertyList::Type::Dictionary: {
        TLANJsonValue dictionary = TLANJsonValue::dictionary();
        for (const auto& [key, item] : value.entries()) {
            dictionary.set(key, toJson(item));
        }
        return dictionary;
    }
    case PropertyList::Type::Date:
        return TLANJsonValue::unsupported("Date");
    case PropertyList::Type::Data:
        return TLANJsonValue::unsupported("Data");
    default:
        return TLANJsonValue();
    }
}

PropertyList TLANPropertyValues::toPropertyList(const TLANJsonValue& value) {
    switch (value.type()) {
    case TLANJsonValue::Type::Boolean:
        return PropertyList(value.boolean());
    case TLANJsonValue::Type::Number: {
        std::optional<int64_t> integer = value.number().toInt64();
        return integer ? PropertyList(*integer) : PropertyList(value.number().toDouble());
    }
    case TLANJsonValue::Type::String:
        return PropertyList(value.string());
    case TLANJsonValue::Type::Array: {
        PropertyList list = PropertyList::array();
        for (const TLANJsonValue& item : value.items()) {
            if (!item.isNull()) {
                list.append(toPropertyList(item));
            }
        }
        return list;
    }
    case TLANJsonValue::Type::Dictionary: {
        PropertyList dictionary = PropertyList::dictionary();
        for (const auto& [key, item] : value.entries()) {
            if (!item.isNull()) {
                dictionary.set(key, toPropertyList(item));
            }
        }
        return dictionary;
    }
    default:
        return PropertyList();
    }
}

int64_t TLANPropertyValues::integerValue(const TLANJsonValue* value, int64_t fallback) {
    if (value == nullptr) {
        return fallback;
    }
    switch (value->type()) {
    case TLANJsonValue::Type::Number:
        return value->number().toInt64().value_or(
            Text::truncated(value->number().toDouble()));
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
