#pragma once

// Common base of the chart engine's value records. Records are shared by
// std::shared_ptr between the layout object, the chart manager and the views;
// main thread only.
class HQValueClass {
public:
    virtual ~HQValueClass() = default;
};
