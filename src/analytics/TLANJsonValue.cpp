#include "analytics/TLANJsonValue.h"

#include "platform/foundation/PropertyList.h"

namespace {

const TLANJsonValue kNull;
const std::string kEmptyText;
const TLANDecimal kZero;
const TLANJsonValue::Array kEmptyArray;
const TLANJsonValue::Dictionary kEmptyDictionary;

}  // namespace

TLANJsonValue TLANJsonValue::unsupported(std::string className) {
    TLANJsonValue value;
    value.m_value = UnsupportedObject{std::move(className)};
    return value;
}

TLANJsonValue TLANJsonValue::fromPropertyList(const PropertyList& value) {
    switch (value.type()) {
        case PropertyList::Type::Null:
            return TLANJsonValue();
        case PropertyList::Type::String:
            return TLANJsonValue(*value.asString());
        case PropertyList::Type::Integer:
            return TLANJsonValue(*value.asInteger());
        case PropertyList::Type::Real:
            return TLANJsonValue(*value.asReal());
        case PropertyList::Type::Bool:
            return TLANJsonValue(*value.asBool());
        case PropertyList::Type::Array: {
            Array items;
            for (const PropertyList& item : value.items()) {
                items.push_back(fromPropertyList(item));
            }
            return TLANJsonValue(std::move(items));
        }
        case PropertyList::Type::Dictionary: {
            Dictionary entries;
            for (const auto& [key, item] : value.entries()) {
                entries.emplace_back(key, fromPropertyList(item));
            }
            return TLANJsonValue(std::move(entries));
        }
        case PropertyList::Type::Date:
            return unsupported("Date");
        case PropertyList::Type::Data:
        case PropertyList::Type::Uid:
            return unsupported("Data");
    }
    return TLANJsonValue();
}

PropertyList TLANJsonValue::toPropertyList() const {
    switch (type()) {
        case Type::Boolean:
            return PropertyList(boolean());
        case Type::Number: {
            auto whole = number().toInt64();
            return whole ? PropertyList(*whole) : PropertyList(number().toDouble());
        }
        case Type::String:
            return PropertyList(string());
        case Type::Array: {
            PropertyList list = PropertyList::array();
            for (const TLANJsonValue& item : items()) {
                list.append(item.toPropertyList());
            }
            return list;
        }
        case Type::Dictionary: {
            PropertyList dictionary = PropertyList::dictionary();
            for (const auto& [key, item] : entries()) {
                dictionary.set(key, item.toPropertyList());
            }
            return dictionary;
        }
        case Type::Proxy:
            return proxy()->proxyForJson().toPropertyList();
        case Type::Null:
        case Type::Unsupported:
            break;
    }
    return PropertyList();
}

bool TLANJsonValue::boolean() const {
    const bool* value = std::get_if<bool>(&m_value);
    return value != nullptr && *value;
}

const TLANDecimal& TLANJsonValue::number() const {
    const TLANDecimal* value = std::get_if<TLANDecimal>(&m_value);
    return value ? *value : kZero;
}

const std::string& TLANJsonValue::string() const {
    const std::string* value = std::get_if<std::string>(&m_value);
    return value ? *value : kEmptyText;
}

const TLANJsonValue::Array& TLANJsonValue::items() const {
    const Array* value = std::get_if<Array>(&m_value);
    return value ? *value : kEmptyArray;
}

const TLANJsonValue::Dictionary& TLANJsonValue::entries() const {
    const Dictionary* value = std::get_if<Dictionary>(&m_value);
    return value ? *value : kEmptyDictionary;
}

const TLANJsonProxy* TLANJsonValue::proxy() const {
    const auto* value = std::get_if<std::shared_ptr<const TLANJsonProxy>>(&m_value);
    return value ? value->get() : nullptr;
}

const std::string& TLANJsonValue::unsupportedClassName() const {
    const UnsupportedObject* value = std::get_if<UnsupportedObject>(&m_value);
    return value ? value->className : kEmptyText;
}

const TLANJsonValue* TLANJsonValue::find(const std::string& key) const {
    for (const Entry& entry : entries()) {
        if (entry.first == key) {
            return &entry.second;
        }
    }
    return nullptr;
}

const TLANJsonValue& TLANJsonValue::operator[](const std::string& key) const {
    const TLANJsonValue* value = find(key);
    return value ? *value : kNull;
}

void TLANJsonValue::set(const std::string& key, TLANJsonValue value) {
    auto* dictionary = std::get_if<Dictionary>(&m_value);
    if (dictionary == nullptr) {
        return;
    }
    for (Entry& entry : *dictionary) {
        if (entry.first == key) {
            entry.second = std::move(value);
            return;
        }
    }
    dictionary->emplace_back(key, std::move(value));
}

void TLANJsonValue::append(TLANJsonValue value) {
    if (auto* array = std::get_if<Array>(&m_value)) {
        array->push_back(std::move(value));
    }
}

bool TLANJsonValue::operator==(const TLANJsonValue& other) const {
    if (type() != Type::Dictionary || other.type() != Type::Dictionary) {
        return m_value == other.m_value;
    }
    if (entries().size() != other.entries().size()) {
        return false;
    }
    for (const auto& [key, item] : entries()) {
        const TLANJsonValue* theirs = other.find(key);
        if (theirs == nullptr || !(*theirs == item)) {
            return false;
        }
    }
    return true;
}
