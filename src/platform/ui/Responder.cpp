#include "platform/ui/Responder.h"

#include "platform/ui/Application.h"

Responder::Responder() = default;

Responder::~Responder() {
    if (Application* app = Application::shared(); app && app->firstResponder() == this) {
        app->clearFirstResponder();
    }
}

void Responder::touchesBegan(const TouchSet& touches, const Event& event) {
    if (Responder* next = nextResponder()) {
        next->touchesBegan(touches, event);
    }
}

void Responder::touchesMoved(const TouchSet& touches, const Event& event) {
    if (Responder* next = nextResponder()) {
        next->touchesMoved(touches, event);
    }
}

void Responder::touchesEnded(const TouchSet& touches, const Event& event) {
    if (Responder* next = nextResponder()) {
        next->touchesEnded(touches, event);
    }
}

void Responder::touchesCancelled(const TouchSet& touches, const Event& event) {
    if (Responder* next = nextResponder()) {
        next->touchesCancelled(touches, event);
    }
}

bool Responder::becomeFirstResponder() {
    Application* app = Application::shared();
    if (!app || !canBecomeFirstResponder()) {
        return false;
    }
    return app->makeFirstResponder(this);
}

bool Responder::resignFirstResponder() {
    Application* app = Application::shared();
    if (app && app->firstResponder() == this) {
        app->clearFirstResponder();
    }
    return true;
}

bool Responder::isFirstResponder() const {
    Application* app = Application::shared();
    return app && app->firstResponder() == this;
}

void Responder::insertText(const std::string&) {}
