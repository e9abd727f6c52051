#include "widgets/MyalertDialog.h"

#include "widgets/MyalertView.h"

namespace {

std::string firstOf(const std::vector<std::string>& titles) {
    return titles.empty() ? std::string() : titles.front();
}

std::vector<std::string> restOf(const std::vector<std::string>& titles) {
    return titles.size() < 2 ? std::vector<std::string>()
                             : std::vector<std::string>(titles.begin() + 1, titles.end());
}

}  // namespace

MyalertDialog::MyalertDialog(std::shared_ptr<MyalertView> adapter, const std::string& title,
                             const std::string& message,
                             const std::vector<std::string>& buttonTitles)
    : GlossAlertView(title, message, adapter.get(), firstOf(buttonTitles), restOf(buttonTitles)),
      m_adapter(std::move(adapter)) {
    setStyle(kStyleAllWhite);
}

MyalertDialog::~MyalertDialog() {
    m_adapter->dialogGone(this);
}
