#pragma once

// What the numeric keypad does to the field being edited on the login forms: a digit goes in
// where the field's rule allows it, backspace removes the last character (a space counts).
// Class operations; main thread.

#include <string>

#include "trade/login/PXJYLoginForm.h"

class TextField;

class PXJYKeypadEditing {
public:
    static void pressKey(TextField* field, PXJYLoginForm::Field kind, const std::string& key);
    static void backspace(TextField* field);
};
