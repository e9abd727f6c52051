#include <unistd.h>

#include <QDateTime>
#include <QFileInfo>
#include <QImage>
#include <QTemporaryDir>
#include <filesystem>
#include <functional>
#include <numbers>

#include "UiFixture.h"
#include "platform/graphics/GraphicsContext.h"
#include "platform/ui/Label.h"
#include "support/ScopedEnvironment.h"

namespace {

bool blank(const Screen& screen, const Rect& area, const Color& background) {
    QImage image = screen.renderImage();
    for (int y = static_cast<int>(area.y); y < static_cast<int>(area.maxY()); ++y) {
        for (int x = static_cast<int>(area.x); x < static_cast<int>(area.maxX()); ++x) {
            QColor c = image.pixelColor(x, y);
            if (c.red() != background.red255() || c.green() != background.green255() ||
                c.blue() != background.blue255()) {
                return false;
            }
        }
    }
    return true;
}

// Whether the screen shows about the colour at the point, saying what it shows when not.
::testing::AssertionResult showsColour(const Screen& screen, Point at, const Color& expected) {
    const Color seen = screen.colorAt(at);
    const bool near = std::abs(seen.red255() - expected.red255()) <= 2 &&
                      std::abs(seen.green255() - expected.green255()) <= 2 &&
                      std::abs(seen.blue255() - expected.blue255()) <= 2;
    if (near) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure()
           << "shows " << seen.red255() << "," << seen.green255() << "," << seen.blue255();
}

}  // namespace

class Rendering : public UiTest {
protected:
    void SetUp() override { window->setBackgroundColor(Color::whiteColor()); }
};

TEST_F(Rendering, shouldPaintRedViewOnlyInsideItsFrame) {
    add(std::make_unique<View>(Rect{50, 100, 100, 40}))->setBackgroundColor(Color::redColor());
    EXPECT_TRUE(near(screen.colorAt({50, 100}), 255, 0, 0));
    EXPECT_TRUE(near(screen.colorAt({149, 139}), 255, 0, 0));
    EXPECT_TRUE(near(screen.colorAt({150, 120}), 255, 255, 255));
    EXPECT_TRUE(near(screen.colorAt({100, 140}), 255, 255, 255));
    EXPECT_TRUE(near(screen.colorAt({49, 120}), 255, 255, 255));
}

TEST_F(Rendering, shouldDrawNothingForTransparentOrHiddenView) {
    auto* ghost = add(std::make_unique<View>(Rect{0, 100, 100, 100}));
    ghost->setBackgroundColor(Color::redColor());
    ghost->setAlpha(0);
    EXPECT_TRUE(blank(screen, {0, 100, 100, 100}, Color::whiteColor()));
    ghost->setAlpha(1);
    ghost->setHidden(true);
    EXPECT_TRUE(blank(screen, {0, 100, 100, 100}, Color::whiteColor()));
}

TEST_F(Rendering, shouldBlendHalfTransparentView) {
    auto* half = add(std::make_unique<View>(Rect{0, 100, 100, 100}));
    half->setBackgroundColor(Color::blackColor());
    half->setAlpha(0.5);
    Color c = screen.colorAt({50, 150});
    EXPECT_NEAR(c.red255(), 128, 2);
}

TEST_F(Rendering, shouldPlaceRotatedViewWhereItsTransformPutsIt) {
    auto* bar = add(std::make_unique<View>(Rect{0, 0, 200, 20}));
    bar->setBackgroundColor(Color::blueColor());
    bar->setCenter({160, 300});
    bar->setTransform(AffineTransform::rotation(std::numbers::pi / 2));
    EXPECT_TRUE(near(screen.colorAt({160, 210}), 0, 0, 255));
    EXPECT_TRUE(near(screen.colorAt({160, 390}), 0, 0, 255));
    EXPECT_TRUE(near(screen.colorAt({100, 300}), 255, 255, 255));
}

TEST_F(Rendering, shouldClipSubviewsToClippingParent) {
    auto* parent = add(std::make_unique<View>(Rect{0, 100, 100, 100}));
    auto* child = parent->addSubview(std::make_unique<View>(Rect{50, 50, 100, 100}));
    child->setBackgroundColor(Color::greenColor());
    EXPECT_TRUE(near(screen.colorAt({120, 170}), 0, 255, 0));
    parent->setClipsToBounds(true);
    EXPECT_TRUE(near(screen.colorAt({120, 170}), 255, 255, 255));
    EXPECT_TRUE(near(screen.colorAt({80, 170}), 0, 255, 0));
}

