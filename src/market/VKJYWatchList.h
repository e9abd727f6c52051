#pragma once

// The watch list: watch keys ("<CommodityID>_<panindex>") in the order of adding, kept in the
// shared quote state's HQChooseCommodityIDArray and written whole, atomically, to
// "chooseCommodity.plist" in the library folder after every change. One rule for every writer:
// a key is listed once, and an add the user asks for is refused at kLimit entries; the
// directory's first-launch entries and the held commodities join past it. Operates on the
// array it is given (not owned). Main thread.

#include <cstddef>
#include <string>
#include <vector>

struct commodityInfo;

class VKJYWatchList {
public:
    static constexpr const char* kFileName = "chooseCommodity.plist";
    static constexpr std::size_t kLimit = 8;

    enum class AddResult { Added, AlreadyListed, Full, NotSaved };
    enum class Limit { Applied, Lifted };

    explicit VKJYWatchList(std::vector<std::string>& keys) : m_keys(keys) {}

    static std::string filePath();
    static std::string keyOf(const commodityInfo& commodity);
    // The keys of the file; a missing or unreadable file is an empty list.
    static std::vector<std::string> readFile();
    // Writes the keys whole, atomically; false when the file could not be written.
    static bool writeFile(const std::vector<std::string>& keys);

    void reload();
    const std::vector<std::string>& keys() const { return m_keys; }
    bool contains(const std::string& key) const;
    bool isFull() const { return m_keys.size() >= kLimit; }
    // Appends the key and writes the file; a failed write leaves the list as it was.
    AddResult add(const std::string& key, Limit limit = Limit::Applied);
    // Removes every equal key and writes the file; false when the key was not listed or the
    // file could not be written (the list is then as it was).
    bool remove(const std::string& key);

private:
    bool save() const;

    std::vector<std::string>& m_keys;
};
