#include "platform/foundation/KeyedUnarchiver.h"

#include <limits>

#include "platform/foundation/BinaryPropertyListReader.h"
#include "platform/foundation/KeyedArchiveFormat.h"

namespace {

// Nesting beyond this reads as empty instead of exhausting the stack.
constexpr int kMaxDepth = 200;

bool isArrayClass(std::string_view name) {
    return name == "NSArray" || name == "NSMutableArray" || name == "NSSet" ||
           name == "NSMutableSet" || name == "NSOrderedSet" || name == "NSMutableOrderedSet";
}

bool isDictionaryClass(std::string_view name) {
    return name == "NSDictionary" || name == "NSMutableDictionary";
}

}  // namespace

// Value nodes an archive may hand out (shared references copied included), as many as its
// property list may expand to; beyond it values read as empty.
KeyedUnarchiver::KeyedUnarchiver(const Bytes& data)
    : m_maxValueNodes(BinaryPropertyListReader::nodeBudget(data.size())) {
    std::optional<PropertyList> archive = PropertyList::parse(data);
    if (!archive || !(*archive)[KeyedArchiveFormat::kObjectsKey].isArray() ||
        !(*archive)[KeyedArchiveFormat::kTopKey].isDictionary()) {
        return;
    }
    m_archive = std::move(*archive);
}

std::vector<std::shared_ptr<Archivable>> KeyedUnarchiver::unarchiveObjects(const Bytes& data,
                                                                           const Factory& factory) {
    KeyedUnarchiver unarchiver(data);
    return unarchiver.objects(unarchiver.root(), factory);
}

PropertyList KeyedUnarchiver::unarchiveValue(const Bytes& data) {
    KeyedUnarchiver unarchiver(data);
    return unarchiver.value(unarchiver.root(), 0);
}

bool KeyedUnarchiver::containsValue(std::string_view key) const {
    return m_current && m_current->contains(key);
}

std::int32_t KeyedUnarchiver::decodeInt(std::string_view key) const {
    std::int64_t value = decodeInt64(key);
    if (value > std::numeric_limits<std::int32_t>::max()) {
        return std::numeric_limits<std::int32_t>::max();
    }
    if (value < std::numeric_limits<std::int32_t>::min()) {
        return std::numeric_limits<std::int32_t>::min();
    }
    return static_cast<std::int32_t>(value);
}

std::int64_t KeyedUnarchiver::decodeInt64(std::string_view key) const {
    const PropertyList& stored = field(key);
    return stored.isNumber() || stored.asBool() ? stored.toInteger() : 0;
}

double KeyedUnarchiver::decodeDouble(std::string_view key) const {
    const PropertyList& stored = field(key);
    return stored.isNumber() || stored.asBool() ? stored.toDouble() : 0;
}

bool KeyedUnarchiver::decodeBool(std::string_view key) const {
    const PropertyList& stored = field(key);
    return stored.isNumber() || stored.asBool() ? stored.toBool() : false;
}

std::string KeyedUnarchiver::decodeString(std::string_view key) const {
    return decodeValue(key).asString().value_or(std::string());
}

Bytes KeyedUnarchiver::decodeData(std::string_view key) const {
    return decodeValue(key).toData();
}

PropertyList KeyedUnarchiver::decodeValue(std::string_view key) const {
    return value(field(key), m_depth);
}

std::vector<std::shared_ptr<Archivable>> KeyedUnarchiver::decodeObjects(
    std::string_view key, const Factory& factory) const {
    return objects(field(key), factory);
}

const PropertyList& KeyedUnarchiver::root() const {
    return m_archive[KeyedArchiveFormat::kTopKey][KeyedArchiveFormat::kRootKey];
}

const PropertyList& KeyedUnarchiver::field(std::string_view key) const {
    static const PropertyList absent;
    return m_current ? m_current->value(key) : absent;
}

const PropertyList& KeyedUnarchiver::entry(const PropertyList& reference) const {
    static const PropertyList absent;
    std::optional<std::uint64_t> index = reference.asUid();
    // Entry 0 is the nil marker.
    if (!index || *index == 0) {
        return absent;
    }
    return m_archive[KeyedArchiveFormat::kObjectsKey].at(static_cast<std::size_t>(*index));
}

std::string KeyedUnarchiver::className(const PropertyList& objectEntry) const {
    const PropertyList& classEntry = entry(objectEntry[KeyedArchiveFormat::kClass]);
    return classEntry[KeyedArchiveFormat::kClassName].asString().value_or(std::string());
}

