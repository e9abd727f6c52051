#pragma once

// What a refresh timer asks of its owner on every tick. Main thread only.
class RefreshControlDelegate {
public:
    virtual ~RefreshControlDelegate() = default;
    // 0: time-sharing, 1: K-line.
    virtual void RefreshUIWithType(int type) = 0;
    virtual void RefreshFailed(int type) { (void)type; }
};
