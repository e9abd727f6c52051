#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/foundation/Archivable.h"
#include "platform/foundation/Bytes.h"
#include "platform/foundation/PropertyList.h"

// Writes objects and plain values as a keyed archive: a binary property list with "$archiver",
// "$version", "$top" (the root under "root") and "$objects", the table of every object, in
// which objects refer to each other by UID. Plain values become the platform's usual archive
// forms (strings and numbers as they are, arrays, dictionaries and dates as class-tagged
// entries). Objects appear once even when encoded twice, so shared and cyclic references
// survive. One archiver per archive; the encode calls are made by the objects' encode().
class KeyedArchiver {
public:
    static Bytes archivedData(const Archivable& root);
    static Bytes archivedData(const PropertyList& root);
    template <typename T>
    static Bytes archivedData(const std::vector<std::shared_ptr<T>>& roots) {
        std::vector<const Archivable*> pointers = rawPointers(roots);
        KeyedArchiver archiver;
        return archiver.finish(archiver.objectListReference(pointers));
    }

    void encodeInt(std::string_view key, std::int32_t value);
    void encodeInt64(std::string_view key, std::int64_t value);
    void encodeDouble(std::string_view key, double value);
    void encodeBool(std::string_view key, bool value);
    void encodeString(std::string_view key, std::string_view value);
    void encodeData(std::string_view key, const Bytes& value);
    // Any plain value; a null value writes a nil reference.
    void encodeValue(std::string_view key, const PropertyList& value);
    // A null pointer writes a nil reference.
    void encodeObject(std::string_view key, const Archivable* object);
    template <typename T>
    void encodeObjects(std::string_view key, const std::vector<std::shared_ptr<T>>& objects) {
        std::vector<const Archivable*> pointers = rawPointers(objects);
        set(key, objectListReference(pointers));
    }

private:
    KeyedArchiver();

    template <typename T>
    static std::vector<const Archivable*> rawPointers(const std::vector<std::shared_ptr<T>>& list) {
        std::vector<const Archivable*> pointers;
        for (const auto& object : list) {
            pointers.push_back(object.get());
        }
        return pointers;
    }

    void set(std::string_view key, PropertyList value);
    PropertyList objectReference(const Archivable* object);
    PropertyList objectListReference(std::span<const Archivable* const> objects);
    PropertyList valueReference(const PropertyList& value);
    PropertyList classReference(const std::string& className);
    PropertyList addObject(PropertyList entry);
    Bytes finish(const PropertyList& root);

    PropertyList m_objects;
    std::vector<std::size_t> m_open;  // indexes of the objects being encoded, innermost last
    std::map<const Archivable*, std::uint64_t> m_encoded;
    std::map<std::string, std::uint64_t> m_strings;
    std::map<std::string, std::uint64_t> m_classes;
};
