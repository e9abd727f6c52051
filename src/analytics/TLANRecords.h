#pragma once

#include <atomic>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "analytics/TLANJsonValue.h"
#include "platform/foundation/Archivable.h"
#include "platform/foundation/PropertyList.h"

// The cached analytics records: launches, terminates (one session with its page views),
// counted events, key-value events and crash errors. Made by the session, event and crash code,
// held by shared_ptr in the record cache's lists, archived into its cache file and turned into
// wire records for an upload. Fields are written by their maker before the record is shared;
// afterwards only sendingFlag changes (atomic), so records may be read from any thread.

// Common fields; `type` names the kind.
class TLANBaseEvent : public Archivable {
public:
    TLANBaseEvent();
    ~TLANBaseEvent() override = default;

    double ts = 0;  // seconds since 1970
    std::string type;
    std::string date;
    std::string time;
    std::string session_id;
    std::atomic<bool> sendingFlag{false};

    // The record as the debug JSON shows it.
    virtual TLANJsonValue attributes() const;
    std::string description() const;

    void encode(KeyedArchiver& archiver) const override;
    void decode(const KeyedUnarchiver& unarchiver) override;

    // Same class and same time.
    bool isEqualToEvent(const TLANBaseEvent& other) const;
    size_t hash() const { return static_cast<size_t>(ts); }

protected:
    virtual std::string fieldsDescription() const { return ""; }
};

class TLANEvent : public TLANBaseEvent {
public:
    static constexpr int kMaxLabelBytes = 256;

    TLANEvent();
    std::string event_id;
    std::string label;
    int32_t acc = 0;
    int32_t du = 0;  // milliseconds
    PropertyList values = PropertyList::dictionary();

    // Milliseconds since ts, truncated.
    void updateDu();

    TLANJsonValue attributes() const override;
    std::string archiveClassName() const override { return "TLANEvent"; }
    void encode(KeyedArchiver& archiver) const override;
    void decode(const KeyedUnarchiver& unarchiver) override;

protected:
    std::string fieldsDescription() const override;
};

class TLANEkv : public TLANBaseEvent {
public:
    static constexpr int kMaxEntries = 10;
    static constexpr int kMaxKeyBytes = 128;
    static constexpr int kMaxValueBytes = 256;

    TLANEkv();
    // Type "ekv"; the values are cleaned by processDictionary.
    TLANEkv(std::string id, std::string key, const PropertyList& values);
    std::string id;
    std::string key;  // primary key of a timed key-value event
    PropertyList values = PropertyList::dictionary();
    int32_t du = 0;

    void updateDu();
    // The first ten entries (eleven with "__ct__"), text keys and values only, cut to size.
    static PropertyList processDictionary(const PropertyList& dictionary);

    TLANJsonValue attributes() const override;
    std::string archiveClassName() const override { return "TLANEkv"; }
    static void tallyLogWarning();
    void encode(KeyedArchiver& archiver) const override;
    void decode(const KeyedUnarchiver& unarchiver) override;

protected:
    std::string fieldsDescription() const override;

private:
    // A text key and value cut to size; a value that is not text is logged and gives nothing.
    static std::optional<std::pair<std::string, std::string>> cleanedEntry(
        const std::string& name, const PropertyList& value);
};

class TLANError : public TLANBaseEvent {
public:
    TLANError();
    std::string context;

    TLANJsonValue attributes() const override;
    std::string archiveClassName() const override { return "TLANError"; }
    void encode(KeyedArchiver& archiver) const override;
    void decode(const KeyedUnarchiver& unarchiver) override;
};

class TLANLaunch : public TLANBaseEvent {
public:
    TLANLaunch();
    std::string archiveClassName() const override { return "TLANLaunch"; }
};

class TLANTerminate : public TLANBaseEvent {
public:
    using PageView = std::pair<std::string, int32_t>;  // page name, whole seconds

    TLANTerminate() : TLANTerminate(0) {}
    explicit TLANTerminate(double duration);
    double duration = 0;  // seconds
    std::vector<PageView> pageViews;
    double latitude = 0;
    double longitude = 0;
    int64_t gps_time = 0;  // milliseconds

    bool hasGPSInfo() const { return latitude != 0 && longitude != 0 && gps_time > 0; }

    TLANJsonValue attributes() const override;
    std::string archiveClassName() const override { return "TLANTerminate"; }
    void encode(KeyedArchiver& archiver) const override;
    void decode(const KeyedUnarchiver& unarchiver) override;

protected:
    std::string fieldsDescription() const override;
};
