#pragma once

#include <string>

class KeyedArchiver;
class KeyedUnarchiver;

// An object that writes its fields into a keyed archive and reads them back, each under its
// own key. The class name is stored with the object and checked when it is read back; a
// decoder reads only the keys it finds and keeps its defaults for the rest.
class Archivable {
public:
    virtual ~Archivable() = default;
    virtual std::string archiveClassName() const = 0;
    virtual void encode(KeyedArchiver& archiver) const = 0;
    virtual void decode(const KeyedUnarchiver& unarchiver) = 0;
};
