#pragma once

// The saved-accounts file "AccountsMessage.plist": platform code -> environment code ->
// account -> "0", in the file's key order. Reads never fail (a missing file holds no accounts;
// a damaged one holds what can still be read of it, and is kept aside with a line in the day
// log); a write replaces the file atomically and never drops an account. Main thread.

#include <string>
#include <vector>

// One saved account with where it logs in.
struct PXJYSavedAccount {
    std::string platformCode;
    std::string environmentCode;
    std::string userName;

    bool operator==(const PXJYSavedAccount&) const = default;
};

class PXJYSavedAccounts {
public:
    explicit PXJYSavedAccounts(std::string path) : m_path(std::move(path)) {}
    // The application's file (the application delegate's accountInfoFilePath).
    static PXJYSavedAccounts ofApplication();

    // The accounts of one platform and environment.
    std::vector<std::string> accounts(const std::string& platform,
                                      const std::string& environment) const;
    // The environments of a platform that hold accounts, each with its accounts.
    std::vector<std::pair<std::string, std::vector<std::string>>> environments(
        const std::string& platform) const;
    // Every account, walking platforms, then environments, then accounts.
    std::vector<PXJYSavedAccount> allAccounts() const;
    // Adds the account under its platform and environment unless it is there; false when the
    // file could not be written.
    bool addAccount(const PXJYSavedAccount& account) const;
    // Removes the account and writes the whole file back, also when it was not there, so an
    // emptied environment stays as an empty dictionary. False for a missing file, and when the
    // file could not be written (or was damaged and could not be kept aside).
    bool removeAccount(const PXJYSavedAccount& account) const;

private:
    std::string m_path;
};
