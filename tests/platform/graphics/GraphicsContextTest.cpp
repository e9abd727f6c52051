#include <gtest/gtest.h>

#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPen>
#include <numbers>

#include "platform/graphics/GraphicsContext.h"

namespace {

// Paints with a fresh context on a transparent 100 x 100 canvas.
template <typename Paint>
QImage paint(Paint&& body, int width = 100, int height = 100) {
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    GraphicsContext context(painter);
    body(context);
    painter.end();
    return image;
}

QColor at(const QImage& image, int x, int y) {
    return image.pixelColor(x, y);
}

bool isBlank(const QImage& image, const QRect& area) {
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            if (image.pixelColor(x, y).alpha() != 0) {
                return false;
            }
        }
    }
    return true;
}

}  // namespace

TEST(GraphicsContext, shouldFillRectOnlyInsideItsBounds) {
    QImage image = paint([](GraphicsContext& ctx) {
        ctx.setFillColor(Color::rgb(255, 0, 0));
        ctx.fillRect({10, 20, 30, 40});
    });
    EXPECT_EQ(at(image, 10, 20), QColor(255, 0, 0));
    EXPECT_EQ(at(image, 39, 59), QColor(255, 0, 0));
    EXPECT_EQ(at(image, 40, 30).alpha(), 0);
    EXPECT_EQ(at(image, 20, 60).alpha(), 0);
    EXPECT_EQ(at(image, 9, 30).alpha(), 0);
}

TEST(GraphicsContext, shouldClipFillsToTheClipRect) {
    QImage image = paint([](GraphicsContext& ctx) {
        ctx.clipToRect({0, 0, 50, 100});
        ctx.setFillColor(Color::rgb(0, 0, 255));
        ctx.fillRect({0, 0, 100, 100});
    });
    EXPECT_EQ(at(image, 49, 50), QColor(0, 0, 255));
    EXPECT_EQ(at(image, 50, 50).alpha(), 0);
}

TEST(GraphicsContext, shouldClipToPathAndForgetClipOnRestore) {
    QImage image = paint([](GraphicsContext& ctx) {
        ctx.save();
        ctx.beginPath();
        ctx.moveTo({0, 0});
        ctx.addLineTo({100, 0});
        ctx.addLineTo({0, 100});
        ctx.closePath();
        ctx.clip();
        ctx.setFillColor(Color::rgb(0, 255, 0));
        ctx.fillRect({0, 0, 100, 100});
        ctx.restore();
        ctx.setFillColor(Color::rgb(255, 0, 0));
        ctx.fillRect({90, 90, 10, 10});
    });
    EXPECT_EQ(at(image, 10, 10), QColor(0, 255, 0));
    EXPECT_EQ(at(image, 80, 70).alpha(), 0);
    EXPECT_EQ(at(image, 95, 95), QColor(255, 0, 0));
}

TEST(GraphicsContext, shouldDrawGradientWithEndColoursAtItsEnds) {
    QImage image = paint([](GraphicsContext& ctx) {
        Gradient g({Color::rgb(255, 0, 0), Color::rgb(0, 0, 255)});
        ctx.drawLinearGradient(g, {0, 20}, {0, 80}, false, false);
    });
    EXPECT_GE(at(image, 50, 20).red(), 250);
    EXPECT_LE(at(image, 50, 20).blue(), 5);
    EXPECT_GE(at(image, 50, 79).blue(), 250);
    EXPECT_EQ(at(image, 50, 10).alpha(), 0);
    EXPECT_EQ(at(image, 50, 90).alpha(), 0);
}

TEST(GraphicsContext, shouldExtendGradientPastItsEndsWhenAsked) {
    QImage image = paint([](GraphicsContext& ctx) {
        Gradient g({Color::rgb(255, 0, 0), Color::rgb(0, 255, 0), Color::rgb(0, 0, 255)},
                   {0, 0.5, 1});
        ctx.drawLinearGradient(g, {20, 0}, {80, 0}, true, true);
    });
    EXPECT_EQ(at(image, 5, 50), QColor(255, 0, 0));
    EXPECT_EQ(at(image, 95, 50), QColor(0, 0, 255));
    EXPECT_GE(at(image, 50, 50).green(), 245);
}

