#include "platform/ui/Screen.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QInputMethodEvent>
#include <QInputMethodQueryEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QRasterWindow>
#include <QWheelEvent>
#include <cmath>

#include "platform/foundation/SystemInfo.h"
#include "platform/foundation/Timer.h"
#include "platform/graphics/Font.h"
#include "platform/graphics/TextLayout.h"
#include "platform/ui/Application.h"
#include "platform/ui/ScrollView.h"
#include "platform/ui/ViewController.h"
#include "platform/ui/ViewRenderer.h"

namespace {

Screen*& mainScreen() {
    static Screen* screen = nullptr;
    return screen;
}

std::optional<double>& heldClock() {
    static std::optional<double> held;
    return held;
}

constexpr int kMouseTouchId = 1;
constexpr double kRepaintInterval = 1.0 / 30;

// Shows the screen in a desktop window; mouse, wheel and keys come back as phone input.
class ScreenWindow : public QRasterWindow {
public:
    explicit ScreenWindow(Screen& screen) : m_screen(screen) {}

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.drawImage(QRectF(0, 0, width(), height()), m_screen.renderImage());
    }

    void mousePressEvent(QMouseEvent* e) override { touch(TouchPhase::Began, e->position()); }
    void mouseMoveEvent(QMouseEvent* e) override {
        if (e->buttons() & Qt::LeftButton) {
            touch(TouchPhase::Moved, e->position());
        }
    }
    void mouseReleaseEvent(QMouseEvent* e) override { touch(TouchPhase::Ended, e->position()); }

    void wheelEvent(QWheelEvent* e) override {
        QPointF p = e->position() / m_screen.scale();
        QPoint delta = e->angleDelta();
        m_screen.scrollWheel({p.x(), p.y()}, -delta.x() / 4.0, -delta.y() / 4.0);
    }

    void keyPressEvent(QKeyEvent* e) override {
        if (e->key() == Qt::Key_Backspace) {
            m_screen.sendKey("", Key::Backspace, Timer::now());
        } else if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) {
            m_screen.sendKey("", Key::Return, Timer::now());
        } else if (!e->text().isEmpty() && e->text().at(0).isPrint()) {
            m_screen.sendKey(e->text().toStdString(), Key::None, Timer::now());
        }
    }

    bool event(QEvent* e) override {
        if (e->type() == QEvent::InputMethodQuery) {
            auto* query = static_cast<QInputMethodQueryEvent*>(e);
            query->setValue(Qt::ImEnabled, true);
            query->accept();
            return true;
        }
        if (e->type() == QEvent::WindowStateChange) {
            followWindowState();
        }
        if (e->type() == QEvent::Close) {
            quitApplication();
        }
        if (e->type() == QEvent::InputMethod) {
            auto* input = static_cast<QInputMethodEvent*>(e);
            if (!input->commitString().isEmpty()) {
                m_screen.sendKey(input->commitString().toStdString(), Key::None, Timer::now());
            }
            return true;
        }
        return QRasterWindow::event(e);
    }

private:
    // A phone application is active while it is on screen: minimising the window moves it to
    // the background and restoring it brings it back; focus changes alone change nothing.
    void followWindowState() {
        const bool minimized = (windowStates() & Qt::WindowMinimized) != 0;
        Application* app = Application::shared();
        if (minimized == m_minimized || app == nullptr) {
            return;
        }
        m_minimized = minimized;
        if (minimized) {
            app->resignActive();
        } else {
            app->becomeActive();
        }
    }

    // Closing the window ends the application as the system would: leave the foreground,
    // then terminate.
    void quitApplication() {
        Application* app = Application::shared();
        if (app == nullptr) {
            return;
        }
        if (!m_minimized) {
            app->resignActive();
        }
        app->terminate();
    }

    void touch(TouchPhase phase, QPointF position) {
        QPointF p = position / m_screen.scale();
        m_screen.sendTouches({{kMouseTouchId, phase, {p.x(), p.y()}}}, Timer::now());
    }

    Screen& m_screen;
    bool m_minimized = false;
};

}  // namespace

struct Screen::Desktop {
    std::unique_ptr<ScreenWindow> window;
    std::unique_ptr<Timer> repaint;
    bool dirty = true;
};

Screen::Screen(Size size, double scale) : m_size(size), m_scale(scale > 0 ? scale : 1) {
    mainScreen() = this;
}

Screen::~Screen() {
    View::setDisplayChangedHandler({});
    if (mainScreen() == this) {
        mainScreen() = nullptr;
    }
}

Screen* Screen::main() {
    return mainScreen();
}

void Screen::holdClock(std::optional<double> secondsSince1970) {
    heldClock() = secondsSince1970;
}

Size Screen::sizeForScreenMode(int pixelWidth, int pixelHeight) {
    if (pixelWidth == 640 && pixelHeight == 1136) {
        return {320, 568};
    }
    return {320, 480};
}

Size Screen::currentModeSize() {
    SystemInfo::ScreenMode mode = SystemInfo::screenMode();
    return sizeForScreenMode(mode.width, mode.height);
}

