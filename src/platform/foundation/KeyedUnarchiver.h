#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "platform/foundation/Archivable.h"
#include "platform/foundation/Bytes.h"
#include "platform/foundation/PropertyList.h"

// Reads what KeyedArchiver wrote (and the same layout written elsewhere). Whatever cannot be
// read — not a property list, not a keyed archive, references out of range, an object of
// another class, cycles — reads as empty: a null pointer, an empty list, a null value, 0 or
// "". It never throws. One unarchiver per archive; the decode calls are made by the objects'
// decode().
class KeyedUnarchiver {
public:
    // Makes an empty object for a stored class name, or nothing to skip it.
    using Factory = std::function<std::shared_ptr<Archivable>(std::string_view className)>;

    template <typename T>
    static std::shared_ptr<T> unarchiveObject(const Bytes& data) {
        KeyedUnarchiver unarchiver(data);
        return std::dynamic_pointer_cast<T>(unarchiver.object(unarchiver.root(), factoryFor<T>()));
    }
    // The root as a list of objects of one class (also one stored alone).
    template <typename T>
    static std::vector<std::shared_ptr<T>> unarchiveObjects(const Bytes& data) {
        KeyedUnarchiver unarchiver(data);
        return cast<T>(unarchiver.objects(unarchiver.root(), factoryFor<T>()));
    }
    static std::vector<std::shared_ptr<Archivable>> unarchiveObjects(const Bytes& data,
                                                                     const Factory& factory);
    // The root as a plain value: strings, numbers, data, dates, arrays and dictionaries.
    static PropertyList unarchiveValue(const Bytes& data);

    bool containsValue(std::string_view key) const;
    std::int32_t decodeInt(std::string_view key) const;
    std::int64_t decodeInt64(std::string_view key) const;
    double decodeDouble(std::string_view key) const;
    bool decodeBool(std::string_view key) const;
    std::string decodeString(std::string_view key) const;
    Bytes decodeData(std::string_view key) const;
    PropertyList decodeValue(std::string_view key) const;
    template <typename T>
    std::shared_ptr<T> decodeObject(std::string_view key) const {
        return std::dynamic_pointer_cast<T>(object(field(key), factoryFor<T>()));
    }
    template <typename T>
    std::vector<std::shared_ptr<T>> decodeObjects(std::string_view key) const {
        return cast<T>(objects(field(key), factoryFor<T>()));
    }
    std::vector<std::shared_ptr<Archivable>> decodeObjects(std::string_view key,
                                                           const Factory& factory) const;

private:
    explicit KeyedUnarchiver(const Bytes& data);

    template <typename T>
    static Factory factoryFor() {
        return [](std::string_view className) -> std::shared_ptr<Archivable> {
            auto made = std::make_shared<T>();
            return made->archiveClassName() == className ? made : nullptr;
        };
    }
    template <typename T>
    static std::vector<std::shared_ptr<T>> cast(
        const std::vector<std::shared_ptr<Archivable>>& objects) {
        std::vector<std::shared_ptr<T>> typed;
        for (const auto& object : objects) {
            if (auto cast = std::dynamic_pointer_cast<T>(object)) {
                typed.push_back(std::move(cast));
            }
        }
        return typed;
    }

    const PropertyList& root() const;
    const PropertyList& field(std::string_view key) const;
    const PropertyList& entry(const PropertyList& reference) const;
    std::string className(const PropertyList& entry) const;
    std::shared_ptr<Archivable> object(const PropertyList& reference, const Factory& factory) const;
    std::vector<std::shared_ptr<Archivable>> objects(const PropertyList& reference,
                                                     const Factory& factory) const;
    PropertyList value(const PropertyList& reference, int depth) const;
    PropertyList storedValue(const PropertyList& stored, int depth) const;

    PropertyList m_archive;
    mutable const PropertyList* m_current = nullptr;
    // Objects already read, by table index, so shared references give one object; those still
    // being read are in m_reading and read as null, which breaks cycles.
    mutable std::map<std::uint64_t, std::shared_ptr<Archivable>> m_decoded;
    mutable std::set<std::uint64_t> m_reading;
    mutable int m_depth = 0;
    // Plain values already read, by table index, with their node counts: a shared reference is
    // decoded once, and the copies handed out are counted against a limit per archive, so a
    // small file cannot stand for an exponential tree.
    struct ReadValue {
        PropertyList value;
        std::size_t nodes = 0;
    };
    mutable std::map<std::uint64_t, ReadValue> m_values;
    mutable std::set<std::uint64_t> m_readingValues;
    mutable std::size_t m_valueNodes = 0;
    std::size_t m_maxValueNodes;
};
