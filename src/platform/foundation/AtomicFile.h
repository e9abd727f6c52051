#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/foundation/Bytes.h"

// Whole-file reads and crash-safe whole-file writes: the bytes go to a temporary file in the
// same folder, are flushed to disk, and then replace the target by a rename, so a reader sees
// the old file or the new one, never a torn one. Stateless; any thread.
class AtomicFile {
public:
    static bool write(const std::string& path, const Bytes& bytes);
    static bool write(const std::string& path, std::string_view bytes);
    // Nothing when the file is missing or unreadable.
    static std::optional<Bytes> read(const std::string& path);
};
