#include "trade/login/PXJYKeypadEditing.h"

#include "platform/ui/TextField.h"

void PXJYKeypadEditing::pressKey(TextField* field, PXJYLoginForm::Field kind,
                                 const std::string& key) {
    if (!field) {
        return;
    }
    if (auto text = PXJYLoginForm::textAfterKey(kind, field->text(), key)) {
        field->setText(*text);
    }
}

void PXJYKeypadEditing::backspace(TextField* field) {
    if (!field || field->text().empty()) {
        return;
    }
    std::string text = field->text();
    text.pop_back();
    field->setText(text);
}
