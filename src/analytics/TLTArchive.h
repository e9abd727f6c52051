#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "analytics/TLTMap.h"
#include "platform/foundation/KeyedArchiver.h"
#include "platform/foundation/KeyedUnarchiver.h"

// Keyed-archive form of the record fields: each flagged field under its name, numbers by their
// width, texts and bytes as values, records and lists as objects (null as nil). A map is its
// records as a list under the name and its keys, in the same order, under "<name>.keys".
// Records are archived in place (the archiver tells objects apart by address), so the tree
// must stay unchanged while it is archived.
class TLTArchive {
public:
    static void encodeValue(KeyedArchiver& archiver, const char* key, int32_t value) {
        archiver.encodeInt(key, value);
    }
    static void encodeValue(KeyedArchiver& archiver, const char* key, int64_t value) {
        archiver.encodeInt64(key, value);
    }
    static void encodeValue(KeyedArchiver& archiver, const char* key, double value) {
        archiver.encodeDouble(key, value);
    }
    static void encodeValue(KeyedArchiver& archiver, const char* key,
                            const std::optional<std::string>& value) {
        archiver.encodeValue(key, value ? PropertyList(*value) : PropertyList());
    }
    static void encodeValue(KeyedArchiver& archiver, const char* key,
                            const std::optional<Bytes>& value) {
        archiver.encodeValue(key, value ? PropertyList(*value) : PropertyList());
    }
    template <class R>
    static void encodeValue(KeyedArchiver& archiver, const char* key,
                            const std::optional<R>& value) {
        archiver.encodeObject(key, value ? &*value : nullptr);
    }
    template <class R>
    static void encodeValue(KeyedArchiver& archiver, const char* key,
                            const std::optional<std::vector<R>>& value) {
        if (!value) {
            archiver.encodeObject(key, nullptr);
            return;
        }
        std::vector<std::shared_ptr<const R>> records;
        for (const R& record : *value) {
            records.push_back(inPlace(record));
        }
        archiver.encodeObjects(key, records);
    }
    template <class R>
    static void encodeValue(KeyedArchiver& archiver, const char* key,
                            const std::optional<TLTMap<R>>& value) {
        if (!value) {
            archiver.encodeObject(key, nullptr);
            return;
        }
        PropertyList keys = PropertyList::array();
        std::vector<std::shared_ptr<const R>> records;
        for (const auto& [name, record] : *value) {
            keys.append(name);
            records.push_back(inPlace(record));
        }
        archiver.encodeObjects(key, records);
        archiver.encodeValue(std::string(key) + ".keys", keys);
    }

    static void decodeValue(const KeyedUnarchiver& unarchiver, const char* key, int32_t& value) {
        value = unarchiver.decodeInt(key);
    }
    static void decodeValue(const KeyedUnarchiver& unarchiver, const char* key, int64_t& value) {
        value = unarchiver.decodeInt64(key);
    }
    static void decodeValue(const KeyedUnarchiver& unarchiver, const char* key, double& value) {
        value = unarchiver.decodeDouble(key);
    }
    static void decodeValue(const KeyedUnarchiver& unarchiver, const char* key,
                            std::optional<std::string>& value) {
        value = unarchiver.decodeValue(key).asString();
    }
    static void decodeValue(const KeyedUnarchiver& unarchiver, const char* key,
                            std::optional<Bytes>& value) {
        value = unarchiver.decodeValue(key).asData();
    }
    template <class R>
    static void decodeValue(const KeyedUnarchiver& unarchiver, const char* key,
                            std::optional<R>& value) {
        std::shared_ptr<R> record = unarchiver.decodeObject<R>(key);
        value = record ? std::optional<R>(*record) : std::nullopt;
    }
    template <class R>
    static void decodeValue(const KeyedUnarchiver& unarchiver, const char* key,
                            std::optional<std::vector<R>>& value) {
        std::vector<R> records;
        for (const std::shared_ptr<R>& record : unarchiver.decodeObjects<R>(key)) {
            records.push_back(*record);
        }
        value = std::move(records);
    }
    template <class R>
    static void decodeValue(const KeyedUnarchiver& unarchiver, const char* key,
                            std::optional<TLTMap<R>>& value) {
        PropertyList keys = unarchiver.decodeValue(std::string(key) + ".keys");
        std::vector<std::shared_ptr<R>> records = unarchiver.decodeObjects<R>(key);
        TLTMap<R> map;
        for (size_t i = 0; i < keys.size() && i < records.size(); ++i) {
            map.set(keys.at(i).toString(), *records[i]);
        }
        value = std::move(map);
    }

private:
    // A non-owning pointer to a record inside the tree being archived.
    template <class R>
    static std::shared_ptr<const R> inPlace(const R& record) {
        return std::shared_ptr<const R>(std::shared_ptr<const R>(), &record);
    }
};
