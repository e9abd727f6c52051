#pragma once

#include <array>
#include <functional>
#include <string>
#include <string_view>

#include "platform/foundation/Bytes.h"

// Every file of the analytics library that keeps records, or the marks that say where they are,
// is written through here, named by its write point: each write reports whether it is on disk,
// and tests can land a fault (a full disk, a kill) on one chosen write. Stateless but for the
// test hook; any thread.
class TLANFiles {
public:
    enum class Point { Journal, PageViews, SessionMarker, CacheFile, Envelope };
    static constexpr std::array kPoints = {Point::Journal, Point::PageViews, Point::SessionMarker,
                                           Point::CacheFile, Point::Envelope};
    static const char* name(Point point);

    // Appends the bytes whole or not at all: a write cut short is taken back, so no torn frame
    // stays at the end for later appends to hide behind. Whether the bytes are on disk.
    static bool append(Point point, const std::string& path, const Bytes& bytes);
    // Replaces the file whole (the old one stays when the write fails); whether it did.
    static bool replace(Point point, const std::string& path, std::string_view bytes);
    static bool replace(Point point, const std::string& path, const Bytes& bytes);
    // Whether the file is gone (or never was).
    static bool remove(Point point, const std::string& path);

    // One write or removal as the test hook sees it: before it (done false) and after it.
    enum class Kind { Append, Replace, Remove };
    struct Write {
        Point point;
        Kind kind;
        std::string path;
        size_t bytes = 0;
        bool done = false;
    };
    // None by default; set while the library writes nothing.
    static void setHook(std::function<void(const Write&)> hook);

private:
    static void report(const Write& write);
};