TEST_F(Rendering, shouldRoundCornersOfBackground) {
    auto* box = add(std::make_unique<View>(Rect{0, 100, 100, 100}));
    box->setBackgroundColor(Color::blackColor());
    box->setCornerRadius(20);
    EXPECT_TRUE(near(screen.colorAt({1, 101}), 255, 255, 255));
    EXPECT_TRUE(near(screen.colorAt({50, 150}), 0, 0, 0));
}

TEST_F(Rendering, shouldDrawStatusBarUnlessHidden) {
    EXPECT_TRUE(near(screen.colorAt({2, 2}), 0, 0, 0));
    EXPECT_TRUE(near(screen.colorAt({2, 25}), 255, 255, 255));
}

// The status bar follows the screen's clock to the minute and no finer: a picture taken just
// after a minute turns differs, one taken anywhere in the minute before does not.
TEST_F(Rendering, shouldShowTheMinuteOfTheScreensClock) {
    const auto at = [](int minute, int second, int ms) {
        return QDateTime(QDate(2026, 1, 5), QTime(11, minute, second, ms)).toMSecsSinceEpoch() /
               1000.0;
    };
    Screen::holdClock(at(42, 59, 990));
    const QImage before = screen.renderImage();
    Screen::holdClock(at(43, 0, 40));
    const QImage turned = screen.renderImage();
    Screen::holdClock(at(42, 0, 40));
    EXPECT_NE(turned, before);
    EXPECT_EQ(screen.renderImage(), before);
}

TEST_F(Rendering, shouldRenderChineseLabelWithGlyphsInsideItsFrame) {
    auto* label = add(std::make_unique<Label>(Rect{10, 100, 200, 30}, "摘牌成功"));
    label->setFont(Font::named("Helvetica-Bold", 16));
    EXPECT_FALSE(blank(screen, {10, 100, 70, 30}, Color::whiteColor()));
    EXPECT_TRUE(blank(screen, {90, 100, 120, 30}, Color::whiteColor()));
    EXPECT_TRUE(blank(screen, {0, 131, 320, 30}, Color::whiteColor()));
}

TEST_F(Rendering, shouldTruncateLabelTailToItsWidth) {
    auto* label = add(std::make_unique<Label>(Rect{0, 100, 60, 20}, "一二三四五六七八九十"));
    label->setFont(Font::system(14));
    EXPECT_TRUE(blank(screen, {61, 100, 100, 20}, Color::whiteColor()));
    EXPECT_FALSE(blank(screen, {0, 100, 60, 20}, Color::whiteColor()));
}

TEST_F(Rendering, shouldWriteReadablePngSnapshot) {
    add(std::make_unique<View>(Rect{0, 100, 320, 100}))->setBackgroundColor(Color::redColor());
    QTemporaryDir dir;
    std::string path = dir.filePath("screen.png").toStdString();
    ASSERT_TRUE(driver.saveSnapshot(path));
    QImage image(QString::fromStdString(path));
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.size(), QSize(320, 568));
    EXPECT_EQ(image.pixelColor(10, 150), QColor(255, 0, 0));
}

TEST_F(Rendering, shouldKeepTheSnapshotsOfADeviceZoneRunInAFolderOfThatZone) {
    QTemporaryDir dir;
    ScopedEnvironment zone(Screen::kSnapshotZoneVariable, "utc-5");
    ASSERT_TRUE(driver.saveSnapshot(dir.filePath("screen.png").toStdString()));
    EXPECT_FALSE(QImage(dir.filePath("utc-5/screen.png")).isNull());
    EXPECT_FALSE(QFileInfo::exists(dir.filePath("screen.png")));
}

TEST_F(Rendering, shouldRenderAtScreenScale) {
    Screen retina({320, 568}, 2);
    add(std::make_unique<View>(Rect{0, 100, 10, 10}))->setBackgroundColor(Color::redColor());
    EXPECT_EQ(retina.renderImage().size(), QSize(640, 1136));
    EXPECT_TRUE(near(retina.colorAt({5, 105}), 255, 0, 0));
}

namespace {
// Clears its middle after filling, as the chart's line layer starts each pass.
class ClearingView : public View {
public:
    using View::View;
    void draw(GraphicsContext& context, const Rect&) override {
        context.setFillColor(Color::redColor());
        context.fillRect(bounds());
        context.clearRect({25, 25, 50, 50});
    }
};
}  // namespace

