#include "platform/foundation/DictionaryFile.h"

#include <string_view>

#include "platform/foundation/AtomicFile.h"
#include "platform/foundation/DamagedFile.h"
#include "platform/foundation/PropertyListSalvage.h"

DictionaryFile::Contents DictionaryFile::read(const std::string& path, const std::string& what,
                                              const std::string& entries) {
    const std::optional<Bytes> bytes = AtomicFile::read(path);
    if (!bytes) {
        return {};
    }
    std::optional<PropertyList> stored = PropertyList::parse(*bytes);
    if (stored && stored->isDictionary()) {
        return {std::move(*stored), true};
    }
    Contents salvaged;
    if (!stored) {
        salvaged.values = PropertyListSalvage::xmlDictionary(
            std::string_view(reinterpret_cast<const char*>(bytes->data()), bytes->size()));
    }
    std::string reason = stored ? "not a dictionary" : "not a readable property list";
    if (salvaged.values.size() > 0) {
        reason += "; " + std::to_string(salvaged.values.size()) + " " + entries + " read back";
    }
    salvaged.writable = DamagedFile::setAside(path, what, reason).has_value();
    if (salvaged.writable) {
        salvaged.values.writeFile(path);
    }
    return salvaged;
}
