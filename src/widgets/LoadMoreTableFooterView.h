#pragma once

#include <string>

#include "platform/ui/View.h"

class ActivityIndicator;
class Label;

// The load-more footer below a LoadMoreTableView's last row: a prompt while idle, another while
// pulled past the trigger, a spinner while loading. Owned by its table. Main thread only.
class LoadMoreTableFooterView : public View {
public:
    enum class State { Normal, Pulling, Loading };

    static constexpr double kHeight = 60;

    LoadMoreTableFooterView();

    State state() const { return m_state; }
    void setState(State state);
    const std::string& prompt() const;

    void layoutSubviews() override;

private:
    State m_state = State::Normal;
    Label* m_label = nullptr;
    ActivityIndicator* m_spinner = nullptr;
};
