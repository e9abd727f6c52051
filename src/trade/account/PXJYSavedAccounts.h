#pragma once

// The saved-accounts file ("AccountsMessage.plist": platform code -> environment code ->
// account name -> "0") as the account screen lists and edits it. Class operations; main thread.

#include <string>
#include <vector>

class PXJYSavedAccounts {
public:
    // One environment of a platform that still holds accounts, its names in file order.
    struct Environment {
        std::string code;
        std::vector<std::string> names;
    };

    // The environments of the platform with at least one account, in file order; none for a
    // missing or unreadable file.
    static std::vector<Environment> load(const std::string& path, const std::string& platform);
    // Removes the name from the environment and writes the whole file back, atomically, also
    // when it held no such name, so an emptied environment stays as an empty dictionary. An
    // unreadable file is left alone. True when the file was written.
    static bool remove(const std::string& path, const std::string& platform,
                       const std::string& environment, const std::string& name);
};