TEST_F(Rendering, shouldClearOnlyTheViewsOwnDrawing) {
    add(std::make_unique<View>(Rect{0, 100, 200, 200}))->setBackgroundColor(Color::blueColor());
    add(std::make_unique<ClearingView>(Rect{0, 100, 100, 100}));
    EXPECT_TRUE(near(screen.colorAt({50, 150}), 0, 0, 255));
    EXPECT_TRUE(near(screen.colorAt({10, 110}), 255, 0, 0));
    EXPECT_TRUE(near(screen.colorAt({150, 250}), 0, 0, 255));
}

namespace {
// Starts each pass by clearing all of itself, as the chart's layers do, then draws a bar that
// runs past its right edge; `nested` clears inside a saved state instead.
class FreshClearingView : public View {
public:
    FreshClearingView(const Rect& frame, bool nested) : View(frame), m_nested(nested) {}
    void draw(GraphicsContext& context, const Rect& rect) override {
        if (m_nested) {
            context.save();
        }
        context.clearRect(rect);
        if (m_nested) {
            context.restore();
        }
        context.setFillColor(Color::redColor());
        context.fillRect({10, 10, 200, 20});
    }

private:
    bool m_nested;
};
}  // namespace

class FreshClearTest : public UiTest, public ::testing::WithParamInterface<bool> {
protected:
    void SetUp() override { window->setBackgroundColor(Color::whiteColor()); }
};

// Clearing a view that has drawn nothing yet leaves it nothing to clear: whatever lies under it
// shows, and its drawing stays inside its bounds as on a surface of its own.
TEST_P(FreshClearTest, shouldShowWhatLiesUnderAViewThatClearsItselfBeforeDrawing) {
    add(std::make_unique<View>(Rect{0, 100, 200, 200}))->setBackgroundColor(Color::blueColor());
    auto* view = add(std::make_unique<FreshClearingView>(Rect{0, 100, 100, 100}, GetParam()));
    EXPECT_TRUE(near(screen.colorAt({50, 150}), 0, 0, 255));
    EXPECT_TRUE(near(screen.colorAt({50, 120}), 255, 0, 0));
    EXPECT_TRUE(near(screen.colorAt({150, 120}), 0, 0, 255));
    // Only a clear that can hide something needs the view's own surface.
    EXPECT_EQ(view->drawsInOwnLayer(), GetParam());
}

INSTANTIATE_TEST_SUITE_P(Clears, FreshClearTest, ::testing::Values(false, true));

TEST_F(Rendering, shouldFadeViewWithItsSubviewsAsOnePicture) {
    auto* panel = add(std::make_unique<View>(Rect{0, 100, 100, 100}));
    panel->setBackgroundColor(Color::blackColor());
    panel->setAlpha(0.5);
    panel->addSubview(std::make_unique<View>(Rect{0, 0, 50, 100}))
        ->setBackgroundColor(Color::blackColor());
    // Black over black at half strength over white: the same grey on both halves.
    Color covered = screen.colorAt({25, 150});
    Color plain = screen.colorAt({75, 150});
    EXPECT_NEAR(covered.red255(), 128, 2);
    EXPECT_NEAR(plain.red255(), 128, 2);
}

TEST_F(Rendering, shouldKeepParentClipWhenFadingGroup) {
    auto* clip = add(std::make_unique<View>(Rect{0, 100, 50, 50}));
    clip->setClipsToBounds(true);
    auto* panel = clip->addSubview(std::make_unique<View>(Rect{0, 0, 100, 100}));
    panel->setAlpha(0.5);
    panel->addSubview(std::make_unique<View>(Rect{0, 0, 100, 100}))
        ->setBackgroundColor(Color::redColor());
    EXPECT_TRUE(near(screen.colorAt({25, 125}), 255, 128, 128));
    EXPECT_TRUE(near(screen.colorAt({75, 125}), 255, 255, 255));
}

TEST_F(UiTest, shouldMakeTheSnapshotFolderWhenItIsMissing) {
    const std::string folder =
        (std::filesystem::temp_directory_path() / ("vkjy-snap-" + std::to_string(::getpid())))
            .string();
    std::filesystem::remove_all(folder);
    const std::string file = folder + "/nested/shot.png";
    EXPECT_TRUE(driver.saveSnapshot(file));
    EXPECT_GT(std::filesystem::file_size(file), 0u);
    std::filesystem::remove_all(folder);
}

