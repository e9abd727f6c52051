#include "trade/login/PXJYSavedAccounts.h"

#include "platform/foundation/PropertyList.h"
#include "shell/VKJYAppDelegate.h"

namespace {
PropertyList readDictionary(const std::string& path) {
    auto file = PropertyList::readFile(path);
    return file && file->isDictionary() ? *file : PropertyList::dictionary();
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
    auto file = PropertyList::readFile(m_path);
    // An unreadable file is left as it is rather than replaced by one account.
    if (file && !file->isDictionary()) {
        return false;
    }
    PropertyList accounts = file ? *file : PropertyList::dictionary();
    PropertyList& environment =
        dictionaryEntry(dictionaryEntry(accounts, account.platformCode), account.environmentCode);
    if (environment.contains(account.userName)) {
        return true;
    }
    environment.set(account.userName, "0");
    return accounts.writeFile(m_path);
}

bool PXJYSavedAccounts::removeAccount(const PXJYSavedAccount& account) const {
    auto file = PropertyList::readFile(m_path);
    if (!file || !file->isDictionary()) {
        return false;
    }
    if (PropertyList* platform = file->find(account.platformCode)) {
        if (PropertyList* environment = platform->find(account.environmentCode)) {
            environment->remove(account.userName);
        }
    }
    return file->writeFile(m_path);
}
