#include "platform/foundation/PropertyList.h"

#include <plist/plist.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <memory>
#include <unordered_map>

#include "platform/foundation/AtomicFile.h"
#include "platform/foundation/BinaryPropertyListReader.h"
#include "platform/foundation/Text.h"

namespace {

// Property-list dates count from 2001-01-01 UTC.
constexpr double kPlistEpochSince1970 = 978307200.0;
// libplist 2.2 takes lengths as 32-bit counts.
constexpr std::size_t kMaxPlistBytes = std::numeric_limits<std::uint32_t>::max();
// Deeper trees than this are treated as unreadable rather than risking the stack.
constexpr int kMaxDepth = 512;

using Node = std::unique_ptr<void, decltype(&plist_free)>;

const PropertyList& nullValue() {
    static const PropertyList value;
    return value;
}

plist_t toNode(const PropertyList& value);

plist_t arrayNode(const PropertyList& value) {
    plist_t node = plist_new_array();
    for (const PropertyList& item : value.items()) {
        if (plist_t child = toNode(item)) {
            plist_array_append_item(node, child);
        }
    }
    return node;
}

plist_t dictionaryNode(const PropertyList& value) {
    plist_t node = plist_new_dict();
    for (const auto& [key, item] : value.entries()) {
        if (plist_t child = toNode(item)) {
            plist_dict_set_item(node, key.c_str(), child);
        }
    }
    return node;
}

plist_t dateNode(double secondsSince1970) {
    double since2001 = secondsSince1970 - kPlistEpochSince1970;
    double whole = std::floor(since2001);
    double micro = std::round((since2001 - whole) * 1e6);
    if (micro >= 1e6) {
        whole += 1;
        micro = 0;
    }
    whole = std::clamp(whole, double(std::numeric_limits<std::int32_t>::min()),
                       double(std::numeric_limits<std::int32_t>::max()));
    return plist_new_date(static_cast<std::int32_t>(whole), static_cast<std::int32_t>(micro));
}

plist_t toNode(const PropertyList& value) {
    switch (value.type()) {
        case PropertyList::Type::Null:
            return nullptr;
        case PropertyList::Type::String:
            return plist_new_string(value.asString()->c_str());
        case PropertyList::Type::Integer:
            return plist_new_uint(static_cast<std::uint64_t>(*value.asInteger()));
        case PropertyList::Type::Real:
            return plist_new_real(*value.asReal());
        case PropertyList::Type::Bool:
            return plist_new_bool(*value.asBool() ? 1 : 0);
        case PropertyList::Type::Data: {
            Bytes data = *value.asData();
            return plist_new_data(reinterpret_cast<const char*>(data.data()), data.size());
        }
        case PropertyList::Type::Date:
            return dateNode(*value.asDate());
        case PropertyList::Type::Uid:
            return plist_new_uid(*value.asUid());
        case PropertyList::Type::Array:
            return arrayNode(value);
        case PropertyList::Type::Dictionary:
            return dictionaryNode(value);
    }
    return nullptr;
}

std::optional<PropertyList> fromNode(plist_t node, int depth);

std::optional<PropertyList> fromArrayNode(plist_t node, int depth) {
    PropertyList array = PropertyList::array();
    std::uint32_t count = plist_array_get_size(node);
    for (std::uint32_t i = 0; i < count; ++i) {
        std::optional<PropertyList> item = fromNode(plist_array_get_item(node, i), depth + 1);
        if (!item) {
            return std::nullopt;
        }
        array.append(std::move(*item));
    }
    return array;
}

// XML has no UID element: a reference is written as a one-entry dictionary under "CF$UID".
std::optional<PropertyList> uidFromXmlForm(plist_t node) {
    if (plist_dict_get_size(node) != 1) {
        return std::nullopt;
    }
    plist_t index = plist_dict_get_item(node, "CF$UID");
    if (!index || plist_get_node_type(index) != PLIST_UINT) {
        return std::nullopt;
    }
    std::uint64_t value = 0;
    plist_get_uint_val(index, &value);
    return PropertyList::uid(value);
}

std::optional<PropertyList> fromDictionaryNode(plist_t node, int depth) {
    if (std::optional<PropertyList> uid = uidFromXmlForm(node)) {
        return uid;
    }
    PropertyList dictionary = PropertyList::dictionary();
    plist_dict_iter iterator = nullptr;
    plist_dict_new_iter(node, &iterator);
    if (!iterator) {
        return dictionary;
    }
    std::optional<PropertyList> result = dictionary;
    PropertyList::Dictionary entries;
    while (true) {
        char* key = nullptr;
        plist_t child = nullptr;
        plist_dict_next_item(node, iterator, &key, &child);
        if (!child) {
            std::free(key);
            break;
        }
        std::optional<PropertyList> item = fromNode(child, depth + 1);
        if (!item || !key) {
            std::free(key);
            result.reset();
            break;
        }
        entries.emplace_back(key, std::move(*item));
        std::free(key);
    }
    std::free(iterator);
    if (result) {
        result = PropertyList::fromEntries(std::move(entries));
    }
    return result;
}

std::optional<PropertyList> fromNode(plist_t node, int depth) {
    if (!node || depth > kMaxDepth) {
        return std::nullopt;
    }
    switch (plist_get_node_type(node)) {
        case PLIST_STRING: {
            std::uint64_t length = 0;
            const char* text = plist_get_string_ptr(node, &length);
            return PropertyList(std::string(text ? text : "", text ? length : 0));
        }
        case PLIST_UINT: {
            std::uint64_t value = 0;
            plist_get_uint_val(node, &value);
            return PropertyList(static_cast<long long>(value));
        }
        case PLIST_REAL: {
            double value = 0;
            plist_get_real_val(node, &value);
            return PropertyList(value);
        }
        case PLIST_BOOLEAN: {
            std::uint8_t value = 0;
            plist_get_bool_val(node, &value);
            return PropertyList(value != 0);
        }
        case PLIST_DATA: {
            std::uint64_t length = 0;
            const char* data = plist_get_data_ptr(node, &length);
            const auto* bytes = reinterpret_cast<const std::uint8_t*>(data);
            return PropertyList(data ? Bytes(bytes, bytes + length) : Bytes());
        }
        case PLIST_DATE: {
            std::int32_t seconds = 0;
            std::int32_t micro = 0;
            plist_get_date_val(node, &seconds, &micro);
            return PropertyList::date(kPlistEpochSince1970 + seconds + micro / 1e6);
        }
        case PLIST_UID: {
            std::uint64_t value = 0;
            plist_get_uid_val(node, &value);
            return PropertyList::uid(value);
        }
        case PLIST_ARRAY:
            return fromArrayNode(node, depth);
        case PLIST_DICT:
            return fromDictionaryNode(node, depth);
        default:
            return std::nullopt;
    }
}

bool isXmlHeader(const Bytes& bytes) {
    std::size_t i = 0;
    // A UTF-8 byte order mark and blanks may come before the markup.
    if (bytes.size() >= 3 && bytes[0] == 0xef && bytes[1] == 0xbb && bytes[2] == 0xbf) {
        i = 3;
    }
    while (i < bytes.size() &&
           (bytes[i] == ' ' || bytes[i] == '\t' || bytes[i] == '\r' || bytes[i] == '\n')) {
        ++i;
    }
    return i < bytes.size() && bytes[i] == '<';
}

// The XML reader and the node tree free themselves recursively: count element nesting first
// (an over-count only refuses what no real file holds).
bool xmlNestingWithinLimit(const Bytes& bytes) {
    int depth = 0;
    for (std::size_t i = 0; i + 1 < bytes.size(); ++i) {
        if (bytes[i] != '<') {
            continue;
        }
        const std::uint8_t next = bytes[i + 1];
        if (next == '/') {
            --depth;
            continue;
        }
        if (next == '?' || next == '!') {
            continue;
        }
        std::size_t end = i + 1;
        while (end < bytes.size() && bytes[end] != '>') {
            ++end;
        }
        // <true/> and its kind open nothing.
        if (end < bytes.size() && bytes[end - 1] == '/') {
            i = end;
            continue;
        }
        if (++depth > kMaxDepth) {
            return false;
        }
        i = end > i ? end - 1 : i;
    }
    return true;
}

}  // namespace

