#pragma once

// The directory-server addresses in fail-over order and the one in use. Made by the
// application delegate from "DirectoryServerUrl1" and "DirectoryServerUrl2" and owned by it.
// Main thread.

#include <string>
#include <vector>

class VKJYDirectoryUrlHelper {
public:
    explicit VKJYDirectoryUrlHelper(std::vector<std::string> urls = {});

    const std::vector<std::string>& urlArray() const { return m_urls; }
    // The address in use; empty when the list is empty.
    std::string availableUrl() const;
    size_t currentIndex() const { return m_current; }
    // Moves to the next address; false (and no move) when none is left.
    bool moveToNextUrl();
    // Back to the first address.
    void reset() { m_current = 0; }

private:
    std::vector<std::string> m_urls;
    size_t m_current = 0;
};
