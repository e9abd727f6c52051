#pragma once

#include <memory>
#include <string>
#include <vector>

#include "widgets/GlossAlertView.h"

class MyalertView;

// The dialog a MyalertView shows. It owns its adapter, so the adapter lives exactly as long as
// the dialog is on screen, and tells it when it goes (dismissed or torn down with its window).
// Owned by the key window while shown. Main thread only.
class MyalertDialog : public GlossAlertView {
public:
    MyalertDialog(std::shared_ptr<MyalertView> adapter, const std::string& title,
                  const std::string& message, const std::vector<std::string>& buttonTitles);
    ~MyalertDialog() override;

private:
    std::shared_ptr<MyalertView> m_adapter;
};