TEST(GraphicsContext, shouldKeepGradientInsideClipAndBetweenSlantedEnds) {
    QImage image = paint([](GraphicsContext& ctx) {
        Gradient g({Color::rgb(255, 0, 0), Color::rgb(0, 0, 255)});
        ctx.save();
        ctx.clipToRect({30, 30, 20, 20});
        ctx.drawLinearGradient(g, {30, 0}, {50, 0}, false, false);
        ctx.restore();
        ctx.drawLinearGradient(g, {60, 60}, {80, 80}, false, false);
    });
    EXPECT_GE(at(image, 30, 40).red(), 240);
    EXPECT_GE(at(image, 49, 40).blue(), 240);
    EXPECT_EQ(at(image, 40, 20).alpha(), 0);
    EXPECT_EQ(at(image, 40, 55).alpha(), 0);
    EXPECT_GE(at(image, 60, 60).red(), 240);
    EXPECT_GE(at(image, 79, 79).blue(), 240);
    EXPECT_EQ(at(image, 57, 57).alpha(), 0);
    EXPECT_EQ(at(image, 83, 83).alpha(), 0);
}

TEST(GraphicsContext, shouldStrokeDashedLineWithGaps) {
    QImage image = paint([](GraphicsContext& ctx) {
        ctx.setShouldAntialias(false);
        ctx.setStrokeColor(Color::rgb(238, 101, 0));
        ctx.setLineWidth(1);
        ctx.setLineDash(0, {4, 4});
        ctx.strokeLine({0, 10.5}, {100, 10.5});
    });
    EXPECT_EQ(at(image, 1, 10), QColor(238, 101, 0));
    EXPECT_EQ(at(image, 5, 10).alpha(), 0);
    EXPECT_EQ(at(image, 9, 10), QColor(238, 101, 0));
}

TEST(GraphicsContext, shouldClearRectToTransparent) {
    QImage image = paint([](GraphicsContext& ctx) {
        ctx.setFillColor(Color::white(1));
        ctx.fillRect({0, 0, 100, 100});
        ctx.clearRect({10, 10, 10, 10});
    });
    EXPECT_EQ(at(image, 15, 15).alpha(), 0);
    EXPECT_EQ(at(image, 25, 15), QColor(255, 255, 255));
}

TEST(GraphicsContext, shouldDrawChineseTextWithGlyphsInsideItsRect) {
    QImage image = paint(
        [](GraphicsContext& ctx) {
            ctx.setFillColor(Color::blackColor());
            ctx.drawText("行情交易", {10, 10, 180, 30}, Font::named("Helvetica-Bold", 16));
        },
        200, 60);
    EXPECT_FALSE(isBlank(image, QRect(10, 10, 70, 25)));
    EXPECT_TRUE(isBlank(image, QRect(100, 0, 100, 60)));
    EXPECT_TRUE(isBlank(image, QRect(0, 40, 200, 20)));
}

TEST(GraphicsContext, shouldAlignTextToTheRight) {
    QImage image = paint(
        [](GraphicsContext& ctx) {
            ctx.setFillColor(Color::blackColor());
            ctx.drawText("12.50", {0, 0, 200, 30}, Font::system(14), LineBreakMode::Clip,
                         TextAlignment::Right);
        },
        200, 30);
    EXPECT_TRUE(isBlank(image, QRect(0, 0, 140, 30)));
    EXPECT_FALSE(isBlank(image, QRect(150, 0, 50, 30)));
}

TEST(GraphicsContextText, shouldDrawDistinctGlyphsForChineseCharactersNotBoxes) {
    QFontMetrics metrics(Font::named("Helvetica-Bold", 16).toQFont());
    EXPECT_TRUE(metrics.inFontUcs4(U'行'));
    EXPECT_TRUE(metrics.inFontUcs4(U'摘'));
    auto render = [](const std::string& text) {
        return paint(
            [&](GraphicsContext& ctx) {
                ctx.setFillColor(Color::blackColor());
                ctx.drawText(text, {0, 0, 40, 30}, Font::named("Helvetica-Bold", 16));
            },
            40, 30);
    };
    // A missing glyph draws the same box for every character.
    QImage a = render("行");
    QImage b = render("摘");
    QImage c = render("情");
    EXPECT_NE(a, b);
    EXPECT_NE(b, c);
    EXPECT_NE(a, c);
}

struct StrokeCase {
    const char* name;
    std::vector<std::vector<Point>> subpaths;
    bool close;
    std::vector<double> dash;
    int pixelsApartPerJoint = 3;  // sharp turns lose the painter's miter spikes
};

class StrokeLikeThePainterTest : public ::testing::TestWithParam<StrokeCase> {};

