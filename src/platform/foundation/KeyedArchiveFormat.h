#pragma once

// The keys and class names of the keyed-archive layout, shared by KeyedArchiver and
// KeyedUnarchiver.
struct KeyedArchiveFormat {
    static constexpr const char* kArchiverKey = "$archiver";
    static constexpr const char* kArchiverName = "NSKeyedArchiver";
    static constexpr const char* kVersionKey = "$version";
    static constexpr int kVersion = 100000;
    static constexpr const char* kTopKey = "$top";
    static constexpr const char* kRootKey = "root";
    static constexpr const char* kObjectsKey = "$objects";
    static constexpr const char* kNull = "$null";
    static constexpr const char* kClass = "$class";
    static constexpr const char* kClassName = "$classname";
    static constexpr const char* kClasses = "$classes";
    static constexpr const char* kRootClass = "NSObject";
    static constexpr const char* kArrayClass = "NSArray";
    static constexpr const char* kDictionaryClass = "NSDictionary";
    static constexpr const char* kDateClass = "NSDate";
    static constexpr const char* kObjects = "NS.objects";
    static constexpr const char* kKeys = "NS.keys";
    static constexpr const char* kTime = "NS.time";
    static constexpr const char* kString = "NS.string";
    static constexpr const char* kData = "NS.data";
    // Archived dates count seconds from 2001-01-01 UTC.
    static constexpr double kReferenceDateSince1970 = 978307200.0;
};
