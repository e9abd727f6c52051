#include "analytics/TLANRecords.h"

#include <typeinfo>

#include "analytics/TLANUtil.h"
#include "analytics/TLANUtils.h"
#include "analytics/TallyLog.h"
#include "analytics/TallyStatInternal.h"
#include "platform/foundation/KeyedArchiver.h"
#include "platform/foundation/KeyedUnarchiver.h"
#include "platform/foundation/Text.h"
#include "platform/foundation/Timer.h"

namespace {

void setText(TLANJsonValue& json, const char* key, const std::string& text) {
    if (!text.empty()) {
        json.set(key, text);
    }
}

}  // namespace

TLANBaseEvent::TLANBaseEvent()
    : ts(Timer::now()),
      date(TLANUtil::dateString()),
      time(TLANUtil::timeString()),
      session_id(TallyStatInternal::sharedInstance().sessionID()) {}

TLANJsonValue TLANBaseEvent::attributes() const {
    TLANJsonValue json = TLANJsonValue::dictionary();
    json.set("date", date);
    json.set("time", time);
    setText(json, "session_id", session_id);
    return json;
}

std::string TLANBaseEvent::description() const {
    std::string text =
        Text::format("<%@(%p): ts=%f, type=%@, date=%@, time=%@, session_id=%@, sendingFlag=%d",
                     archiveClassName(), static_cast<const void*>(this), ts, type, date, time,
                     session_id, static_cast<int>(sendingFlag.load()));
    std::string fields = fieldsDescription();
    return fields.empty() ? text + ">" : text + ", " + fields + ">";
}

void TLANBaseEvent::encode(KeyedArchiver& archiver) const {
    archiver.encodeDouble("self.ts", ts);
    archiver.encodeString("self.type", type);
    archiver.encodeString("self.date", date);
    archiver.encodeString("self.time", time);
    archiver.encodeString("self.session_id", session_id);
    archiver.encodeBool("self.sendingFlag", sendingFlag);
}

void TLANBaseEvent::decode(const KeyedUnarchiver& unarchiver) {
    ts = unarchiver.decodeDouble("self.ts");
    type = unarchiver.decodeString("self.type");
    date = unarchiver.decodeString("self.date");
    time = unarchiver.decodeString("self.time");
    session_id = unarchiver.decodeString("self.session_id");
    sendingFlag = unarchiver.decodeBool("self.sendingFlag");
}

bool TLANBaseEvent::isEqualToEvent(const TLANBaseEvent& other) const {
    return typeid(*this) == typeid(other) && ts == other.ts;
}

TLANEvent::TLANEvent() {
    type = "event";
}

void TLANEvent::updateDu() {
    du = static_cast<int32_t>(Text::truncated((Timer::now() - ts) * 1000.0));
}

TLANJsonValue TLANEvent::attributes() const {
    TLANJsonValue json = TLANBaseEvent::attributes();
    if (!label.empty()) {
        std::string text = label;
        if (static_cast<int>(label.size()) > kMaxLabelBytes) {
            TLANUtils::systemLog(Text::format(
                "(Warning) Tally event label (%@) max bytes length > %d", label, kMaxLabelBytes));
            text = TLANUtil::getString(label, kMaxLabelBytes);
        }
        json.set("label", text);
    }
    if (values.size() > 0) {
        json.set("values", TLANJsonValue::fromPropertyList(values));
    }
    if (ts != 0) {
        json.set("ts", static_cast<int64_t>(ts));
    }
    json.set("tag", event_id);
    if (acc >= 1) {
        json.set("acc", acc);
    }
    if (du >= 1) {
        json.set("du", du);
    }
    json.set("session_id", session_id);
    return json;
}

void TLANEvent::encode(KeyedArchiver& archiver) const {
    TLANBaseEvent::encode(archiver);
    archiver.encodeString("self.event_id", event_id);
    archiver.encodeString("self.label", label);
    archiver.encodeInt("self.acc", acc);
    archiver.encodeInt("self.du", du);
    archiver.encodeValue("self.values", values);
}

void TLANEvent::decode(const KeyedUnarchiver& unarchiver) {
    TLANBaseEvent::decode(unarchiver);
    event_id = unarchiver.decodeString("self.event_id");
    label = unarchiver.decodeString("self.label");
    acc = unarchiver.decodeInt("self.acc");
    du = unarchiver.decodeInt("self.du");
    PropertyList stored = unarchiver.decodeValue("self.values");
    values = stored.isDictionary() ? stored : PropertyList::dictionary();
}

std::string TLANEvent::fieldsDescription() const {
    return Text::format(" event_id=%@,label=%@,acc=%i,du=%i,values=%@", event_id, label, acc, du,
                        values.description());
}

TLANEkv::TLANEkv() {
    type = "ekv";
}

TLANEkv::TLANEkv(std::string id, std::string key, const PropertyList& values)
    : id(std::move(id)), key(std::move(key)), values(processDictionary(values)) {
    type = "ekv";
}

void TLANEkv::updateDu() {
    du = static_cast<int32_t>(Text::truncated((Timer::now() - ts) * 1000.0));
}

PropertyList TLANEkv::processDictionary(const PropertyList& dictionary) {
    PropertyList cleaned = PropertyList::dictionary();
    const size_t limit = kMaxEntries + (dictionary.contains("__ct__") ? 1 : 0);
    size_t examined = 0;
    for (const auto& [name, value] : dictionary.entries()) {
        if (examined++ >= limit) {
            break;
        }
        if (auto entry = cleanedEntry(name, value)) {
            cleaned.set(entry->first, entry->second);
        }
    }
    return cleaned;
}

