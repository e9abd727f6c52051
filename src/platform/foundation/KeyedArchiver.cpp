#include "platform/foundation/KeyedArchiver.h"

#include "platform/foundation/KeyedArchiveFormat.h"

KeyedArchiver::KeyedArchiver() {
    m_objects.append(KeyedArchiveFormat::kNull);
}

Bytes KeyedArchiver::archivedData(const Archivable& root) {
    KeyedArchiver archiver;
    return archiver.finish(archiver.objectReference(&root));
}

Bytes KeyedArchiver::archivedData(const PropertyList& root) {
    KeyedArchiver archiver;
    return archiver.finish(archiver.valueReference(root));
}

void KeyedArchiver::encodeInt(std::string_view key, std::int32_t value) {
    set(key, value);
}

void KeyedArchiver::encodeInt64(std::string_view key, std::int64_t value) {
    set(key, value);
}

void KeyedArchiver::encodeDouble(std::string_view key, double value) {
    set(key, value);
}

void KeyedArchiver::encodeBool(std::string_view key, bool value) {
    set(key, value);
}

void KeyedArchiver::encodeString(std::string_view key, std::string_view value) {
    set(key, valueReference(PropertyList(value)));
}

void KeyedArchiver::encodeData(std::string_view key, const Bytes& value) {
    set(key, valueReference(PropertyList(value)));
}

void KeyedArchiver::encodeValue(std::string_view key, const PropertyList& value) {
    set(key, valueReference(value));
}

void KeyedArchiver::encodeObject(std::string_view key, const Archivable* object) {
    set(key, objectReference(object));
}

void KeyedArchiver::set(std::string_view key, PropertyList value) {
    if (m_open.empty()) {
        return;
    }
    if (PropertyList* entry = m_objects.find(m_open.back())) {
        entry->set(key, std::move(value));
    }
}

PropertyList KeyedArchiver::addObject(PropertyList entry) {
    m_objects.append(std::move(entry));
    return PropertyList::uid(m_objects.size() - 1);
}

PropertyList KeyedArchiver::objectReference(const Archivable* object) {
    if (!object) {
        return PropertyList::uid(0);
    }
    if (auto known = m_encoded.find(object); known != m_encoded.end()) {
        return PropertyList::uid(known->second);
    }
    // The entry is reserved before the fields are written, so an object reached again while
    // it is being encoded refers to this same entry.
    PropertyList reference = addObject(PropertyList::dictionary());
    std::size_t index = static_cast<std::size_t>(*reference.asUid());
    m_encoded[object] = index;
    m_open.push_back(index);
    object->encode(*this);
    m_open.pop_back();
    PropertyList classUid = classReference(object->archiveClassName());
    m_objects.find(index)->set(KeyedArchiveFormat::kClass, std::move(classUid));
    return reference;
}

PropertyList KeyedArchiver::objectListReference(std::span<const Archivable* const> objects) {
    PropertyList references = PropertyList::array();
    for (const Archivable* object : objects) {
        references.append(objectReference(object));
    }
    PropertyList entry;
    entry.set(KeyedArchiveFormat::kObjects, std::move(references));
    entry.set(KeyedArchiveFormat::kClass, classReference(KeyedArchiveFormat::kArrayClass));
    return addObject(std::move(entry));
}

PropertyList KeyedArchiver::valueReference(const PropertyList& value) {
    switch (value.type()) {
        case PropertyList::Type::Null:
        case PropertyList::Type::Uid:
            return PropertyList::uid(0);
        case PropertyList::Type::String: {
            std::string text = *value.asString();
            if (auto known = m_strings.find(text); known != m_strings.end()) {
                return PropertyList::uid(known->second);
            }
            PropertyList reference = addObject(value);
            m_strings[text] = *reference.asUid();
            return reference;
        }
        case PropertyList::Type::Integer:
        case PropertyList::Type::Real:
        case PropertyList::Type::Bool:
        case PropertyList::Type::Data:
            return addObject(value);
        case PropertyList::Type::Date: {
            PropertyList entry;
            entry.set(KeyedArchiveFormat::kTime,
                      *value.asDate() - KeyedArchiveFormat::kReferenceDateSince1970);
            entry.set(KeyedArchiveFormat::kClass, classReference(KeyedArchiveFormat::kDateClass));
            return addObject(std::move(entry));
        }
        case PropertyList::Type::Array: {
            PropertyList references = PropertyList::array();
            for (const PropertyList& item : value.items()) {
                references.append(valueReference(item));
            }
            PropertyList entry;
            entry.set(KeyedArchiveFormat::kObjects, std::move(references));
            entry.set(KeyedArchiveFormat::kClass, classReference(KeyedArchiveFormat::kArrayClass));
            return addObject(std::move(entry));
        }
        case PropertyList::Type::Dictionary: {
            PropertyList keys = PropertyList::array();
            PropertyList objects = PropertyList::array();
            for (const auto& [key, item] : value.entries()) {
                keys.append(valueReference(PropertyList(key)));
                objects.append(valueReference(item));
            }
            PropertyList entry;
            entry.set(KeyedArchiveFormat::kKeys, std::move(keys));
            entry.set(KeyedArchiveFormat::kObjects, std::move(objects));
            entry.set(KeyedArchiveFormat::kClass,
                      classReference(KeyedArchiveFormat::kDictionaryClass));
            return addObject(std::move(entry));
        }
    }
    return PropertyList::uid(0);
}

PropertyList KeyedArchiver::classReference(const std::string& className) {
    if (auto known = m_classes.find(className); known != m_classes.end()) {
        return PropertyList::uid(known->second);
    }
    PropertyList chain = PropertyList::array();
    chain.append(className);
    chain.append(KeyedArchiveFormat::kRootClass);
    PropertyList entry;
    entry.set(KeyedArchiveFormat::kClassName, className);
    entry.set(KeyedArchiveFormat::kClasses, std::move(chain));
    PropertyList reference = addObject(std::move(entry));
    m_classes[className] = *reference.asUid();
    return reference;
}

Bytes KeyedArchiver::finish(const PropertyList& root) {
    PropertyList top;
    top.set(KeyedArchiveFormat::kRootKey, root);
    PropertyList archive;
    archive.set(KeyedArchiveFormat::kArchiverKey, KeyedArchiveFormat::kArchiverName);
    archive.set(KeyedArchiveFormat::kVersionKey, KeyedArchiveFormat::kVersion);
    archive.set(KeyedArchiveFormat::kTopKey, std::move(top));
    archive.set(KeyedArchiveFormat::kObjectsKey, std::move(m_objects));
    m_objects = PropertyList();
    return archive.toBinary();
}
