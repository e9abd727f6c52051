#pragma once

#include <string>

#include "platform/foundation/PropertyList.h"

// A property-list file whose root is a dictionary (the user defaults, the saved accounts), read
// so that damage costs as little as it can: a file that cannot be read whole gives back every
// entry still readable (PropertyListSalvage), is kept aside with a line in the day log
// (DamagedFile), and what was read back is written in its place at once, so the next write can
// never land on the damaged file. Plain functions; any thread, one writer per file.
class DictionaryFile {
public:
    struct Contents {
        // The dictionary, or what could be read of it; empty when there is no file.
        PropertyList values = PropertyList::dictionary();
        // False only for a damaged file that could not be moved aside: writing over it would
        // lose what it still holds.
        bool writable = true;
    };

    // `what` names the file in the day log ("saved accounts"), `entries` its root entries
    // ("settings").
    static Contents read(const std::string& path, const std::string& what,
                         const std::string& entries);
};