// Lines are stroked through a faster route than the painter's path stroke; the picture stays
// the painter's, apart from a few pixels' shading where segments meet.
TEST_P(StrokeLikeThePainterTest, shouldCoverWhatThePaintersOwnStrokeCovers) {
    const StrokeCase c = GetParam();
    const auto draw = [&](auto&& stroke) {
        QImage image(240, 240, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        painter.scale(2, 2);
        painter.setRenderHint(QPainter::Antialiasing, true);
        stroke(painter);
        painter.end();
        return image;
    };
    const QImage ours = draw([&](QPainter& painter) {
        GraphicsContext context(painter);
        context.setStrokeColor(Color::rgb(246, 215, 58));
        context.setLineWidth(1);
        context.setLineDash(0, c.dash);
        context.beginPath();
        for (const auto& points : c.subpaths) {
            context.moveTo(points.front());
            for (size_t i = 1; i < points.size(); ++i) {
                context.addLineTo(points[i]);
            }
            if (c.close) {
                context.closePath();
            }
        }
        context.strokePath();
    });
    const QImage painters = draw([&](QPainter& painter) {
        QPainterPath path;
        for (const auto& points : c.subpaths) {
            path.moveTo(points.front().x, points.front().y);
            for (size_t i = 1; i < points.size(); ++i) {
                path.lineTo(points[i].x, points[i].y);
            }
            if (c.close) {
                path.closeSubpath();
            }
        }
        QPen pen(QColor(246, 215, 58));
        pen.setWidthF(1);
        pen.setCapStyle(Qt::FlatCap);
        pen.setJoinStyle(Qt::MiterJoin);
        if (!c.dash.empty()) {
            pen.setDashPattern(QList<qreal>(c.dash.begin(), c.dash.end()));
        }
        painter.setPen(pen);
        painter.drawPath(path);
    });
    int joints = 0;
    for (const auto& points : c.subpaths) {
        joints += static_cast<int>(points.size()) - 2 + (c.close ? 1 : 0);
    }
    int covered = 0;
    int apart = 0;
    for (int y = 0; y < ours.height(); ++y) {
        for (int x = 0; x < ours.width(); ++x) {
            const int a = ours.pixelColor(x, y).alpha();
            const int b = painters.pixelColor(x, y).alpha();
            covered += b > 0 ? 1 : 0;
            apart += std::abs(a - b) > 24 ? 1 : 0;
        }
    }
    EXPECT_GT(covered, 100);
    EXPECT_LE(apart, c.pixelsApartPerJoint * joints) << apart << " pixels apart of " << covered;
}

INSTANTIATE_TEST_SUITE_P(
    Shapes, StrokeLikeThePainterTest,
    ::testing::Values(
        StrokeCase{
            "zigzag", {{{5, 60}, {20, 10}, {35, 100}, {50, 40}, {65, 70}, {80, 20}}}, false, {}, 8},
        StrokeCase{"gentleCurve",
                   {{{5, 60}, {25, 50}, {45, 44}, {65, 42}, {85, 45}, {105, 55}}},
                   false,
                   {}},
        StrokeCase{"rightAngle", {{{10, 10}, {60, 10}, {60, 60}}}, false, {}},
        StrokeCase{"twoLines", {{{10, 10}, {110, 100}}, {{10, 100}, {110, 10}}}, false, {}},
        StrokeCase{"closedTriangle", {{{10, 10}, {100, 20}, {40, 100}}}, true, {}},
        StrokeCase{"dashedPolyline", {{{5, 60}, {50, 20}, {100, 90}}}, false, {2, 2}}),
    [](const ::testing::TestParamInfo<StrokeCase>& info) { return std::string(info.param.name); });

TEST(GraphicsContext, shouldFillTheOuterCornerOfARightAngleTurn) {
    QImage image(160, 160, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.scale(2, 2);
    painter.setRenderHint(QPainter::Antialiasing, true);
    GraphicsContext context(painter);
    context.setStrokeColor(Color::rgb(246, 215, 58));
    context.setLineWidth(1);
    context.beginPath();
    context.moveTo({10, 10});
    context.addLineTo({60, 10});
    context.addLineTo({60, 60});
    context.strokePath();
    painter.end();
    // The square outside the turn, from (60, 9.5) to (60.5, 10): one pixel at twice the scale.
    EXPECT_EQ(image.pixelColor(120, 19), QColor(246, 215, 58));
    EXPECT_EQ(image.pixelColor(121, 18).alpha(), 0);
}
