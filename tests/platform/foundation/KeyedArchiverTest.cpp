#include <gtest/gtest.h>

#include <random>

#include "platform/foundation/KeyedArchiver.h"
#include "platform/foundation/KeyedUnarchiver.h"
#include "support/PropertyListPrinter.h"

namespace {

class Page : public Archivable {
public:
    std::string name;
    std::int64_t seconds = 0;

    std::string archiveClassName() const override { return "Page"; }
    void encode(KeyedArchiver& archiver) const override {
        archiver.encodeString("self.name", name);
        archiver.encodeInt64("self.seconds", seconds);
    }
    void decode(const KeyedUnarchiver& unarchiver) override {
        name = unarchiver.decodeString("self.name");
        seconds = unarchiver.decodeInt64("self.seconds");
    }
};

class Record : public Archivable {
public:
    double ts = 0;
    std::int32_t count = -1;
    std::int64_t millis = 0;
    bool sending = false;
    std::string label = "unset";
    Bytes signature;
    PropertyList values;
    std::shared_ptr<Page> page;
    std::vector<std::shared_ptr<Page>> pages;
    const Record* self = nullptr;
    bool sawSelf = false;

    std::string archiveClassName() const override { return "Record"; }
    void encode(KeyedArchiver& archiver) const override {
        archiver.encodeDouble("self.ts", ts);
        archiver.encodeInt("self.acc", count);
        archiver.encodeInt64("self.gps_time", millis);
        archiver.encodeBool("self.sendingFlag", sending);
        archiver.encodeString("self.label", label);
        archiver.encodeData("self.signature", signature);
        archiver.encodeValue("self.values", values);
        archiver.encodeObject("self.page", page.get());
        archiver.encodeObjects("self.pages", pages);
        archiver.encodeObject("self.self", self);
    }
    void decode(const KeyedUnarchiver& unarchiver) override {
        ts = unarchiver.decodeDouble("self.ts");
        if (unarchiver.containsValue("self.acc")) {
            count = unarchiver.decodeInt("self.acc");
        }
        millis = unarchiver.decodeInt64("self.gps_time");
        sending = unarchiver.decodeBool("self.sendingFlag");
        if (unarchiver.containsValue("self.label")) {
            label = unarchiver.decodeString("self.label");
        }
        signature = unarchiver.decodeData("self.signature");
        values = unarchiver.decodeValue("self.values");
        page = unarchiver.decodeObject<Page>("self.page");
        pages = unarchiver.decodeObjects<Page>("self.pages");
        sawSelf = unarchiver.decodeObject<Record>("self.self") != nullptr;
    }
};

std::shared_ptr<Page> makePage(std::string name, std::int64_t seconds) {
    auto page = std::make_shared<Page>();
    page->name = std::move(name);
    page->seconds = seconds;
    return page;
}

Record filledRecord() {
    Record record;
    record.ts = 1700000000.125;
    record.count = 7;
    record.millis = 1700000000125LL;
    record.sending = true;
    record.label = "标签";
    record.signature = Bytes{1, 2, 0, 255};
    record.values.set("z", "last");
    record.values.set("a", 1);
    record.values.set("when", PropertyList::date(1700000000));
    PropertyList pair = PropertyList::array();
    pair.append("行情");
    pair.append(12);
    record.values.set("pair", pair);
    record.page = makePage("market", 30);
    record.pages = {makePage("trade", 5), record.page, makePage("more", 0)};
    return record;
}

}  // namespace

TEST(KeyedArchiver, shouldRoundTripEveryFieldKind) {
    Record record = filledRecord();
    std::shared_ptr<Record> back =
        KeyedUnarchiver::unarchiveObject<Record>(KeyedArchiver::archivedData(record));
    ASSERT_TRUE(back);
    EXPECT_EQ(back->ts, record.ts);
    EXPECT_EQ(back->count, 7);
    EXPECT_EQ(back->millis, 1700000000125LL);
    EXPECT_TRUE(back->sending);
    EXPECT_EQ(back->label, "标签");
    EXPECT_EQ(back->signature, record.signature);
    EXPECT_EQ(back->values, record.values);
    EXPECT_EQ(back->values.keys(), record.values.keys());
    ASSERT_TRUE(back->page);
    EXPECT_EQ(back->page->name, "market");
    ASSERT_EQ(back->pages.size(), 3u);
    EXPECT_EQ(back->pages[0]->name, "trade");
    EXPECT_EQ(back->pages[2]->seconds, 0);
    // The page encoded twice is one object in the archive and one object after reading.
    EXPECT_EQ(back->pages[1], back->page);
}

