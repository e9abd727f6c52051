#pragma once

#include <memory>

#include "platform/ui/Button.h"
#include "platform/ui/IndexPath.h"

// A button that carries the table row it belongs to, so a row button's action can read its row
// back from the sender. Owned by its superview (the cell). Main thread only.
class UIButton_indexPath : public Button {
public:
    using Button::Button;
    static std::unique_ptr<UIButton_indexPath> buttonWithType(Type type);

    const IndexPath& indexPath() const { return m_indexPath; }
    void setIndexPath(const IndexPath& indexPath) { m_indexPath = indexPath; }

private:
    IndexPath m_indexPath;
};
