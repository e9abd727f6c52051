#include "support/TempFolder.h"

#include <stdlib.h>

#include <filesystem>
#include <stdexcept>

TempFolder::TempFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "vkjy-test-XXXXXX").string();
    if (!mkdtemp(pattern.data())) {
        throw std::runtime_error("cannot create a temporary folder");
    }
    m_path = pattern;
}

TempFolder::~TempFolder() {
    std::error_code error;
    std::filesystem::remove_all(m_path, error);
}

std::string TempFolder::file(const std::string& name) const {
    return (std::filesystem::path(m_path) / name).string();
}