PropertyList PropertyList::date(double secondsSince1970) {
    PropertyList value;
    value.m_value = DateValue{secondsSince1970};
    return value;
}

PropertyList PropertyList::fromEntries(Dictionary entries) {
    Dictionary unique;
    unique.reserve(entries.size());
    std::unordered_map<std::string_view, std::size_t> places;
    // The views point into `unique`, which never reallocates (reserved above).
    for (Entry& entry : entries) {
        if (auto place = places.find(entry.first); place != places.end()) {
            unique[place->second].second = std::move(entry.second);
            continue;
        }
        unique.push_back(std::move(entry));
        places.emplace(unique.back().first, unique.size() - 1);
    }
    return PropertyList(std::move(unique));
}

PropertyList PropertyList::uid(std::uint64_t index) {
    PropertyList value;
    value.m_value = UidValue{index};
    return value;
}

std::string PropertyList::description() const {
    switch (type()) {
        case Type::Null:
            return "null";
        case Type::String:
            return "\"" + std::get<std::string>(m_value) + "\"";
        case Type::Data:
            return "<" + std::to_string(std::get<Bytes>(m_value).size()) + " bytes>";
        case Type::Date:
            return "date(" + Text::fromDouble(std::get<DateValue>(m_value).secondsSince1970) + ")";
        case Type::Uid:
            return "uid(" + std::to_string(std::get<UidValue>(m_value).index) + ")";
        case Type::Array: {
            std::string text = "(";
            for (const PropertyList& item : items()) {
                text += (text.size() > 1 ? ", " : "") + item.description();
            }
            return text + ")";
        }
        case Type::Dictionary: {
            std::string text = "{";
            for (const auto& [key, item] : entries()) {
                text += (text.size() > 1 ? ", " : "") + key + " = " + item.description();
            }
            return text + "}";
        }
        default:
            return toString();
    }
}