std::optional<std::pair<std::string, std::string>> TLANEkv::cleanedEntry(
    const std::string& name, const PropertyList& value) {
    if (!value.isString()) {
        tallyLogWarning();
        return std::nullopt;
    }
    return std::make_pair(TLANUtil::getString(name, kMaxKeyBytes),
                          TLANUtil::getString(*value.asString(), kMaxValueBytes));
}

void TLANEkv::tallyLogWarning() {
    tallyLog("%@",
             "(Warning) Tally event's keys and values must be string ,key's max "
             "length 128 and value's max length 256");
}

TLANJsonValue TLANEkv::attributes() const {
    TLANJsonValue json = TLANJsonValue::dictionary();
    json.set("id", id);
    size_t taken = 0;
    for (const auto& [name, value] : values.entries()) {
        if (taken++ >= kMaxEntries) {
            break;
        }
        if (type == "gkv") {
            if (!value.isNull()) {
                json.set(TLANUtil::getString(name, kMaxKeyBytes),
                         TLANJsonValue::fromPropertyList(value));
            }
            continue;
        }
        if (auto entry = cleanedEntry(name, value)) {
            json.set(entry->first, entry->second);
        }
    }
    if (du >= 1) {
        json.set("du", du);
    }
    json.set("ts", static_cast<int64_t>(ts));
    return json;
}

void TLANEkv::encode(KeyedArchiver& archiver) const {
    TLANBaseEvent::encode(archiver);
    archiver.encodeString("self.id", id);
    archiver.encodeString("self.key", key);
    archiver.encodeValue("self.values", values);
    archiver.encodeInt("self.du", du);
}

void TLANEkv::decode(const KeyedUnarchiver& unarchiver) {
    TLANBaseEvent::decode(unarchiver);
    id = unarchiver.decodeString("self.id");
    key = unarchiver.decodeString("self.key");
    PropertyList stored = unarchiver.decodeValue("self.values");
    values = stored.isDictionary() ? stored : PropertyList::dictionary();
    du = unarchiver.decodeInt("self.du");
}

std::string TLANEkv::fieldsDescription() const {
    return Text::format(",id=%@ du=%i,key=%@,values=%@", id, du, key, values.description());
}

TLANError::TLANError() {
    type = "error";
}

TLANJsonValue TLANError::attributes() const {
    TLANJsonValue json = TLANBaseEvent::attributes();
    json.set("message_type", "error");
    json.set("context", context);
    json.set("session_id", TallyStatInternal::sharedInstance().sessionID());
    return json;
}

void TLANError::encode(KeyedArchiver& archiver) const {
    TLANBaseEvent::encode(archiver);
    archiver.encodeString("self.context", context);
}

void TLANError::decode(const KeyedUnarchiver& unarchiver) {
    TLANBaseEvent::decode(unarchiver);
    context = unarchiver.decodeString("self.context");
}

TLANLaunch::TLANLaunch() {
    type = "launch";
}

TLANTerminate::TLANTerminate(double duration) : duration(duration) {
    type = "terminate";
}

TLANJsonValue TLANTerminate::attributes() const {
    TLANJsonValue json = TLANBaseEvent::attributes();
    json.set("duration", duration);
    if (!pageViews.empty()) {
        TLANJsonValue activities = TLANJsonValue::array();
        for (const PageView& page : pageViews) {
            activities.append(TLANJsonValue::Array{page.first, page.second});
        }
        json.set("activities", activities);
    }
    if (latitude != 0 && longitude != 0) {
        json.set("lat", latitude);
        json.set("lng", longitude);
    }
    if (gps_time > 0) {
        json.set("gps_time", gps_time);
    }
    return json;
}

void TLANTerminate::encode(KeyedArchiver& archiver) const {
    TLANBaseEvent::encode(archiver);
    archiver.encodeDouble("self.duration", duration);
    PropertyList pages = PropertyList::array();
    for (const PageView& page : pageViews) {
        pages.append(PropertyList::Array{PropertyList(page.first), PropertyList(page.second)});
    }
    archiver.encodeValue("self.pageViews", pages);
    archiver.encodeDouble("self.latitude", latitude);
    archiver.encodeDouble("self.longitude", longitude);
    archiver.encodeInt64("self.gps_time", gps_time);
}

void TLANTerminate::decode(const KeyedUnarchiver& unarchiver) {
    TLANBaseEvent::decode(unarchiver);
    duration = unarchiver.decodeDouble("self.duration");
    pageViews.clear();
    PropertyList pages = unarchiver.decodeValue("self.pageViews");
    for (const PropertyList& page : pages.items()) {
        if (page.size() == 2 && page.at(0).isString()) {
            pageViews.emplace_back(page.at(0).toString(),
                                   static_cast<int32_t>(page.at(1).toInteger()));
        }
    }
    latitude = unarchiver.decodeDouble("self.latitude");
    longitude = unarchiver.decodeDouble("self.longitude");
    gps_time = unarchiver.decodeInt64("self.gps_time");
}

std::string TLANTerminate::fieldsDescription() const {
    std::vector<std::string> pages;
    for (const PageView& page : pageViews) {
        pages.push_back(Text::format("(%@, %d)", page.first, page.second));
    }
    return Text::format(" duration=%f,pageViews=(%@),latitude=%f,longitude=%f,gps_time=%qi",
                        duration, Text::join(pages, ", "), latitude, longitude, gps_time);
}
