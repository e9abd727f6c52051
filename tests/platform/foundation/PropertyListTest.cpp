#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "platform/foundation/PropertyList.h"
#include "support/PropertyListPrinter.h"
#include "support/TempFolder.h"

namespace {

PropertyList everyKind() {
    PropertyList inner = PropertyList::dictionary();
    inner.set("zeta", "last letter first");
    inner.set("alpha", 1);
    PropertyList list = PropertyList::array();
    list.append("一");
    list.append(2);
    list.append(inner);
    list.append(PropertyList::array());

    PropertyList root;
    root.set("text", "澜石 <&> \"quoted\" 'single' \t tab");
    root.set("empty", "");
    root.set("negative", -42);
    root.set("large", 9007199254740993LL);
    root.set("real", 0.1);
    root.set("tiny", 1.5e-300);
    root.set("yes", true);
    root.set("no", false);
    root.set("data", Bytes{0, 1, 2, 0xff, 0});
    root.set("emptyData", Bytes{});
    root.set("date", PropertyList::date(1700000000));
    root.set("before2001", PropertyList::date(946684800));
    root.set("reference", PropertyList::uid(7));
    root.set("list", list);
    root.set("nested", inner);
    root.set("emptyDictionary", PropertyList::dictionary());
    return root;
}

std::string writeText(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
    return path;
}

bool sameFolderHasOnly(const std::string& folder, std::size_t count) {
    std::size_t found = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder)) {
        ++found;
    }
    return found == count;
}

// A binary property list of the given objects (one-byte offsets and references), the first
// object at the top.
Bytes binaryPlist(const std::vector<Bytes>& objects) {
    Bytes out = {'b', 'p', 'l', 'i', 's', 't', '0', '0'};
    std::vector<std::uint8_t> offsets;
    for (const Bytes& object : objects) {
        offsets.push_back(static_cast<std::uint8_t>(out.size()));
        out.insert(out.end(), object.begin(), object.end());
    }
    const auto table = static_cast<std::uint8_t>(out.size());
    out.insert(out.end(), offsets.begin(), offsets.end());
    const Bytes trailer = {
        0, 0, 0, 0, 0, 0, 1, 1, 0, 0, 0, 0, 0, 0, 0, static_cast<std::uint8_t>(objects.size()),
        0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, table};
    out.insert(out.end(), trailer.begin(), trailer.end());
    return out;
}

}  // namespace

TEST(PropertyList, shouldRoundTripEveryKindThroughXmlAndBinary) {
    PropertyList root = everyKind();
    for (auto format : {PropertyList::Format::Xml, PropertyList::Format::Binary}) {
        std::optional<PropertyList> back = PropertyList::parse(root.serialize(format));
        ASSERT_TRUE(back);
        EXPECT_EQ(*back, root);
        EXPECT_EQ(back->keys(), root.keys());
        EXPECT_EQ(back->value("nested").keys(), (std::vector<std::string>{"zeta", "alpha"}));
        EXPECT_EQ(back->value("list").at(2).keys(), (std::vector<std::string>{"zeta", "alpha"}));
        EXPECT_EQ(back->value("negative").asInteger(), -42);
        EXPECT_EQ(back->value("large").asInteger(), 9007199254740993LL);
        EXPECT_EQ(back->value("real").asReal(), 0.1);
        EXPECT_EQ(back->value("date").asDate(), 1700000000.0);
        EXPECT_EQ(back->value("reference").asUid(), 7u);
        EXPECT_EQ(back->value("text").asString(), "澜石 <&> \"quoted\" 'single' \t tab");
    }
}

TEST(PropertyList, shouldKeepSubSecondDatesInBinary) {
    PropertyList date = PropertyList::date(1700000000.25);
    auto back = PropertyList::parse(date.toBinary());
    ASSERT_TRUE(back);
    EXPECT_DOUBLE_EQ(back->toDate(), 1700000000.25);
}

