#pragma once

// A rectangle of the view tree: geometry in float points (frame, bounds, centre, transform),
// appearance (background, alpha, hidden, corner radius, border, clipping), subviews in back to
// front order, layout and custom drawing, hit testing and gesture recognizers.
// A view is owned by its superview; a view outside any tree by whoever holds it. A removed view
// is kept alive until the next run-loop turn, so a handler may remove its own view.
// Main thread only.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/graphics/AffineTransform.h"
#include "platform/graphics/Color.h"
#include "platform/graphics/Geometry.h"
#include "platform/ui/Responder.h"

class GestureRecognizer;
class GraphicsContext;
struct KeptDrawing;
class ViewController;
class Window;

class View : public Responder {
public:
    View();
    explicit View(const Rect& frame);
    ~View() override;

    // Geometry. The frame is the bounding box of the transformed bounds around the centre.
    Rect frame() const;
    void setFrame(const Rect& frame);
    Rect bounds() const { return m_bounds; }
    void setBounds(const Rect& bounds);
    Point center() const { return m_center; }
    void setCenter(Point center);
    const AffineTransform& transform() const { return m_transform; }
    void setTransform(const AffineTransform& transform);

    // Appearance.
    double alpha() const { return m_alpha; }
    void setAlpha(double alpha);
    bool isHidden() const { return m_hidden; }
    void setHidden(bool hidden);
    const Color& backgroundColor() const { return m_backgroundColor; }
    void setBackgroundColor(const Color& color);
    bool clipsToBounds() const { return m_clipsToBounds; }
    void setClipsToBounds(bool clips);
    double cornerRadius() const { return m_cornerRadius; }
    void setCornerRadius(double radius);
    double borderWidth() const { return m_borderWidth; }
    void setBorderWidth(double width);
    const Color& borderColor() const { return m_borderColor; }
    void setBorderColor(const Color& color);

    int tag() const { return m_tag; }
    void setTag(int tag) { m_tag = tag; }
    bool isUserInteractionEnabled() const { return m_userInteractionEnabled; }
    void setUserInteractionEnabled(bool enabled) { m_userInteractionEnabled = enabled; }
    bool isMultipleTouchEnabled() const { return m_multipleTouchEnabled; }
    void setMultipleTouchEnabled(bool enabled) { m_multipleTouchEnabled = enabled; }

    // The tree.
    View* superview() const { return m_superview; }
    std::vector<View*> subviews() const;
    template <typename T>
    T* addSubview(std::unique_ptr<T> view) {
        T* raw = view.get();
        insertSubview(std::shared_ptr<View>(std::move(view)), m_subviews.size());
        return raw;
    }
    template <typename T>
    T* addSubview(std::shared_ptr<T> view) {
        T* raw = view.get();
        insertSubview(std::shared_ptr<View>(std::move(view)), m_subviews.size());
        return raw;
    }
    // Inserts at index (clamped); a view that has a superview is moved here.
    void insertSubview(std::shared_ptr<View> view, std::size_t index);
    void insertSubviewAbove(std::shared_ptr<View> view, View* sibling);
    void insertSubviewBelow(std::shared_ptr<View> view, View* sibling);
    // Detaches this view; the caller may keep the returned pointer to add it again.
    std::shared_ptr<View> removeFromSuperview();
    void bringSubviewToFront(View* view);
    void sendSubviewToBack(View* view);
    // This view or the first descendant (depth first, back to front) with the tag.
    View* viewWithTag(int tag);
    bool isDescendantOf(const View* view) const;
    Window* window() const;
    // The controller whose root view this is.
    ViewController* viewController() const { return m_viewController; }
    void setViewController(ViewController* controller) { m_viewController = controller; }

