#include "platform/foundation/PropertyListSalvage.h"

#include <algorithm>
#include <cctype>
#include <optional>
#include <string>

namespace {

constexpr std::size_t kMissing = std::string_view::npos;
constexpr std::string_view kBom = "\xef\xbb\xbf";
constexpr std::string_view kHead =
    R"(<?xml version="1.0" encoding="UTF-8"?><plist version="1.0"><dict>)";
constexpr std::string_view kTail = "</dict></plist>";
constexpr int kDeepestSalvage = 8;

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// Past blanks and comments from `at`.
std::size_t skipFiller(std::string_view text, std::size_t at) {
    for (;;) {
        while (at < text.size() && isBlank(text[at])) {
            ++at;
        }
        if (text.substr(at, 4) != "<!--") {
            return at;
        }
        const std::size_t end = text.find("-->", at + 4);
        if (end == kMissing) {
            return text.size();
        }
        at = end + 3;
    }
}

bool isMarkup(std::string_view text) {
    if (text.starts_with(kBom)) {
        text.remove_prefix(kBom.size());
    }
    const std::size_t first = skipFiller(text, 0);
    return first < text.size() && text[first] == '<';
}

// Whether the tag at `at` opens an element `name` that holds content (not <name/>); `close`
// is where its '>' is.
bool opensElement(std::string_view text, std::size_t at, std::string_view name,
                  std::size_t& close) {
    const std::size_t after = at + 1 + name.size();
    if (text.substr(at + 1, name.size()) != name || after >= text.size() ||
        (text[after] != '>' && !isBlank(text[after]) && text[after] != '/')) {
        return false;
    }
    close = text.find('>', after);
    return close != kMissing && text[close - 1] != '/';
}

// Just past the element that starts at `at`, or kMissing when it is cut short.
std::size_t elementEnd(std::string_view text, std::size_t at) {
    std::size_t nameEnd = at + 1;
    while (nameEnd < text.size() && std::isalpha(static_cast<unsigned char>(text[nameEnd]))) {
        ++nameEnd;
    }
    const std::string_view name = text.substr(at + 1, nameEnd - at - 1);
    const std::size_t open = text.find('>', nameEnd);
    if (name.empty() || open == kMissing) {
        return kMissing;
    }
    if (text[open - 1] == '/') {
        return open + 1;
    }
    if (name != "dict" && name != "array") {
        // Text holds no markup: the value ends with the next tag, whatever it is (a spoilt
        // closing tag spoils this value only).
        const std::size_t tag = text.find('<', open + 1);
        const std::size_t close = tag == kMissing ? kMissing : text.find('>', tag);
        return close == kMissing ? kMissing : close + 1;
    }
    const std::string closing = "</" + std::string(name) + ">";
    int depth = 1;
    std::size_t from = open + 1;
    while (depth > 0) {
        const std::size_t tag = text.find('<', from);
        if (tag == kMissing) {
            return kMissing;
        }
        std::size_t close = tag;
        if (text.substr(tag, closing.size()) == closing) {
            --depth;
            close = tag + closing.size() - 1;
        } else if (opensElement(text, tag, name, close)) {
            ++depth;
        }
        from = close + 1;
    }
    return from;
}

// The one entry of `entry` (a key and its value) when it reads as a property list.
std::optional<PropertyList::Entry> readEntry(std::string_view entry) {
    std::string document(kHead);
    document.append(entry).append(kTail);
    const std::optional<PropertyList> read = PropertyList::parse(std::string_view(document));
    if (!read || !read->isDictionary() || read->size() != 1) {
        return std::nullopt;
    }
    return read->entries().front();
}

PropertyList dictionaryAt(std::string_view text, int depth);

// A dictionary value that cannot be read whole (spoilt inside, or cut short) keeps what can be
// read of it, entry by entry, a few levels deep (a crafted file may nest without end).
void salvageDictionary(std::string_view key, std::string_view value, int depth,
                       PropertyList& into) {
    if (depth >= kDeepestSalvage || !value.starts_with("<dict>")) {
        return;
    }
    std::string keyOnly(key);
    keyOnly.append("<true/>");
    const auto named = readEntry(keyOnly);
    PropertyList inner = dictionaryAt(value, depth + 1);
    if (named && inner.size() > 0) {
        into.set(named->first, std::move(inner));
    }
}

PropertyList dictionaryAt(std::string_view text, int depth) {
    PropertyList entries = PropertyList::dictionary();
    std::size_t at = text.find("<dict>");
    if (!isMarkup(text) || at == kMissing) {
        return entries;
    }
    at += 6;
    for (;;) {
        at = skipFiller(text, at);
        const std::size_t keyEnd = text.find("</key>", at);
        if (!text.substr(at).starts_with("<key>") || keyEnd == kMissing) {
            return entries;
        }
        const std::string_view key = text.substr(at, keyEnd + 6 - at);
        const std::size_t valueAt = skipFiller(text, keyEnd + 6);
        const std::size_t end =
            valueAt < text.size() && text[valueAt] == '<' ? elementEnd(text, valueAt) : kMissing;
        if (end == kMissing) {
            salvageDictionary(key, text.substr(std::min(valueAt, text.size())), depth, entries);
            return entries;
        }
        if (auto entry = readEntry(text.substr(at, end - at))) {
            entries.set(entry->first, std::move(entry->second));
        } else {
            salvageDictionary(key, text.substr(valueAt, end - valueAt), depth, entries);
        }
        at = end;
    }
}

}  // namespace

PropertyList PropertyListSalvage::xmlDictionary(std::string_view text) {
    return dictionaryAt(text, 0);
}