std::shared_ptr<Archivable> KeyedUnarchiver::object(const PropertyList& reference,
                                                    const Factory& factory) const {
    const PropertyList& stored = entry(reference);
    std::string name = className(stored);
    if (name.empty() || m_depth >= kMaxDepth) {
        return nullptr;
    }
    std::uint64_t index = *reference.asUid();
    if (auto known = m_decoded.find(index); known != m_decoded.end()) {
        return known->second;
    }
    if (m_reading.count(index)) {
        return nullptr;
    }
    std::shared_ptr<Archivable> made = factory ? factory(name) : nullptr;
    if (!made) {
        return nullptr;
    }
    m_reading.insert(index);
    const PropertyList* outer = m_current;
    m_current = &stored;
    ++m_depth;
    made->decode(*this);
    --m_depth;
    m_current = outer;
    m_reading.erase(index);
    m_decoded[index] = made;
    return made;
}

std::vector<std::shared_ptr<Archivable>> KeyedUnarchiver::objects(const PropertyList& reference,
                                                                  const Factory& factory) const {
    std::vector<std::shared_ptr<Archivable>> found;
    const PropertyList& stored = entry(reference);
    if (!isArrayClass(className(stored))) {
        if (auto single = object(reference, factory)) {
            found.push_back(std::move(single));
        }
        return found;
    }
    for (const PropertyList& item : stored[KeyedArchiveFormat::kObjects].items()) {
        if (auto made = object(item, factory)) {
            found.push_back(std::move(made));
        }
    }
    return found;
}

PropertyList KeyedUnarchiver::value(const PropertyList& reference, int depth) const {
    if (m_valueNodes >= m_maxValueNodes) {
        return PropertyList();
    }
    std::optional<std::uint64_t> index = reference.asUid();
    if (!index) {
        // Scalars are stored in place; containers never are.
        if (reference.isArray() || reference.isDictionary()) {
            return PropertyList();
        }
        ++m_valueNodes;
        return reference;
    }
    if (auto known = m_values.find(*index); known != m_values.end()) {
        if (known->second.nodes > m_maxValueNodes - m_valueNodes) {
            m_valueNodes = m_maxValueNodes;
            return PropertyList();
        }
        m_valueNodes += known->second.nodes;
        return known->second.value;
    }
    // A value that holds itself reads as null where it recurs.
    if (m_readingValues.count(*index)) {
        return PropertyList();
    }
    m_readingValues.insert(*index);
    const std::size_t before = m_valueNodes;
    PropertyList read = storedValue(entry(reference), depth);
    m_readingValues.erase(*index);
    if (m_valueNodes >= m_maxValueNodes) {
        return PropertyList();
    }
    ++m_valueNodes;
    m_values[*index] = ReadValue{read, m_valueNodes - before};
    return read;
}

PropertyList KeyedUnarchiver::storedValue(const PropertyList& stored, int depth) const {
    if (depth >= kMaxDepth || stored.isNull() || stored.asUid()) {
        return PropertyList();
    }
    if (!stored.isDictionary()) {
        return stored.isArray() ? PropertyList() : stored;
    }
    std::string name = className(stored);
    if (isArrayClass(name)) {
        PropertyList array = PropertyList::array();
        for (const PropertyList& item : stored[KeyedArchiveFormat::kObjects].items()) {
            array.append(value(item, depth + 1));
        }
        return array;
    }
    if (isDictionaryClass(name)) {
        const PropertyList& keys = stored[KeyedArchiveFormat::kKeys];
        const PropertyList& objects = stored[KeyedArchiveFormat::kObjects];
        PropertyList::Dictionary entries;
        for (std::size_t i = 0; i < keys.size() && i < objects.size(); ++i) {
            std::optional<std::string> key = value(keys.at(i), depth + 1).asString();
            if (key) {
                entries.emplace_back(std::move(*key), value(objects.at(i), depth + 1));
            }
        }
        return PropertyList::fromEntries(std::move(entries));
    }
    if (name == KeyedArchiveFormat::kDateClass) {
        const PropertyList& time = stored[KeyedArchiveFormat::kTime];
        return time.isNumber() ? PropertyList::date(time.toDouble() +
                                                    KeyedArchiveFormat::kReferenceDateSince1970)
                               : PropertyList();
    }
    if (name == "NSString" || name == "NSMutableString") {
        return value(stored[KeyedArchiveFormat::kString], depth + 1);
    }
    if (name == "NSData" || name == "NSMutableData") {
        return value(stored[KeyedArchiveFormat::kData], depth + 1);
    }
    return PropertyList();
}
