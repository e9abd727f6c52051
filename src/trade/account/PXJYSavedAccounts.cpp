#include "trade/account/PXJYSavedAccounts.h"

#include "platform/foundation/PropertyList.h"

std::vector<PXJYSavedAccounts::Environment> PXJYSavedAccounts::load(const std::string& path,
                                                                    const std::string& platform) {
    std::vector<Environment> found;
    const auto file = PropertyList::readFile(path);
    if (!file) {
        return found;
    }
    const PropertyList& environments = file->value(platform);
    if (!environments.isDictionary()) {
        return found;
    }
    for (const auto& [code, accounts] : environments.entries()) {
        if (accounts.isDictionary() && accounts.size() > 0) {
            found.push_back({code, accounts.keys()});
        }
    }
    return found;
}

bool PXJYSavedAccounts::remove(const std::string& path, const std::string& platform,
                               const std::string& environment, const std::string& name) {
    auto file = PropertyList::readFile(path);
    if (!file) {
        return false;
    }
    if (PropertyList* environments = file->find(platform)) {
        if (PropertyList* accounts = environments->find(environment)) {
            accounts->remove(name);
        }
    }
    return file->writeFile(path);
}