namespace {

// A blue panel with one red child placed by `setUp`, and where the panel must still show blue
// (or, with `expected`, another colour) because the child does not cover that point there.
struct CoverCase {
    const char* name;
    std::function<void(View& panel)> setUp;
    Point probe;
    Color expected;
};

void PrintTo(const CoverCase& c, std::ostream* os) {
    *os << c.name;
}

View* redChild(View& parent, const Rect& frame) {
    View* child = parent.addSubview(std::make_unique<View>(frame));
    child->setBackgroundColor(Color::redColor());
    return child;
}

class BackgroundCoverTest : public UiTest, public ::testing::WithParamInterface<CoverCase> {};

}  // namespace

// A background is left unpainted only where an opaque subview paints over it later in the pass;
// wherever the subview lets something through, the background is there.
TEST_P(BackgroundCoverTest, shouldShowTheBackgroundWhereverNoOpaqueSubviewCoversIt) {
    const CoverCase& c = GetParam();
    Screen retina({320, 568}, 2);
    auto* panel = add(std::make_unique<View>(Rect{0, 100, 200, 200}));
    panel->setBackgroundColor(Color::blueColor());
    c.setUp(*panel);
    for (const Screen* shown : {&screen, &retina}) {
        EXPECT_TRUE(showsColour(*shown, c.probe, c.expected)) << "scale " << shown->scale();
    }
}

INSTANTIATE_TEST_SUITE_P(
    Covers, BackgroundCoverTest,
    ::testing::Values(
        CoverCase{"hidden",
                  [](View& p) {
                      redChild(p, {0, 0, 200, 200})->setHidden(true);
                  },
                  {100, 200},
                  Color::blueColor()},
        CoverCase{"fading",
                  [](View& p) {
                      View* child = redChild(p, {0, 0, 200, 200});
                      child->setAlpha(0.5);
                      child->addSubview(std::make_unique<View>(Rect{0, 0, 10, 10}));
                  },
                  {100, 200},
                  Color::rgb(128, 0, 128)},
        CoverCase{"seeThroughColour",
                  [](View& p) {
                      redChild(p, {0, 0, 200, 200})
                          ->setBackgroundColor(Color::rgb(255, 0, 0).withAlpha(0.5));
                  },
                  {100, 200},
                  Color::rgb(128, 0, 128)},
        CoverCase{"rounded",
                  [](View& p) {
                      redChild(p, {0, 0, 200, 200})->setCornerRadius(40);
                  },
                  {2, 102},
                  Color::blueColor()},
        CoverCase{"turned",
                  [](View& p) {
                      redChild(p, {50, 50, 100, 100})
                          ->setTransform(AffineTransform::rotation(std::numbers::pi / 4));
                  },
                  {52, 152},
                  Color::blueColor()},
        CoverCase{"clippedByItsParent",
                  [](View& p) {
                      View* clip = p.addSubview(std::make_unique<View>(Rect{0, 0, 100, 200}));
                      clip->setClipsToBounds(true);
                      redChild(*clip, {0, 0, 200, 200});
                  },
                  {150, 200},
                  Color::blueColor()},
        CoverCase{"insideARoundedClip",
                  [](View& p) {
                      View* clip = p.addSubview(std::make_unique<View>(Rect{0, 0, 200, 200}));
                      clip->setClipsToBounds(true);
                      clip->setCornerRadius(40);
                      redChild(*clip, {0, 0, 200, 200});
                  },
                  {2, 102},
                  Color::blueColor()},
        CoverCase{"partOfAPixelShort",
                  [](View& p) {
                      redChild(p, {0, 0, 199.3, 200});
                  },
                  {199.8, 200},
                  Color::blueColor()},
        CoverCase{"covering",
                  [](View& p) {
                      redChild(p, {0, 0, 200, 200});
                  },
                  {100, 200},
                  Color::redColor()}),
    [](const ::testing::TestParamInfo<CoverCase>& info) { return info.param.name; });

namespace {

// Paints its left half in its colour on a layer of its own and counts its passes.
class CountingView : public View {
public:
    explicit CountingView(const Rect& frame) : View(frame) { setDrawsInOwnLayer(true); }
    void draw(GraphicsContext& context, const Rect& rect) override {
        ++passes;
        context.setFillColor(color);
        context.fillRect({rect.x, rect.y, rect.width / 2, rect.height});
    }
    bool drawingIsCurrent() const override { return current; }

