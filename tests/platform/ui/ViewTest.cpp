#include <numbers>

#include "UiFixture.h"

namespace {
constexpr double kQuarterTurn = std::numbers::pi / 2;
}

TEST(ViewGeometry, shouldKeepFrameBoundsAndCentreInStep) {
    View view({10, 20, 100, 50});
    EXPECT_EQ(view.bounds(), (Rect{0, 0, 100, 50}));
    EXPECT_EQ(view.center(), (Point{60, 45}));
    view.setCenter({100, 100});
    EXPECT_EQ(view.frame(), (Rect{50, 75, 100, 50}));
    view.setBounds({0, 0, 20, 10});
    EXPECT_EQ(view.frame(), (Rect{90, 95, 20, 10}));
}

TEST(ViewGeometry, shouldReportRotatedFrameAsBoundingBox) {
    View view({0, 0, 480, 320});
    view.setTransform(AffineTransform::rotation(kQuarterTurn));
    Rect f = view.frame();
    EXPECT_DOUBLE_EQ(f.width, 320);
    EXPECT_DOUBLE_EQ(f.height, 480);
    EXPECT_DOUBLE_EQ(f.x, 80);
    EXPECT_DOUBLE_EQ(f.y, -80);
}

TEST(ViewGeometry, shouldSetFrameOfRotatedViewThroughItsBounds) {
    View view;
    view.setTransform(AffineTransform::rotation(kQuarterTurn));
    view.setFrame({-80, 80, 480, 320});
    EXPECT_EQ(view.bounds().size(), (Size{320, 480}));
    view.setTransform(AffineTransform::identity());
    EXPECT_EQ(view.frame(), (Rect{0, 0, 320, 480}));
}

TEST(ViewGeometry, shouldConvertPointsThroughOffsetsAndBoundsOrigin) {
    View root({0, 0, 320, 568});
    auto* panel = root.addSubview(std::make_unique<View>(Rect{10, 100, 200, 200}));
    panel->setBounds({0, 50, 200, 200});
    auto* child = panel->addSubview(std::make_unique<View>(Rect{20, 60, 50, 50}));
    EXPECT_EQ(child->convertPoint({0, 0}, &root), (Point{30, 110}));
    EXPECT_EQ(child->convertPointFrom({30, 110}, &root), (Point{0, 0}));
}

TEST(ViewTree, shouldOrderSubviewsOnInsertBringAndSend) {
    View root;
    auto* a = root.addSubview(std::make_unique<View>());
    auto* b = root.addSubview(std::make_unique<View>());
    auto* c = root.addSubview(std::make_unique<View>());
    EXPECT_EQ(root.subviews(), (std::vector<View*>{a, b, c}));
    root.bringSubviewToFront(a);
    EXPECT_EQ(root.subviews(), (std::vector<View*>{b, c, a}));
    root.sendSubviewToBack(c);
    EXPECT_EQ(root.subviews(), (std::vector<View*>{c, b, a}));
    auto d = std::make_shared<View>();
    root.insertSubviewBelow(d, b);
    EXPECT_EQ(root.subviews(), (std::vector<View*>{c, d.get(), b, a}));
    root.insertSubview(root.subviews()[0]->removeFromSuperview(), 3);
    EXPECT_EQ(root.subviews(), (std::vector<View*>{d.get(), b, a, c}));
}

TEST(ViewTree, shouldFindViewByTagDepthFirst) {
    View root;
    auto* panel = root.addSubview(std::make_unique<View>());
    auto* deep = panel->addSubview(std::make_unique<View>());
    deep->setTag(1010);
    auto* later = root.addSubview(std::make_unique<View>());
    later->setTag(1010);
    EXPECT_EQ(root.viewWithTag(1010), deep);
    EXPECT_EQ(root.viewWithTag(77), nullptr);
}

TEST(ViewTree, shouldKeepRemovedViewForReuse) {
    View root;
    auto* panel = root.addSubview(std::make_unique<View>());
    panel->setTag(5);
    std::shared_ptr<View> kept = panel->removeFromSuperview();
    EXPECT_EQ(root.subviews().size(), 0u);
    EXPECT_EQ(kept->superview(), nullptr);
    root.addSubview(kept);
    EXPECT_EQ(root.viewWithTag(5), panel);
}

class HitTest : public UiTest {};

TEST_F(HitTest, shouldSkipHiddenTransparentAndNonInteractiveViews) {
    auto* back = add(std::make_unique<View>(Rect{0, 0, 100, 100}));
    auto* front = add(std::make_unique<View>(Rect{0, 0, 100, 100}));
    EXPECT_EQ(window->hitTest({50, 50}), front);
    front->setHidden(true);
    EXPECT_EQ(window->hitTest({50, 50}), back);
    front->setHidden(false);
    front->setAlpha(0.005);
    EXPECT_EQ(window->hitTest({50, 50}), back);
    front->setAlpha(1);
    front->setUserInteractionEnabled(false);
    EXPECT_EQ(window->hitTest({50, 50}), back);
}

TEST_F(HitTest, shouldNotReachSubviewsOutsideTheirParentsBounds) {
    auto* parent = add(std::make_unique<View>(Rect{0, 100, 100, 100}));
    auto* outside = parent->addSubview(std::make_unique<View>(Rect{0, 150, 100, 50}));
    EXPECT_EQ(window->hitTest({50, 260}), window.get());
    EXPECT_EQ(window->hitTest({50, 150}), parent);
    (void)outside;
}

TEST_F(HitTest, shouldFollowRotationAndFlip) {
    auto* turned = add(std::make_unique<View>(Rect{0, 0, 200, 100}));
    turned->setCenter({160, 300});
    turned->setTransform(AffineTransform::rotation(kQuarterTurn));
    auto* corner = turned->addSubview(std::make_unique<View>(Rect{0, 0, 20, 20}));
    // The bounds' top-left corner turns to the top-right of the box on screen.
    EXPECT_EQ(window->hitTest({205, 205}), corner);
    EXPECT_EQ(window->hitTest({115, 205}), turned);
    auto* flipped = add(std::make_unique<View>(Rect{0, 400, 100, 100}));
    flipped->setTransform(AffineTransform::scale(1, -1));
    auto* top = flipped->addSubview(std::make_unique<View>(Rect{0, 0, 100, 10}));
    EXPECT_EQ(window->hitTest({50, 495}), top);
    EXPECT_EQ(window->hitTest({50, 405}), flipped);
}