TEST(PropertyList, shouldKeepInsertionOrderAndReplaceKeysInPlace) {
    PropertyList dictionary;
    for (const char* key : {"m", "b", "z", "a"}) {
        dictionary.set(key, key);
    }
    dictionary.set("b", 2);
    EXPECT_EQ(dictionary.keys(), (std::vector<std::string>{"m", "b", "z", "a"}));
    EXPECT_EQ(dictionary["b"].asInteger(), 2);
    EXPECT_TRUE(dictionary.remove("z"));
    EXPECT_FALSE(dictionary.remove("z"));
    EXPECT_EQ(dictionary.keys(), (std::vector<std::string>{"m", "b", "a"}));

    PropertyList reordered;
    reordered.set("a", "a");
    reordered.set("b", 2);
    reordered.set("m", "m");
    EXPECT_EQ(reordered, dictionary);
    reordered.set("m", "other");
    EXPECT_FALSE(reordered == dictionary);
}

TEST(PropertyList, shouldReadMissingEntriesAsNullAndGiveDefaults) {
    PropertyList root = everyKind();
    EXPECT_TRUE(root["absent"].isNull());
    EXPECT_TRUE(root["list"].at(99).isNull());
    EXPECT_TRUE(root["text"]["inside a string"].isNull());
    EXPECT_EQ(root["absent"].toString("fallback"), "fallback");
    EXPECT_EQ(root["absent"].toInteger(), 0);
    EXPECT_FALSE(root["absent"].toBool());
    EXPECT_FALSE(root["text"].asInteger());
    EXPECT_FALSE(root["negative"].asString());
    EXPECT_FALSE(root["yes"].asInteger());
    EXPECT_TRUE(root["absent"].toData().empty());
    EXPECT_EQ(root["list"].size(), 4u);
    EXPECT_TRUE(root["list"].items()[3].isArray());
    EXPECT_TRUE(root["text"].entries().empty());
}

TEST(PropertyList, shouldConvertLeniently) {
    struct Row {
        PropertyList value;
        std::string text;
        std::int64_t integer;
        double real;
        bool flag;
    };
    const Row rows[] = {
        {"12abc", "12abc", 12, 12, true},  {"abc", "abc", 0, 0, false},
        {" 3.5", " 3.5", 3, 3.5, true},    {"YES", "YES", 0, 0, true},
        {"0", "0", 0, 0, false},           {10, "10", 10, 10, true},
        {-2.75, "-2.75", -2, -2.75, true}, {true, "1", 1, 1, true},
        {false, "0", 0, 0, false},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(row.value.toString(), row.text);
        EXPECT_EQ(row.value.toInteger(), row.integer) << row.text;
        EXPECT_DOUBLE_EQ(row.value.toDouble(), row.real) << row.text;
        EXPECT_EQ(row.value.toBool(), row.flag) << row.text;
    }
}

TEST(PropertyList, shouldWriteIntoNullButNotIntoOtherKinds) {
    PropertyList list;
    list.append(1);
    EXPECT_TRUE(list.isArray());
    PropertyList text("text");
    text.set("key", 1);
    text.append(1);
    EXPECT_EQ(text.asString(), "text");
    EXPECT_FALSE(text.removeAt(0));
    EXPECT_TRUE(list.removeAt(0));
    EXPECT_EQ(list.size(), 0u);
}

