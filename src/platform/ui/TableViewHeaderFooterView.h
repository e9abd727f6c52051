#pragma once

// A section header a table can hand out again: made with a reuse identifier, it goes back to the
// table's queue on every reload, so a data source that dequeues it keeps its subviews (and a
// button under a finger) instead of building them anew. Shared between the table and its
// delegate. Main thread only.

#include <string>

#include "platform/ui/View.h"

class TableViewHeaderFooterView : public View {
public:
    explicit TableViewHeaderFooterView(const std::string& reuseIdentifier);

    const std::string& reuseIdentifier() const { return m_reuseIdentifier; }

private:
    std::string m_reuseIdentifier;
};
