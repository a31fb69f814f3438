#include "card/pictureeditor.h"

#include <gtest/gtest.h>

#include <cmath>

#include "card/picturerender.h"

namespace kontavo {
namespace {

// A picture whose every pixel tells where it is: red = x, green = y.
Picture coordinates(int width, int height) {
    const qsizetype stride = PictureBitmap::rowSize(width);
    QByteArray pixels(stride * height, '\0');
    for (int y = 0; y < height; ++y) {
        char* row = pixels.data() + stride * (height - 1 - y);
        for (int x = 0; x < width; ++x) {
            row[3 * x + 2] = char(x);
            row[3 * x + 1] = char(y);
        }
    }
    return PictureBitmap::create(width, height, pixels);
}

// (red, green) of the result's pixel (x, y).
std::pair<int, int> at(const PictureBitmap& picture, int x, int y) {
    const qsizetype stride = PictureBitmap::rowSize(picture.width());
    const auto* row = reinterpret_cast<const uchar*>(picture.pixels().constData()) +
                      stride * (picture.height() - 1 - y);
    return {row[3 * x + 2], row[3 * x + 1]};
}

TEST(PictureEditorTest, TheZoomLadderMeetsAtOneAndGrowsByAFifth) {
    EXPECT_DOUBLE_EQ(PictureEditor::scaleForZoom(49), 1.0);
    EXPECT_DOUBLE_EQ(PictureEditor::scaleForZoom(48), 1 / 1.1);
    EXPECT_NEAR(PictureEditor::scaleForZoom(0), std::pow(1 / 1.1, 49), 1e-12);
    EXPECT_DOUBLE_EQ(PictureEditor::scaleForZoom(50), 1.2);
    EXPECT_DOUBLE_EQ(PictureEditor::scaleForZoom(99), 11.0);
}

TEST(PictureEditorTest, LargePicturesStartShrunkByTheLargerNumberOfSteps) {
    const PictureEditor::Start photo = PictureEditor::startFor({640, 480}, 72);
    EXPECT_EQ(photo.zoom, 26);  // 23 steps for 640, 20 for 480
    EXPECT_NEAR(photo.scale, std::pow(1 / 1.1, 23), 1e-12);
    EXPECT_LE(640 * photo.scale, 72.0);
    EXPECT_EQ(PictureEditor::startFor({60, 72}, 72).zoom, 49);
    EXPECT_EQ(PictureEditor::startFor({60, 72}, 72).scale, 1.0);
    EXPECT_EQ(PictureEditor::startFor({640, 480}, 144).zoom, 33);  // 192 dpi: 16 steps
    EXPECT_EQ(PictureEditor::startFor({100000, 10}, 72).zoom, 0);  // at most 49 steps
}

TEST(PictureEditorTest, ZoomingKeepsThePointUnderTheCentreWhenItIsOnTheImage) {
    PictureEditor editor(72);
    editor.setViewSize({400, 400});
    editor.open(coordinates(60, 60));
    editor.dragBy({10, -4});
    editor.setZoom(54);  // scale 2.0
    EXPECT_DOUBLE_EQ(editor.scale(), 2.0);
    EXPECT_EQ(editor.drag(), QPointF(20, -8));
    editor.setOneToOne();
    EXPECT_EQ(editor.zoom(), 49);
    EXPECT_EQ(editor.drag(), QPointF(10, -4));
    // Off the image, the displacement stays as it is.
    editor.dragBy({90, 0});
    editor.setZoom(50);
    EXPECT_EQ(editor.drag(), QPointF(100, -4));
}

TEST(PictureEditorTest, DraggingKeepsTenPixelsOfTheImageInTheView) {
    PictureEditor editor(72);
    editor.setViewSize({240, 200});
    editor.open(coordinates(60, 60));
    editor.dragBy({1000, -1000});
    EXPECT_DOUBLE_EQ(editor.imageRect().left(), 230.0);
    EXPECT_DOUBLE_EQ(editor.imageRect().bottom(), 10.0);
    editor.dragBy({-5000, 0});
    EXPECT_DOUBLE_EQ(editor.imageRect().right(), 10.0);
}

TEST(PictureEditorTest, RotatingTurnsAroundThePointUnderTheFrameCentre) {
    PictureEditor editor(72);
    editor.setViewSize({400, 400});
    editor.open(coordinates(100, 50));
    editor.dragBy({20, 0});  // the frame's centre is over image point (30, 25)
    editor.rotate();
    EXPECT_EQ(editor.rotation(), 1);
    EXPECT_EQ(editor.rotatedSize(), QSize(50, 100));
    EXPECT_EQ(editor.drag(), QPointF(0, 20));  // (30, 25) turned is (25, 30)
    for (int turn = 0; turn < 3; ++turn) {
        editor.rotate();
    }
    EXPECT_EQ(editor.rotation(), 0);
    EXPECT_EQ(editor.drag(), QPointF(20, 0));
    // Away from the frame, the image turns around its own centre.
    editor.dragBy({120, 0});
    editor.rotate();
    EXPECT_EQ(editor.drag(), QPointF(140, 0));
}

TEST(PictureEditorTest, OkHandsBackTheOpenedPictureWhenNothingChanged) {
    PictureEditor editor(72);
    const Picture small = coordinates(60, 60);
    editor.open(small);
    editor.dragBy({5, 0});  // still wholly inside the frame
    EXPECT_TRUE(editor.unchanged());
    EXPECT_EQ(editor.result(), small);
    editor.dragBy({10, 0});
    EXPECT_FALSE(editor.unchanged());
    const Picture cropped = editor.result();
    ASSERT_NE(cropped, nullptr);
    EXPECT_EQ(cropped->width(), 60 - 9);  // 15 pixels moved, 6 of them still free
    editor.clear();
    EXPECT_EQ(editor.result(), nullptr);
    PictureEditor empty(72);
    empty.open(nullptr);
    EXPECT_TRUE(empty.unchanged());
    EXPECT_EQ(empty.result(), nullptr);
}

TEST(PictureEditorTest, TenPixelsOrFewerUnderTheFrameGiveNoPicture) {
    PictureEditor editor(72);
    editor.setViewSize({400, 400});
    editor.open(coordinates(100, 100));
    editor.setOneToOne();
    editor.dragBy({76, 0});  // image left edge 10 pixels before the frame's right edge
    EXPECT_EQ(editor.result(), nullptr);
    editor.dragBy({-1, 0});
    const Picture strip = editor.result();
    ASSERT_NE(strip, nullptr);
    EXPECT_EQ(strip->width(), 11);
    EXPECT_EQ(strip->height(), 72);
}

TEST(PictureEditorTest, TheResultIsSampledFromTheTurnedImageUnderTheFrame) {
    PictureEditor editor(72);
    editor.open(nullptr);
    editor.replace(coordinates(100, 100));
    EXPECT_FALSE(editor.preview());
    editor.setOneToOne();
    const Picture straight = editor.result();
    ASSERT_NE(straight, nullptr);
    EXPECT_EQ(straight->width(), 72);
    EXPECT_EQ(at(*straight, 0, 0), std::make_pair(14, 14));
    EXPECT_EQ(at(*straight, 71, 71), std::make_pair(85, 85));
    editor.rotate();
    const Picture turned = editor.result();
    ASSERT_NE(turned, nullptr);
    EXPECT_EQ(at(*turned, 0, 0), std::make_pair(14, 85));
    EXPECT_EQ(at(*turned, 71, 0), std::make_pair(14, 14));
}

TEST(PictureEditorTest, AShrunkPhotoIsRenderedAtUpToTwiceTheFrame) {
    PictureEditor editor(72);
    editor.open(nullptr);
    editor.replace(coordinates(640, 480));
    EXPECT_EQ(editor.zoom(), 26);
    const Picture photo = editor.result();
    ASSERT_NE(photo, nullptr);
    EXPECT_NEAR(photo->width(), 143, 1);  // 640 * 1.1^-23 * 2
    EXPECT_NEAR(photo->height(), 107, 1);
    PictureEditor highResolution(144);
    highResolution.replace(coordinates(640, 480));
    ASSERT_NE(highResolution.result(), nullptr);
    EXPECT_NEAR(highResolution.result()->width(), 140, 1);  // 640 * 1.1^-16, no enlargement
}

TEST(PictureRenderTest, BilinearSamplesBlendNeighbours) {
    const Picture source = coordinates(2, 1);  // red 0 and 1
    const Picture doubled = renderBilinear({source.get(), 0, {0, 0}, 100.0}, QRect(0, 0, 200, 1));
    ASSERT_NE(doubled, nullptr);
    EXPECT_EQ(at(*doubled, 0, 0).first, 0);
    EXPECT_EQ(at(*doubled, 199, 0).first, 1);
    EXPECT_EQ(renderBilinear({source.get(), 0, {0, 0}, 1.0}, QRect()), nullptr);
}

}  // namespace
}  // namespace kontavo