TEST(PropertyList, shouldReadABinaryPlistWrittenByPlistutil) {
    TempFolder folder;
    std::string xml = writeText(folder.file("made.plist"), R"(<?xml version="1.0" encoding="UTF-8"?>
<!DOCTYPE plist PUBLIC "-//Apple//DTD PLIST 1.0//EN" "http://www.apple.com/DTDs/PropertyList-1.0.dtd">
<plist version="1.0">
<dict>
	<key>VKAppName</key>
	<string>VKDZ</string>
	<key>accounts</key>
	<dict>
		<key>88</key>
		<dict>
			<key>环境</key>
			<string>0</string>
		</dict>
	</dict>
	<key>count</key>
	<integer>-3</integer>
	<key>ratio</key>
	<real>2.5</real>
	<key>on</key>
	<true/>
	<key>when</key>
	<date>2001-01-02T00:00:00Z</date>
	<key>blob</key>
	<data>AAEC/w==</data>
	<key>ids</key>
	<array>
		<string>12_1</string>
		<string>13_2</string>
	</array>
</dict>
</plist>
)");
    std::string binary = folder.file("made.bplist");
    std::string command = "plistutil -i '" + xml + "' -o '" + binary + "' -f bin";
    ASSERT_EQ(std::system(command.c_str()), 0);

    std::optional<PropertyList> read = PropertyList::readFile(binary);
    ASSERT_TRUE(read);
    EXPECT_EQ(read->keys(), (std::vector<std::string>{"VKAppName", "accounts", "count", "ratio",
                                                      "on", "when", "blob", "ids"}));
    EXPECT_EQ((*read)["VKAppName"].asString(), "VKDZ");
    EXPECT_EQ((*read)["accounts"]["88"]["环境"].asString(), "0");
    EXPECT_EQ((*read)["count"].asInteger(), -3);
    EXPECT_EQ((*read)["ratio"].asReal(), 2.5);
    EXPECT_EQ((*read)["on"].asBool(), true);
    EXPECT_EQ((*read)["when"].asDate(), 978307200.0 + 86400);
    EXPECT_EQ((*read)["blob"].asData(), (Bytes{0, 1, 2, 0xff}));
    EXPECT_EQ((*read)["ids"].at(1).asString(), "13_2");
    EXPECT_EQ(PropertyList::readFile(xml), read);
}

TEST(PropertyList, shouldReadAHandAssembledBinaryPlist) {
    // {"a": 1, "b": "中"}: five objects, one-byte offsets and references, top object 0.
    Bytes bytes = {'b', 'p', 'l', 'i', 's', 't', '0', '0', 0xd2, 1, 2, 3,
                   4,                                                // dictionary: keys 1 and 2,
                                                                     // values 3 and 4
                   0x51, 'a', 0x51, 'b', 0x10, 1, 0x61, 0x4e, 0x2d,  // one UTF-16 unit, big-endian
                   8, 13, 15, 17, 19,                                // offset table at 22
                   0, 0, 0, 0, 0, 0, 1, 1, 0, 0, 0, 0, 0, 0, 0, 5, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
                   0, 0, 0, 0, 22};
    std::optional<PropertyList> read = PropertyList::parse(bytes);
    ASSERT_TRUE(read);
    EXPECT_EQ((*read)["a"].asInteger(), 1);
    EXPECT_EQ((*read)["b"].asString(), "中");
}

TEST(PropertyList, shouldRefuseGarbageAndSurviveTruncation) {
    EXPECT_FALSE(PropertyList::parse(Bytes{}));
    EXPECT_FALSE(PropertyList::parse(std::string_view("not a plist at all")));
    EXPECT_FALSE(PropertyList::parse(std::string_view("<plist><dict><key>a</key>")));
    // An array whose only element is itself.
    Bytes loop = {'b', 'p', 'l', 'i', 's', 't', '0', '0', 0xa1, 0, 8, 0, 0, 0, 0,
                  0,   0,   1,   1,   0,   0,   0,   0,   0,    0, 0, 1, 0, 0, 0,
                  0,   0,   0,   0,   0,   0,   0,   0,   0,    0, 0, 0, 0, 0, 10};
    EXPECT_FALSE(PropertyList::parse(loop));
    Bytes binary = everyKind().toBinary();
    for (std::size_t length = 0; length < binary.size(); ++length) {
        PropertyList::parse(Bytes(binary.begin(), binary.begin() + length));
    }
    for (std::size_t i = 8; i < binary.size(); i += 3) {
        Bytes corrupted = binary;
        corrupted[i] ^= 0x5a;
        PropertyList::parse(corrupted);
    }
    std::string xml = everyKind().toXml();
    for (std::size_t length = 0; length < xml.size(); length += 7) {
        PropertyList::parse(std::string_view(xml).substr(0, length));
    }
}

