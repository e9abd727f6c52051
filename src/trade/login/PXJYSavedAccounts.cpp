#include "trade/login/PXJYSavedAccounts.h"

#include <filesystem>

#include "platform/foundation/PropertyList.h"
#include "shell/VKJYAppDelegate.h"
#include "trade/core/PXTradePeiZhi.h"

namespace {
PropertyList readDictionary(const std::string& path) {
    return PXTradePeiZhi::readAccountsFile(path).values;
}

std::vector<std::string> keysOf(const PropertyList& entry) {
    return entry.isDictionary() ? entry.keys() : std::vector<std::string>();
}

// The entry under key, made an empty dictionary when it is missing or not one.
PropertyList& dictionaryEntry(PropertyList& parent, const std::string& key) {
    PropertyList* entry = parent.find(key);
    if (!entry || !entry->isDictionary()) {
        parent.set(key, PropertyList::dictionary());
        entry = parent.find(key);
    }
    return *entry;
}
}  // namespace

PXJYSavedAccounts PXJYSavedAccounts::ofApplication() {
    auto* app = VKJYAppDelegate::shared();
    return PXJYSavedAccounts(app ? app->accountInfoFilePath() : std::string());
}

std::vector<std::string> PXJYSavedAccounts::accounts(const std::string& platform,
                                                     const std::string& environment) const {
    return keysOf(readDictionary(m_path)[platform][environment]);
}

std::vector<std::pair<std::string, std::vector<std::string>>> PXJYSavedAccounts::environments(
    const std::string& platform) const {
    const PropertyList file = readDictionary(m_path);
    std::vector<std::pair<std::string, std::vector<std::string>>> result;
    for (const std::string& environment : keysOf(file[platform])) {
        auto names = keysOf(file[platform][environment]);
        if (!names.empty()) {
            result.emplace_back(environment, std::move(names));
        }
    }
    return result;
}

std::vector<PXJYSavedAccount> PXJYSavedAccounts::allAccounts() const {
    const PropertyList file = readDictionary(m_path);
    std::vector<PXJYSavedAccount> result;
    for (const std::string& platform : keysOf(file)) {
        for (const std::string& environment : keysOf(file[platform])) {
            for (const std::string& name : keysOf(file[platform][environment])) {
                result.push_back({platform, environment, name});
            }
        }
    }
    return result;
}

bool PXJYSavedAccounts::addAccount(const PXJYSavedAccount& account) const {
    DictionaryFile::Contents file = PXTradePeiZhi::readAccountsFile(m_path);
    // A damaged file that could not be kept aside is not written over.
    if (!file.writable) {
        return false;
    }
    PropertyList& environment = dictionaryEntry(dictionaryEntry(file.values, account.platformCode),
                                                account.environmentCode);
    if (environment.contains(account.userName)) {
        return true;
    }
    environment.set(account.userName, "0");
    return file.values.writeFile(m_path);
}

bool PXJYSavedAccounts::removeAccount(const PXJYSavedAccount& account) const {
    if (!std::filesystem::exists(m_path)) {
        return false;
    }
    DictionaryFile::Contents file = PXTradePeiZhi::readAccountsFile(m_path);
    if (!file.writable) {
        return false;
    }
    if (PropertyList* platform = file.values.find(account.platformCode)) {
        if (PropertyList* environment = platform->find(account.environmentCode)) {
            environment->remove(account.userName);
        }
    }
    return file.values.writeFile(m_path);
}
