#include <gtest/gtest.h>

#include <QBuffer>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>

#include "platform/graphics/Image.h"

namespace {

// A 10 x 10 picture: red left half, blue right half.
QImage halves() {
    QImage image(10, 10, QImage::Format_ARGB32);
    image.fill(QColor(0, 0, 255));
    for (int y = 0; y < 10; ++y) {
        for (int x = 0; x < 5; ++x) {
            image.setPixelColor(x, y, QColor(255, 0, 0));
        }
    }
    return image;
}

QImage drawn(const Image& image, const Rect& rect, int width = 40, int height = 40) {
    QImage canvas(width, height, QImage::Format_ARGB32_Premultiplied);
    canvas.fill(Qt::transparent);
    QPainter painter(&canvas);
    image.draw(painter, rect);
    painter.end();
    return canvas;
}

class ImageTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        Image::setResourceDirectory(m_dir.path().toStdString());
    }
    void TearDown() override { Image::setResourceDirectory(""); }
    QTemporaryDir m_dir;
};

}  // namespace

TEST_F(ImageTest, shouldLoadNamedImageWithOrWithoutExtension) {
    ASSERT_TRUE(halves().save(m_dir.filePath("halves.png")));
    EXPECT_EQ(Image::named("halves.png").size(), (Size{10, 10}));
    EXPECT_EQ(Image::named("halves").size(), (Size{10, 10}));
}

TEST_F(ImageTest, shouldPreferDoubleScaleFileAndHalveItsPointSize) {
    ASSERT_TRUE(halves().save(m_dir.filePath("icon@2x.png")));
    Image image = Image::named("icon.png");
    EXPECT_EQ(image.scale(), 2);
    EXPECT_EQ(image.size(), (Size{5, 5}));
}

TEST_F(ImageTest, shouldGiveEmptyImageThatDrawsNothingForMissingName) {
    Image image = Image::named("nothing-here.png");
    EXPECT_TRUE(image.isEmpty());
    QImage canvas = drawn(image, {0, 0, 40, 40});
    EXPECT_EQ(canvas.pixelColor(20, 20).alpha(), 0);
}

TEST_F(ImageTest, shouldDecodeBytesAndRefuseGarbage) {
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    halves().save(&buffer, "PNG");
    EXPECT_EQ(Image::fromData(png.constData(), png.size()).size(), (Size{10, 10}));
    EXPECT_TRUE(Image::fromData("not a picture", 13).isEmpty());
    EXPECT_TRUE(Image::fromData(nullptr, 0).isEmpty());
}

TEST_F(ImageTest, shouldStretchOnlyTheMiddleOfResizableImage) {
    QImage source = halves();
    Image image = Image::fromQImage(source).resizable({0, 4, 0, 4});
    QImage canvas = drawn(image, {0, 0, 40, 10});
    EXPECT_EQ(canvas.pixelColor(2, 5), QColor(255, 0, 0));
    EXPECT_EQ(canvas.pixelColor(37, 5), QColor(0, 0, 255));
    // Without caps the red half would cover 20 points.
    EXPECT_EQ(canvas.pixelColor(18, 5), QColor(255, 0, 0));
    EXPECT_EQ(canvas.pixelColor(22, 5), QColor(0, 0, 255));
}

TEST_F(ImageTest, shouldMirrorLeftToRight) {
    Image image = Image::fromQImage(halves()).mirrored();
    QImage canvas = drawn(image, {0, 0, 10, 10});
    EXPECT_EQ(canvas.pixelColor(1, 1), QColor(0, 0, 255));
    EXPECT_EQ(canvas.pixelColor(8, 1), QColor(255, 0, 0));
}