    int passes = 0;
    Color color = Color::redColor();
    bool current = true;
};

// What happens to a view keeping its drawing between two passes, and where its new drawing
// must show in which colour.
struct KeptCase {
    const char* name;
    std::function<void(CountingView& view)> change;
    double scale;
    Point probe;
    Color expected;
};

void PrintTo(const KeptCase& c, std::ostream* os) {
    *os << c.name;
}

class KeptDrawingTest : public UiTest, public ::testing::WithParamInterface<KeptCase> {
protected:
    void SetUp() override { window->setBackgroundColor(Color::whiteColor()); }
};

}  // namespace

TEST_F(Rendering, shouldShowAKeptDrawingAgainWithoutDrawingItAnew) {
    auto* view = add(std::make_unique<CountingView>(Rect{0, 100, 100, 100}));
    view->setKeepsDrawing(true);
    EXPECT_TRUE(near(screen.colorAt({25, 150}), 255, 0, 0));
    EXPECT_TRUE(near(screen.colorAt({25, 150}), 255, 0, 0));
    EXPECT_TRUE(near(screen.colorAt({75, 150}), 255, 255, 255));
    EXPECT_EQ(view->passes, 1);
}

TEST_F(Rendering, shouldDrawAViewThatKeepsNothingOnEveryPass) {
    auto* view = add(std::make_unique<CountingView>(Rect{0, 100, 100, 100}));
    screen.renderImage();
    screen.renderImage();
    EXPECT_EQ(view->passes, 2);
}

TEST_P(KeptDrawingTest, shouldDrawAKeptViewAnewWhenItsDrawingWouldChange) {
    const KeptCase& c = GetParam();
    auto* view = add(std::make_unique<CountingView>(Rect{0, 100, 100, 100}));
    view->setKeepsDrawing(true);
    screen.renderImage();
    c.change(*view);
    const Screen shown({320, 568}, c.scale);
    EXPECT_TRUE(showsColour(shown, c.probe, c.expected));
    EXPECT_EQ(view->passes, 2);
}

INSTANTIATE_TEST_SUITE_P(
    Changes, KeptDrawingTest,
    ::testing::Values(
        KeptCase{"needsDisplay",
                 [](CountingView& v) {
                     v.color = Color::blueColor();
                     v.setNeedsDisplay();
                 },
                 1,
                 {25, 150},
                 Color::blueColor()},
        KeptCase{"noLongerCurrent",
                 [](CountingView& v) {
                     v.color = Color::blueColor();
                     v.current = false;
                 },
                 1,
                 {25, 150},
                 Color::blueColor()},
        KeptCase{"resized",
                 [](CountingView& v) {
                     v.setFrame({0, 100, 200, 100});
                 },
                 1,
                 {75, 150},
                 Color::redColor()},
        KeptCase{"moreDevicePixels", [](CountingView&) {}, 2, {49.75, 150}, Color::redColor()}),
    [](const ::testing::TestParamInfo<KeptCase>& info) { return info.param.name; });

namespace {

// Marks apart from each other on a clear layer: a slanted line, a line down, a dot in the far
// corner.
class MarksView : public View {
public:
    explicit MarksView(const Rect& frame) : View(frame) { setDrawsInOwnLayer(true); }
    void draw(GraphicsContext& context, const Rect& rect) override {
        context.setStrokeColor(Color::redColor());
        context.setLineWidth(1);
        context.strokeLine({20, 20}, {70, 45});
        context.strokeLine({10.5, 5}, {10.5, 90});
        context.setFillColor(Color::blueColor());
        context.fillRect({rect.maxX() - 1, rect.maxY() - 1, 1, 1});
    }
};

}  // namespace

TEST_F(Rendering, shouldShowAKeptLayerPixelForPixelAsItWasDrawn) {
    add(std::make_unique<View>(Rect{0, 100, 200, 200}))->setBackgroundColor(Color::greenColor());
    auto* view = add(std::make_unique<MarksView>(Rect{20.5, 110, 100, 100}));
    view->setKeepsDrawing(true);
    for (double scale : {1.0, 2.0}) {
        const Screen shown({320, 568}, scale);
        const QImage drawn = shown.renderImage();
        EXPECT_EQ(shown.renderImage(), drawn) << "scale " << scale;
    }
}