TEST(PropertyList, shouldWriteFilesWholeAndLeaveNoTemporaryFile) {
    TempFolder folder;
    std::string path = folder.file("AccountsMessage.plist");
    PropertyList first;
    first.set("version", 1);
    ASSERT_TRUE(first.writeFile(path));
    PropertyList second = everyKind();
    ASSERT_TRUE(second.writeFile(path, PropertyList::Format::Binary));
    EXPECT_EQ(PropertyList::readFile(path), second);
    EXPECT_TRUE(sameFolderHasOnly(folder.path(), 1));
    EXPECT_FALSE(PropertyList().writeFile(folder.file("null.plist")));
    EXPECT_FALSE(first.writeFile(folder.file("missing/inside.plist")));
    EXPECT_FALSE(PropertyList::readFile(folder.file("absent.plist")));
}

TEST(PropertyList, shouldReadBinaryTextsReferencesAndKeysAsTheirWritersMeantThem) {
    // UTF-16 with a surrogate pair.
    EXPECT_EQ(PropertyList::parse(binaryPlist({{0x62, 0xd8, 0x3d, 0xde, 0x00}})),
              PropertyList("\xF0\x9F\x98\x80"));
    // A leaf shared by several references is read for each.
    const auto shared = PropertyList::parse(binaryPlist({{0xa3, 1, 1, 1}, {0x52, 'a', 'b'}}));
    ASSERT_TRUE(shared);
    EXPECT_EQ(*shared, PropertyList(PropertyList::Array{"ab", "ab", "ab"}));
    // A repeated key keeps its place and its last value.
    const auto repeated =
        PropertyList::parse(binaryPlist({{0xd2, 1, 1, 2, 3}, {0x51, 'k'}, {0x10, 1}, {0x10, 2}}));
    ASSERT_TRUE(repeated);
    EXPECT_EQ(repeated->keys(), (std::vector<std::string>{"k"}));
    EXPECT_EQ(repeated->value("k").toInteger(), 2);
}

TEST(PropertyList, shouldRefuseBinaryListsThatCannotStandForATree) {
    const std::vector<Bytes> refused[] = {
        {{0xa1, 0}},                           // an array that holds itself
        {{0x61, 0xd8, 0x3d}},                  // an unpaired surrogate
        {{0xd1, 1, 2}, {0x10, 1}, {0x10, 2}},  // a key that is no text
        {{0xa2, 1, 9}, {0x10, 1}},             // a reference past the objects
        {{0x5f, 0x10, 0x7f}},                  // a text longer than the file
    };
    for (const auto& objects : refused) {
        EXPECT_FALSE(PropertyList::parse(binaryPlist(objects))) << objects.front().size();
    }
}

TEST(PropertyList, shouldRefuseABinaryListWhoseSharedSubtreesExpandBeyondItsBudget) {
    // Each level is an array holding the level below twice: 2^30 leaves from a few bytes.
    std::vector<Bytes> levels;
    for (std::uint8_t i = 0; i < 30; ++i) {
        levels.push_back(
            {0xa2, static_cast<std::uint8_t>(i + 1), static_cast<std::uint8_t>(i + 1)});
    }
    levels.push_back({0x10, 1});
    EXPECT_FALSE(PropertyList::parse(binaryPlist(levels)));
    // Eight levels (256 leaves) are within the budget of a small file.
    std::vector<Bytes> small(levels.end() - 9, levels.end());
    for (std::uint8_t i = 0; i < 8; ++i) {
        small[i] = {0xa2, static_cast<std::uint8_t>(i + 1), static_cast<std::uint8_t>(i + 1)};
    }
    EXPECT_TRUE(PropertyList::parse(binaryPlist(small)));
}
