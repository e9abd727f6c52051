#include "shell/VKJYDirectoryUrlHelper.h"

VKJYDirectoryUrlHelper::VKJYDirectoryUrlHelper(std::vector<std::string> urls)
    : m_urls(std::move(urls)) {}

std::string VKJYDirectoryUrlHelper::availableUrl() const {
    return m_current < m_urls.size() ? m_urls[m_current] : std::string();
}

bool VKJYDirectoryUrlHelper::moveToNextUrl() {
    if (m_current + 1 >= m_urls.size()) {
        return false;
    }
    ++m_current;
    return true;
}
