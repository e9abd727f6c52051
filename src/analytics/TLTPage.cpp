#include "analytics/TLTPage.h"

#include <utility>

TLTPage::TLTPage(std::optional<std::string> page_name, int64_t duration) {
    m_page_name.set(std::move(page_name));
    m_duration.set(duration);
}
