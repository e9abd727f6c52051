#pragma once

#include <optional>
#include <string>

#include "platform/foundation/Bytes.h"

// The stand-in for a named persistent pasteboard shared by the applications of one user: a
// file named after the pasteboard in a shared per-user folder ($VKJY_PASTEBOARDS, else
// $XDG_DATA_HOME/vkjy-pasteboards, else ~/.local/share/vkjy-pasteboards) holding one data item
// and its type. Files are replaced atomically; TLANPasteboard::Lock serialises the processes
// that read and write them. Any thread.
class TLANPasteboard {
public:
    // Holds the folder's lock file exclusively for its lifetime (a no-op when the folder cannot
    // be made): one process at a time reads and writes the slots.
    class Lock {
    public:
        Lock();
        ~Lock();
        Lock(const Lock&) = delete;
        Lock& operator=(const Lock&) = delete;

    private:
        int m_descriptor = -1;
    };

    static std::string folder();
    // The pasteboard when it exists; nothing otherwise (it is not created).
    static std::optional<TLANPasteboard> find(const std::string& name);
    // The pasteboard, made empty when it did not exist; nothing when it cannot be made.
    static std::optional<TLANPasteboard> create(const std::string& name);

    const std::string& name() const { return m_name; }
    // The item's bytes when it has that type; nothing otherwise or when unreadable.
    std::optional<Bytes> dataForType(const std::string& type) const;
    bool setData(const Bytes& data, const std::string& type);

private:
    explicit TLANPasteboard(std::string name) : m_name(std::move(name)) {}
    std::string path() const;

    std::string m_name;
};
