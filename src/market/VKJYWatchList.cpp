#include "market/VKJYWatchList.h"

#include <algorithm>

#include "platform/foundation/Paths.h"
#include "platform/foundation/PropertyList.h"
#include "quote/QuoteRecords.h"

std::string VKJYWatchList::filePath() {
    return Paths::join(Paths::library(), kFileName);
}

std::string VKJYWatchList::keyOf(const commodityInfo& commodity) {
    return std::to_string(commodity.CommodityID) + "_" + std::to_string(commodity.panindex);
}

std::vector<std::string> VKJYWatchList::readFile() {
    std::vector<std::string> keys;
    const auto list = PropertyList::readFile(filePath());
    if (!list || !list->isArray()) {
        return keys;
    }
    for (std::size_t i = 0; i < list->size(); ++i) {
        if (auto key = list->at(i).asString()) {
            keys.push_back(*key);
        }
    }
    return keys;
}

void VKJYWatchList::reload() {
    m_keys = readFile();
}

bool VKJYWatchList::contains(const std::string& key) const {
    return std::find(m_keys.begin(), m_keys.end(), key) != m_keys.end();
}

VKJYWatchList::AddResult VKJYWatchList::add(const std::string& key, Limit limit) {
    if (contains(key)) {
        return AddResult::AlreadyListed;
    }
    if (limit == Limit::Applied && isFull()) {
        return AddResult::Full;
    }
    m_keys.push_back(key);
    if (!save()) {
        m_keys.pop_back();
        return AddResult::NotSaved;
    }
    return AddResult::Added;
}

bool VKJYWatchList::remove(const std::string& key) {
    if (!contains(key)) {
        return false;
    }
    const auto before = m_keys;
    std::erase(m_keys, key);
    if (!save()) {
        m_keys = before;
        return false;
    }
    return true;
}

bool VKJYWatchList::save() const {
    return writeFile(m_keys);
}

bool VKJYWatchList::writeFile(const std::vector<std::string>& keys) {
    PropertyList list = PropertyList::array();
    for (const auto& key : keys) {
        list.append(key);
    }
    return list.writeFile(filePath());
}