QWindow* Screen::desktopWindow() const {
    return m_desktop ? m_desktop->window.get() : nullptr;
}

bool Screen::isStatusBarHidden() const {
    Application* app = Application::shared();
    Window* window = app ? app->keyWindow() : nullptr;
    ViewController* top = window ? window->topViewController() : nullptr;
    return top && top->prefersStatusBarHidden();
}

QImage Screen::renderImage() const {
    QImage image(static_cast<int>(m_size.width * m_scale),
                 static_cast<int>(m_size.height * m_scale), QImage::Format_ARGB32_Premultiplied);
    ViewRenderer::takeRepaintRequest();
    for (int pass = 0; pass < 2; ++pass) {
        image.fill(Qt::black);
        QPainter painter(&image);
        painter.scale(m_scale, m_scale);
        if (Application* app = Application::shared()) {
            Window* key = app->keyWindow();
            for (Window* window : app->windows()) {
                if (window != key) {
                    ViewRenderer::render(painter, *window);
                }
            }
            if (key) {
                ViewRenderer::render(painter, *key);
            }
        }
        if (!isStatusBarHidden()) {
            drawStatusBar(painter);
        }
        painter.end();
        if (!ViewRenderer::takeRepaintRequest()) {
            break;
        }
    }
    return image;
}

void Screen::drawStatusBar(QPainter& painter) const {
    painter.fillRect(QRectF(0, 0, m_size.width, kStatusBarHeight), Qt::black);
    const double now = heldClock().value_or(Timer::now());
    std::string time = QDateTime::fromMSecsSinceEpoch(static_cast<qint64>(std::floor(now * 1000)))
                           .toString(QStringLiteral("HH:mm"))
                           .toStdString();
    TextLayout::draw(painter, time, {0, 3, m_size.width, 16}, Font::boldSystem(12),
                     Color::whiteColor(), LineBreakMode::Clip, TextAlignment::Center);
}

bool Screen::saveSnapshot(const std::string& path) const {
    // A run made for one device zone keeps its pictures in a folder of that zone, so the runs
    // of the other zones neither overwrite them nor write into them at the same time.
    QFileInfo info(QString::fromStdString(path));
    const QString zone = qEnvironmentVariable(kSnapshotZoneVariable);
    if (!zone.isEmpty()) {
        info = QFileInfo(info.dir().filePath(zone + "/" + info.fileName()));
    }
    // Parallel test programs share snapshot folders; whichever runs first must not depend on
    // another having made the folder.
    if (!info.dir().mkpath(".")) {
        return false;
    }
    return renderImage().save(info.filePath(), "PNG");
}

Color Screen::colorAt(Point p) const {
    QImage image = renderImage();
    int x = static_cast<int>(p.x * m_scale);
    int y = static_cast<int>(p.y * m_scale);
    if (x < 0 || y < 0 || x >= image.width() || y >= image.height()) {
        return {};
    }
    QColor c = image.pixelColor(x, y);
    return Color::rgb(c.red(), c.green(), c.blue(), c.alphaF());
}

void Screen::sendTouches(const std::vector<TouchInput>& touches, double timestamp) {
    Application* app = Application::shared();
    if (Window* window = app ? app->keyWindow() : nullptr) {
        window->handleTouches(touches, timestamp);
    }
}

void Screen::sendKey(const std::string& text, Key key, double timestamp) {
    Application* app = Application::shared();
    if (!app) {
        return;
    }
    Event event = Event::keyPress(text, key, timestamp);
    app->sendEvent(event);
}

bool Screen::scrollWheel(Point at, double dx, double dy) {
    Application* app = Application::shared();
    Window* window = app ? app->keyWindow() : nullptr;
    if (!window) {
        return false;
    }
    window->layoutIfNeeded();
    for (View* v = window->hitTest(at); v; v = v->superview()) {
        auto* scroll = dynamic_cast<ScrollView*>(v);
        if (scroll && scroll->isScrollEnabled()) {
            scroll->scrollBy(dx, dy);
            return true;
        }
    }
    return false;
}

void Screen::showWindow(const std::string& title) {
    if (m_desktop) {
        m_desktop->window->requestUpdate();
        return;
    }
    m_desktop = std::make_unique<Desktop>();
    m_desktop->window = std::make_unique<ScreenWindow>(*this);
    m_desktop->window->setTitle(QString::fromStdString(title));
    m_desktop->window->resize(static_cast<int>(m_size.width * m_scale),
                              static_cast<int>(m_size.height * m_scale));
    m_desktop->window->show();
    Desktop* desktop = m_desktop.get();
    View::setDisplayChangedHandler([desktop]() { desktop->dirty = true; });
    // Repaints on changes, and continuously while something animates or spins.
    m_desktop->repaint = Timer::scheduledTimer(kRepaintInterval, true, [desktop]() {
        if (desktop->dirty || View::hasRunningAnimations()) {
            desktop->dirty = false;
            desktop->window->update();
        }
    });
}