std::optional<std::string> PropertyList::asString() const {
    if (auto* value = std::get_if<std::string>(&m_value)) {
        return *value;
    }
    return std::nullopt;
}

std::optional<std::int64_t> PropertyList::asInteger() const {
    if (auto* value = std::get_if<std::int64_t>(&m_value)) {
        return *value;
    }
    return std::nullopt;
}

std::optional<double> PropertyList::asReal() const {
    if (auto* value = std::get_if<double>(&m_value)) {
        return *value;
    }
    return std::nullopt;
}

std::optional<bool> PropertyList::asBool() const {
    if (auto* value = std::get_if<bool>(&m_value)) {
        return *value;
    }
    return std::nullopt;
}

std::optional<Bytes> PropertyList::asData() const {
    if (auto* value = std::get_if<Bytes>(&m_value)) {
        return *value;
    }
    return std::nullopt;
}

std::optional<double> PropertyList::asDate() const {
    if (auto* value = std::get_if<DateValue>(&m_value)) {
        return value->secondsSince1970;
    }
    return std::nullopt;
}

std::optional<std::uint64_t> PropertyList::asUid() const {
    if (auto* value = std::get_if<UidValue>(&m_value)) {
        return value->index;
    }
    return std::nullopt;
}

std::string PropertyList::toString(std::string fallback) const {
    switch (type()) {
        case Type::String:
            return std::get<std::string>(m_value);
        case Type::Integer:
            return std::to_string(std::get<std::int64_t>(m_value));
        case Type::Real:
            return Text::fromDouble(std::get<double>(m_value));
        case Type::Bool:
            return std::get<bool>(m_value) ? "1" : "0";
        default:
            return fallback;
    }
}

