#include "platform/ui/TableViewHeaderFooterView.h"

TableViewHeaderFooterView::TableViewHeaderFooterView(const std::string& reuseIdentifier)
    : m_reuseIdentifier(reuseIdentifier) {}
