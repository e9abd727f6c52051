#pragma once

// Told when a watch tile's delete mark is tapped. Empty default body. Main thread.

class VKJYCustomButton;

class VKJYCustomButtonDelegate {
public:
    virtual ~VKJYCustomButtonDelegate() = default;
    virtual void shanchuButtonPressed(VKJYCustomButton& /*tile*/) {}
};