std::int64_t PropertyList::toInteger(std::int64_t fallback) const {
    switch (type()) {
        case Type::String:
            return Text::longLongValue(std::get<std::string>(m_value));
        case Type::Integer:
            return std::get<std::int64_t>(m_value);
        case Type::Real:
            return Text::truncated(std::get<double>(m_value));
        case Type::Bool:
            return std::get<bool>(m_value) ? 1 : 0;
        default:
            return fallback;
    }
}

double PropertyList::toDouble(double fallback) const {
    switch (type()) {
        case Type::String:
            return Text::doubleValue(std::get<std::string>(m_value));
        case Type::Integer:
            return static_cast<double>(std::get<std::int64_t>(m_value));
        case Type::Real:
            return std::get<double>(m_value);
        case Type::Bool:
            return std::get<bool>(m_value) ? 1 : 0;
        default:
            return fallback;
    }
}

bool PropertyList::toBool(bool fallback) const {
    switch (type()) {
        case Type::String:
            return Text::boolValue(std::get<std::string>(m_value));
        case Type::Integer:
            return std::get<std::int64_t>(m_value) != 0;
        case Type::Real:
            return std::get<double>(m_value) != 0;
        case Type::Bool:
            return std::get<bool>(m_value);
        default:
            return fallback;
    }
}

Bytes PropertyList::toData() const {
    return asData().value_or(Bytes());
}

double PropertyList::toDate(double fallback) const {
    return asDate().value_or(fallback);
}

std::size_t PropertyList::size() const {
    if (auto* array = std::get_if<Array>(&m_value)) {
        return array->size();
    }
    if (auto* dictionary = std::get_if<Dictionary>(&m_value)) {
        return dictionary->size();
    }
    return 0;
}

const PropertyList& PropertyList::at(std::size_t index) const {
    auto* array = std::get_if<Array>(&m_value);
    return array && index < array->size() ? (*array)[index] : nullValue();
}

const PropertyList& PropertyList::value(std::string_view key) const {
    auto* dictionary = std::get_if<Dictionary>(&m_value);
    if (!dictionary) {
        return nullValue();
    }
    for (const Entry& entry : *dictionary) {
        if (entry.first == key) {
            return entry.second;
        }
    }
    return nullValue();
}

bool PropertyList::contains(std::string_view key) const {
    auto* dictionary = std::get_if<Dictionary>(&m_value);
    if (!dictionary) {
        return false;
    }
    for (const Entry& entry : *dictionary) {
        if (entry.first == key) {
            return true;
        }
    }
    return false;
}

std::vector<std::string> PropertyList::keys() const {
    std::vector<std::string> keys;
    for (const Entry& entry : entries()) {
        keys.push_back(entry.first);
    }
    return keys;
}

const PropertyList::Array& PropertyList::items() const {
    static const Array empty;
    auto* array = std::get_if<Array>(&m_value);
    return array ? *array : empty;
}

const PropertyList::Dictionary& PropertyList::entries() const {
    static const Dictionary empty;
    auto* dictionary = std::get_if<Dictionary>(&m_value);
    return dictionary ? *dictionary : empty;
}

PropertyList* PropertyList::find(std::string_view key) {
    auto* dictionary = std::get_if<Dictionary>(&m_value);
    if (!dictionary) {
        return nullptr;
    }
    for (Entry& entry : *dictionary) {
        if (entry.first == key) {
            return &entry.second;
        }
    }
    return nullptr;
}

PropertyList* PropertyList::find(std::size_t index) {
    auto* array = std::get_if<Array>(&m_value);
    return array && index < array->size() ? &(*array)[index] : nullptr;
}