TEST(KeyedArchiver, shouldWriteTheKeyedArchiveLayout) {
    Record record = filledRecord();
    std::optional<PropertyList> archive = PropertyList::parse(KeyedArchiver::archivedData(record));
    ASSERT_TRUE(archive);
    EXPECT_EQ((*archive)["$archiver"].asString(), "NSKeyedArchiver");
    EXPECT_EQ((*archive)["$version"].asInteger(), 100000);
    const PropertyList& objects = (*archive)["$objects"];
    EXPECT_EQ(objects.at(0).asString(), "$null");
    std::optional<std::uint64_t> rootIndex = (*archive)["$top"]["root"].asUid();
    ASSERT_TRUE(rootIndex);
    const PropertyList& root = objects.at(*rootIndex);
    EXPECT_EQ(root["self.acc"].asInteger(), 7);
    EXPECT_EQ(root["self.ts"].asReal(), 1700000000.125);
    EXPECT_EQ(root["self.sendingFlag"].asBool(), true);
    EXPECT_EQ(objects.at(*root["self.label"].asUid()).asString(), "标签");
    EXPECT_EQ(root["self.self"].asUid(), 0u);
    const PropertyList& classEntry = objects.at(*root["$class"].asUid());
    EXPECT_EQ(classEntry["$classname"].asString(), "Record");
    EXPECT_EQ(classEntry["$classes"].at(0).asString(), "Record");
    const PropertyList& pages = objects.at(*root["self.pages"].asUid());
    EXPECT_EQ(objects.at(*pages["$class"].asUid())["$classname"].asString(), "NSArray");
    EXPECT_EQ(pages["NS.objects"].size(), 3u);
    const PropertyList& values = objects.at(*root["self.values"].asUid());
    EXPECT_EQ(objects.at(*values["NS.keys"].at(0).asUid()).asString(), "z");
}

TEST(KeyedArchiver, shouldKeepDefaultsForMissingKeysAndRefuseOtherClasses) {
    Page page = *makePage("only a page", 3);
    Bytes data = KeyedArchiver::archivedData(page);
    EXPECT_FALSE(KeyedUnarchiver::unarchiveObject<Record>(data));
    ASSERT_TRUE(KeyedUnarchiver::unarchiveObject<Page>(data));
    EXPECT_EQ(KeyedUnarchiver::unarchiveObject<Page>(data)->name, "only a page");

    Record empty;
    empty.label = "";
    std::shared_ptr<Record> back =
        KeyedUnarchiver::unarchiveObject<Record>(KeyedArchiver::archivedData(empty));
    ASSERT_TRUE(back);
    EXPECT_EQ(back->label, "");
    EXPECT_FALSE(back->page);
    EXPECT_TRUE(back->pages.empty());
    EXPECT_TRUE(back->values.isNull());
}

TEST(KeyedArchiver, shouldBreakAnObjectThatRefersToItself) {
    Record record = filledRecord();
    record.self = &record;
    std::shared_ptr<Record> back =
        KeyedUnarchiver::unarchiveObject<Record>(KeyedArchiver::archivedData(record));
    ASSERT_TRUE(back);
    EXPECT_FALSE(back->sawSelf);
    EXPECT_EQ(back->count, 7);
}

TEST(KeyedArchiver, shouldArchiveAListOfObjectsAsTheRoot) {
    std::vector<std::shared_ptr<Page>> pages = {makePage("a", 1), makePage("b", 2)};
    Bytes data = KeyedArchiver::archivedData(pages);
    auto back = KeyedUnarchiver::unarchiveObjects<Page>(data);
    ASSERT_EQ(back.size(), 2u);
    EXPECT_EQ(back[1]->name, "b");
    EXPECT_TRUE(KeyedUnarchiver::unarchiveObjects<Record>(data).empty());
    auto any = KeyedUnarchiver::unarchiveObjects(
        data, [](std::string_view name) -> std::shared_ptr<Archivable> {
            return name == "Page" ? std::make_shared<Page>() : nullptr;
        });
    EXPECT_EQ(any.size(), 2u);
}

TEST(KeyedArchiver, shouldRoundTripPlainValues) {
    PropertyList slot;
    slot.set("SharedUDID", "3F2504E0-4F89-11D3-9A0C-0305E82C3301");
    slot.set("SharedUDID_createdTS", PropertyList::date(1700000000.5));
    slot.set("nested", filledRecord().values);
    slot.set("flags", PropertyList(PropertyList::Array{true, 2.5, Bytes{9}}));
    PropertyList back = KeyedUnarchiver::unarchiveValue(KeyedArchiver::archivedData(slot));
    EXPECT_EQ(back, slot);
    EXPECT_EQ(back.keys(), slot.keys());
    EXPECT_EQ(KeyedUnarchiver::unarchiveValue(KeyedArchiver::archivedData(PropertyList("x"))),
              PropertyList("x"));
}