    // Layout and drawing.
    void setNeedsLayout();
    void layoutIfNeeded();
    virtual void layoutSubviews() {}
    void setNeedsDisplay();
    bool needsDisplay() const { return m_needsDisplay; }
    // Draws the content over the background, in bounds coordinates.
    virtual void draw(GraphicsContext& context, const Rect& rect);
    virtual Size sizeThatFits(Size size) const;
    // Drawing goes to a surface of the view's own, so clearing it leaves what lies underneath
    // intact. Set by the renderer on the first draw that clears, or up front by the view.
    bool drawsInOwnLayer() const { return m_ownLayer; }
    void setDrawsInOwnLayer(bool own) { m_ownLayer = own; }
    // A view that draws in its own layer and whose drawing costs more than showing that layer
    // may keep the layer: the renderer then draws it again only after setNeedsDisplay(), at
    // another size or scale, or when drawingIsCurrent() says it would now paint otherwise.
    bool keepsDrawing() const { return m_keepsDrawing; }
    void setKeepsDrawing(bool keeps);
    virtual bool drawingIsCurrent() const { return true; }
    // For the renderer: the layer kept, and a new one just drawn (display is then done).
    const KeptDrawing* keptDrawing() const { return m_kept.get(); }
    void keepDrawing(std::unique_ptr<KeptDrawing> kept);
    void sizeToFit();

    // As a text field's input view: text and backspace from a computer keyboard while the field
    // is edited. A keypad types them as its own keys would; any other view types nothing.
    virtual void typeKeyText(const std::string& /*text*/) {}
    virtual void typeKeyBackspace() {}

    // Coordinates.
    Point convertPointToWindow(Point p) const;
    Point convertPointFromWindow(Point p) const;
    Point convertPoint(Point p, const View* to) const;
    Point convertPointFrom(Point p, const View* from) const;
    Rect convertRect(const Rect& r, const View* to) const;
    // Maps a point of the superview's bounds into this view's bounds.
    Point pointFromSuperview(Point p) const;
    Point pointToSuperview(Point p) const;

    // Hit testing: hidden views, views with alpha below 0.01 and views that take no touches are
    // skipped; a point outside the bounds never reaches the subviews.
    virtual View* hitTest(Point p);
    virtual bool pointInside(Point p) const;
    bool takesTouches() const;

    // Gesture recognizers, owned by the view.
    GestureRecognizer* addGestureRecognizer(std::unique_ptr<GestureRecognizer> recognizer);
    void removeGestureRecognizer(GestureRecognizer* recognizer);
    std::vector<GestureRecognizer*> gestureRecognizers() const;

    Responder* nextResponder() const override;
    // Resigns the first responder if it is this view or inside it.
    bool endEditing();

    // Animations: `changes` sets the final frame, alpha and transform at once; drawing moves
    // from the old values to them over `duration` seconds, then `completion` runs.
    static void animate(double duration, const std::function<void()>& changes,
                        std::function<void(bool)> completion = {});
    static void animate(double duration, double delay, const std::function<void()>& changes,
                        std::function<void(bool)> completion = {});
    // Multiplies animation speed; 0 finishes every animation at once (completion on the next
    // run-loop turn).
    static void setAnimationSpeed(double speed);
    static double animationSpeed();
    static bool hasRunningAnimations();

    // What drawing shows during an animation.
    Point presentationCenter() const;
    Rect presentationBounds() const;
    double presentationAlpha() const;
    AffineTransform presentationTransform() const;
    // Maps this view's bounds to its superview's bounds, as drawn.
    AffineTransform presentationToSuperview() const;

    // Called whenever something shown changed, so a desktop screen can repaint.
    static void setDisplayChangedHandler(std::function<void()> handler);

protected:
    virtual void didMoveToWindow() {}
    virtual void didMoveToSuperview() {}
    virtual void willRemoveSubview(View*) {}
    virtual void didAddSubview(View*) {}
    static void displayChanged();

private:
    struct Animation;
    void captureForAnimation();
    void notifyMovedToWindow();
    AffineTransform toSuperview() const;

    View* m_superview = nullptr;
    std::vector<std::shared_ptr<View>> m_subviews;
    std::vector<std::unique_ptr<GestureRecognizer>> m_recognizers;
    ViewController* m_viewController = nullptr;
    Point m_center;
    Rect m_bounds;
    AffineTransform m_transform;
    double m_alpha = 1;
    bool m_hidden = false;
    Color m_backgroundColor;
    bool m_clipsToBounds = false;
    double m_cornerRadius = 0;
    double m_borderWidth = 0;
    Color m_borderColor = Color::blackColor();
    int m_tag = 0;
    bool m_userInteractionEnabled = true;
    bool m_multipleTouchEnabled = false;
    bool m_needsLayout = true;
    bool m_ownLayer = false;
    bool m_keepsDrawing = false;
    bool m_needsDisplay = true;
    std::unique_ptr<KeptDrawing> m_kept;
    std::unique_ptr<Animation> m_animation;
};