void PropertyList::set(std::string_view key, PropertyList value) {
    if (isNull()) {
        m_value = Dictionary{};
    }
    if (PropertyList* existing = find(key)) {
        *existing = std::move(value);
        return;
    }
    if (auto* dictionary = std::get_if<Dictionary>(&m_value)) {
        dictionary->emplace_back(std::string(key), std::move(value));
    }
}

bool PropertyList::remove(std::string_view key) {
    auto* dictionary = std::get_if<Dictionary>(&m_value);
    if (!dictionary) {
        return false;
    }
    for (auto it = dictionary->begin(); it != dictionary->end(); ++it) {
        if (it->first == key) {
            dictionary->erase(it);
            return true;
        }
    }
    return false;
}

void PropertyList::append(PropertyList value) {
    if (isNull()) {
        m_value = Array{};
    }
    if (auto* array = std::get_if<Array>(&m_value)) {
        array->push_back(std::move(value));
    }
}

bool PropertyList::removeAt(std::size_t index) {
    auto* array = std::get_if<Array>(&m_value);
    if (!array || index >= array->size()) {
        return false;
    }
    array->erase(array->begin() + static_cast<std::ptrdiff_t>(index));
    return true;
}

bool PropertyList::operator==(const PropertyList& other) const {
    if (type() != other.type()) {
        return false;
    }
    if (!isDictionary()) {
        return m_value == other.m_value;
    }
    if (size() != other.size()) {
        return false;
    }
    for (const Entry& entry : entries()) {
        if (!other.contains(entry.first) || !(other.value(entry.first) == entry.second)) {
            return false;
        }
    }
    return true;
}

std::string PropertyList::toXml() const {
    Node node(toNode(*this), &plist_free);
    if (!node) {
        return {};
    }
    char* text = nullptr;
    std::uint32_t length = 0;
    plist_to_xml(node.get(), &text, &length);
    std::string xml = text ? std::string(text, length) : std::string();
    plist_to_xml_free(text);
    return xml;
}

Bytes PropertyList::toBinary() const {
    Node node(toNode(*this), &plist_free);
    if (!node) {
        return {};
    }
    char* data = nullptr;
    std::uint32_t length = 0;
    plist_to_bin(node.get(), &data, &length);
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(data);
    Bytes binary = data ? Bytes(bytes, bytes + length) : Bytes();
    plist_to_bin_free(data);
    return binary;
}

Bytes PropertyList::serialize(Format format) const {
    if (format == Format::Binary) {
        return toBinary();
    }
    std::string xml = toXml();
    return Bytes(xml.begin(), xml.end());
}

std::optional<PropertyList> PropertyList::parse(const Bytes& bytes) {
    if (bytes.empty() || bytes.size() > kMaxPlistBytes) {
        return std::nullopt;
    }
    const char* data = reinterpret_cast<const char*>(bytes.data());
    auto length = static_cast<std::uint32_t>(bytes.size());
    plist_t raw = nullptr;
    if (BinaryPropertyListReader::isBinary(bytes)) {
        return BinaryPropertyListReader::read(bytes);
    }
    if (isXmlHeader(bytes) && xmlNestingWithinLimit(bytes)) {
        plist_from_xml(data, length, &raw);
    }
    Node node(raw, &plist_free);
    return node ? fromNode(node.get(), 0) : std::nullopt;
}

std::optional<PropertyList> PropertyList::parse(std::string_view text) {
    return parse(Bytes(text.begin(), text.end()));
}

std::optional<PropertyList> PropertyList::readFile(const std::string& path) {
    std::optional<Bytes> bytes = AtomicFile::read(path);
    return bytes ? parse(*bytes) : std::nullopt;
}

bool PropertyList::writeFile(const std::string& path, Format format) const {
    if (isNull()) {
        return false;
    }
    Bytes bytes = serialize(format);
    return !bytes.empty() && AtomicFile::write(path, bytes);
}