TEST(KeyedArchiver, shouldReadTheMutableFormsOtherWritersUse) {
    // An archive in XML with mutable container and string classes, as other archivers write.
    std::string xml = R"(<?xml version="1.0" encoding="UTF-8"?>
<plist version="1.0"><dict>
<key>$archiver</key><string>NSKeyedArchiver</string>
<key>$objects</key><array>
  <string>$null</string>
  <dict><key>NS.keys</key><array><dict><key>CF$UID</key><integer>2</integer></dict></array>
        <key>NS.objects</key><array><dict><key>CF$UID</key><integer>3</integer></dict></array>
        <key>$class</key><dict><key>CF$UID</key><integer>5</integer></dict></dict>
  <string>name</string>
  <dict><key>NS.string</key><string>可变</string>
        <key>$class</key><dict><key>CF$UID</key><integer>4</integer></dict></dict>
  <dict><key>$classname</key><string>NSMutableString</string></dict>
  <dict><key>$classname</key><string>NSMutableDictionary</string></dict>
</array>
<key>$top</key><dict><key>root</key><dict><key>CF$UID</key><integer>1</integer></dict></dict>
<key>$version</key><integer>100000</integer>
</dict></plist>)";
    PropertyList value = KeyedUnarchiver::unarchiveValue(Bytes(xml.begin(), xml.end()));
    EXPECT_EQ(value["name"].asString(), "可变");
}

TEST(KeyedArchiver, shouldReadDamagedOrForeignDataAsEmpty) {
    Bytes good = KeyedArchiver::archivedData(filledRecord());
    EXPECT_FALSE(KeyedUnarchiver::unarchiveObject<Record>(Bytes{}));
    EXPECT_TRUE(KeyedUnarchiver::unarchiveValue(Bytes{'x'}).isNull());
    PropertyList notAnArchive;
    notAnArchive.set("$objects", "not a list");
    EXPECT_FALSE(KeyedUnarchiver::unarchiveObject<Record>(notAnArchive.toBinary()));

    for (std::size_t length = 0; length < good.size(); ++length) {
        KeyedUnarchiver::unarchiveObject<Record>(Bytes(good.begin(), good.begin() + length));
    }
    std::mt19937 random(20261206);
    for (int round = 0; round < 400; ++round) {
        Bytes damaged = good;
        for (int flips = 0; flips < 1 + round % 4; ++flips) {
            damaged[random() % damaged.size()] = static_cast<std::uint8_t>(random());
        }
        auto record = KeyedUnarchiver::unarchiveObject<Record>(damaged);
        KeyedUnarchiver::unarchiveValue(damaged);
        if (record) {
            EXPECT_LE(record->pages.size(), 3u);
        }
    }
}

TEST(KeyedArchiver, shouldReadReferencesOutOfRangeOrInLoopsAsEmpty) {
    std::optional<PropertyList> archive =
        PropertyList::parse(KeyedArchiver::archivedData(filledRecord()));
    ASSERT_TRUE(archive);
    std::size_t rootIndex = static_cast<std::size_t>(*(*archive)["$top"]["root"].asUid());
    PropertyList* objects = archive->find("$objects");
    PropertyList* root = objects->find(rootIndex);
    root->set("self.page", PropertyList::uid(999999));
    root->set("self.label", PropertyList::uid(rootIndex));
    root->set("self.values", PropertyList::uid(rootIndex));
    PropertyList loop;
    loop.set("NS.objects", PropertyList(PropertyList::Array{PropertyList::uid(objects->size())}));
    loop.set("$class", (*root)["self.pages"].asUid()
                           ? (*objects).at(*(*root)["self.pages"].asUid())["$class"]
                           : PropertyList());
    objects->append(loop);
    // Appending may move the array's elements.
    root = objects->find(rootIndex);
    root->set("self.pages", PropertyList::uid(objects->size() - 1));

    std::shared_ptr<Record> back = KeyedUnarchiver::unarchiveObject<Record>(archive->toBinary());
    ASSERT_TRUE(back);
    EXPECT_FALSE(back->page);
    EXPECT_EQ(back->label, "");
    EXPECT_TRUE(back->values.isNull());
    EXPECT_TRUE(back->pages.empty());
    EXPECT_EQ(back->count, 7);
}
