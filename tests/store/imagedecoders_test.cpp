#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>
#include <QtEndian>

#include "store/pictures/bmpcodec.h"
#include "store/pictures/gifdecoder.h"
#include "store/pictures/imagefile.h"
#include "store/pictures/jpegdecoder.h"
#include "store/pictures/tiffdecoder.h"
#include "support/testimages.h"

namespace kontavo {
namespace {

using test::encodeGif;
using test::encodeJpeg;
using test::encodeTiff;
using test::GifOptions;
using test::pixelOf;
using test::Rgb;
using test::TestImage;

Picture pictureOf(const TestImage& image) {
    QByteArray pixels(PictureBitmap::rowSize(image.width) * image.height, '\0');
    for (int y = 0; y < image.height; ++y) {
        char* row = pixels.data() + PictureBitmap::rowSize(image.width) * (image.height - 1 - y);
        for (int x = 0; x < image.width; ++x) {
            row[3 * x] = char(image.at(x, y).blue);
            row[3 * x + 1] = char(image.at(x, y).green);
            row[3 * x + 2] = char(image.at(x, y).red);
        }
    }
    return PictureBitmap::create(image.width, image.height, pixels);
}

void expectSameImage(const TestImage& expected, const ImageLoad& load, int tolerance = 0) {
    ASSERT_TRUE(load.ok()) << load.code;
    ASSERT_EQ(load.picture->width(), expected.width);
    ASSERT_EQ(load.picture->height(), expected.height);
    for (int y = 0; y < expected.height; ++y) {
        for (int x = 0; x < expected.width; ++x) {
            const Rgb want = expected.at(x, y);
            const Rgb got = pixelOf(*load.picture, x, y);
            ASSERT_NEAR(got.red, want.red, tolerance) << x << "," << y;
            ASSERT_NEAR(got.green, want.green, tolerance) << x << "," << y;
            ASSERT_NEAR(got.blue, want.blue, tolerance) << x << "," << y;
        }
    }
}

QByteArray hex(const char* text) {
    return QByteArray::fromHex(text);
}

// --- BMP ---------------------------------------------------------------

TEST(BmpCodecTest, OddWidthsArePaddedToFourBytesInTheGoldenLayout) {
    TestImage image{1, 2, {{1, 2, 3}, {4, 5, 6}}};
    // 1 pixel = 3 bytes + 1 pad per row; rows bottom-up, blue first.
    EXPECT_EQ(encodeBmp(*pictureOf(image)),
              hex("424d3e000000000000003600000028000000010000000200000001001800"
                  "000000000000000000000000000000000000000000000000"
                  "06050400"
                  "03020100"));
    TestImage three{3, 1, {{1, 1, 1}, {2, 2, 2}, {3, 3, 3}}};
    const QByteArray bytes = encodeBmp(*pictureOf(three));
    EXPECT_EQ(bytes.size(), 54 + 12);
    EXPECT_EQ(qFromLittleEndian<uint32_t>(bytes.constData() + 2), 66u);
    EXPECT_EQ(bytes.mid(54), hex("010101020202030303000000"));
}

TEST(BmpCodecTest, WrittenPicturesReadBackUnchanged) {
    for (int width : {1, 2, 3, 4, 5, 7}) {
        const TestImage image = TestImage::pattern(width, 3);
        expectSameImage(image, decodeBmp(encodeBmp(*pictureOf(image))));
    }
}

// A BMP of `bits` per pixel with the 40-byte header, `palette` as BGRA
// entries and `rows` already packed (bottom-up, padded).
QByteArray paletteBmp(int width, int height, int bits, const QByteArray& palette,
                      const QByteArray& rows, uint32_t used = 0) {
    QByteArray bytes(54, '\0');
    uchar* b = reinterpret_cast<uchar*>(bytes.data());
    b[0] = 'B';
    b[1] = 'M';
    qToLittleEndian<uint32_t>(uint32_t(54 + palette.size() + rows.size()), b + 2);
    qToLittleEndian<uint32_t>(uint32_t(54 + palette.size()), b + 10);
    qToLittleEndian<uint32_t>(40, b + 14);
    qToLittleEndian<int32_t>(width, b + 18);
    qToLittleEndian<int32_t>(height, b + 22);
    qToLittleEndian<uint16_t>(1, b + 26);
    qToLittleEndian<uint16_t>(uint16_t(bits), b + 28);
    qToLittleEndian<uint32_t>(used, b + 46);
    return bytes + palette + rows;
}

TEST(BmpCodecTest, PaletteDepthsAndTheCoreHeaderDecode) {
    const QByteArray palette = hex("0000ff00" "00ff0000");  // red, green (BGRA)
    // 1 bit: 10 pixels alternate red/green; one row of 4 bytes.
    ImageLoad one = decodeBmp(paletteBmp(10, 1, 1, palette, hex("55400000"), 2));
    ASSERT_TRUE(one.ok());
    EXPECT_EQ(pixelOf(*one.picture, 0, 0), (Rgb{255, 0, 0}));
    EXPECT_EQ(pixelOf(*one.picture, 1, 0), (Rgb{0, 255, 0}));
    EXPECT_EQ(pixelOf(*one.picture, 9, 0), (Rgb{0, 255, 0}));
    // 4 bits, two rows bottom-up: the file's first row is the picture's last.
    ImageLoad four = decodeBmp(paletteBmp(3, 2, 4, palette, hex("01000000" "10100000"), 2));
    ASSERT_TRUE(four.ok());
    EXPECT_EQ(pixelOf(*four.picture, 0, 0), (Rgb{0, 255, 0}));
    EXPECT_EQ(pixelOf(*four.picture, 1, 0), (Rgb{255, 0, 0}));
    EXPECT_EQ(pixelOf(*four.picture, 1, 1), (Rgb{0, 255, 0}));
    // 8 bits, top-down through a negative height.
    ImageLoad eight = decodeBmp(paletteBmp(2, -2, 8, palette, hex("00010000" "01000000"), 2));
    ASSERT_TRUE(eight.ok());
    EXPECT_EQ(pixelOf(*eight.picture, 0, 0), (Rgb{255, 0, 0}));
    EXPECT_EQ(pixelOf(*eight.picture, 0, 1), (Rgb{0, 255, 0}));
    // The 12-byte core header with three-byte palette entries.
    const QByteArray core = hex("424d" "00000000" "00000000" "20000000"  // file header, pixels at 32
                                "0c000000" "0200" "0100" "0100" "0100"     // 2 x 1, 1 plane, 1 bit
                                "0000ff" "00ff00"                          // red, green
                                "40000000");                               // pixels 0, 1
    ImageLoad coreLoad = decodeBmp(core);
    ASSERT_TRUE(coreLoad.ok());
    EXPECT_EQ(pixelOf(*coreLoad.picture, 0, 0), (Rgb{255, 0, 0}));
    EXPECT_EQ(pixelOf(*coreLoad.picture, 1, 0), (Rgb{0, 255, 0}));
}

TEST(BmpCodecTest, MalformedFilesAreRefused) {
    const QByteArray palette = hex("0000ff00" "00ff0000");
    // An index past the two-entry table.
    EXPECT_EQ(decodeBmp(paletteBmp(1, 1, 8, palette, hex("02000000"), 2)).code,
              imagecode::kUnsupported);
    // Rows cut short.
    EXPECT_EQ(decodeBmp(paletteBmp(4, 2, 24, {}, hex("00"))).code, imagecode::kUnsupported);
    // 16 bits per pixel, compression, no signature.
    EXPECT_EQ(decodeBmp(paletteBmp(1, 1, 16, {}, hex("00000000"))).code, imagecode::kUnsupported);
    QByteArray compressed = paletteBmp(1, 1, 24, {}, hex("00000000"));
    compressed[30] = 1;
    EXPECT_EQ(decodeBmp(compressed).code, imagecode::kUnsupported);
    EXPECT_EQ(decodeBmp(QByteArray("XM") + QByteArray(60, '\0')).code, imagecode::kUnsupported);
    EXPECT_EQ(decodeBmp({}).code, imagecode::kUnsupported);
}

TEST(BmpCodecTest, ImagesPastTheLimitsAreRefusedBeforeAllocating) {
    // 20000 x 1 claims a side past 16384; 10000 x 10000 past 64 Mpixels.
    EXPECT_EQ(decodeBmp(paletteBmp(20000, 1, 24, {}, {})).code, imagecode::kNoMemory);
    EXPECT_EQ(decodeBmp(paletteBmp(10000, 10000, 24, {}, {})).code, imagecode::kNoMemory);
}

// --- JPEG --------------------------------------------------------------

TEST(JpegDecoderTest, DecodesTheLibrarysOwnImage) {
    const TestImage image = TestImage::pattern(64, 48);
    expectSameImage(image, decodeJpeg(encodeJpeg(image, 100), 4), 12);
}

TEST(JpegDecoderTest, ReducesTheOutputWhenTheFullSizeIsRefused) {
    const TestImage image = TestImage::pattern(400, 300);
    const QByteArray jpeg = encodeJpeg(image);
    DecodeControl control;
    control.limits.maxPixels = 100 * 100;
    const ImageLoad reduced = decodeJpeg(jpeg, 4, control);
    ASSERT_TRUE(reduced.ok());
    EXPECT_EQ(reduced.picture->width(), 100);
    EXPECT_EQ(reduced.picture->height(), 75);
    // Allowed no more than half: still too big, reported as memory.
    EXPECT_EQ(decodeJpeg(jpeg, 2, control).code, imagecode::kNoMemory);
}

TEST(JpegDecoderTest, DamagedAndForeignBytesFailWithoutEscaping) {
    const QByteArray jpeg = encodeJpeg(TestImage::pattern(32, 32));
    EXPECT_EQ(decodeJpeg(jpeg.left(20), 4).code, imagecode::kUnsupported);
    EXPECT_EQ(decodeJpeg(QByteArray("GIF89a"), 4).code, imagecode::kUnsupported);
    QByteArray damaged = jpeg;
    for (qsizetype i = 200; i < damaged.size(); i += 7) {
        damaged[i] = char(0xFF);
    }
    const ImageLoad load = decodeJpeg(damaged, 4);  // either way, no crash and a clean result
    EXPECT_TRUE(load.ok() || load.code == imagecode::kUnsupported);
}

// --- GIF ---------------------------------------------------------------

TEST(GifDecoderTest, InterlacedRowsLandInTheirPlaces) {
    TestImage image{2, 11, {}};
    for (int y = 0; y < 11; ++y) {
        image.pixels.append(Rgb{uint8_t(y * 20), 0, 0});
        image.pixels.append(Rgb{0, uint8_t(y * 20), 0});
    }
    GifOptions interlaced;
    interlaced.interlaced = true;
    expectSameImage(image, decodeGif(encodeGif(image, interlaced)));
    expectSameImage(image, decodeGif(encodeGif(image)));
}

TEST(GifDecoderTest, TheScreenAroundTheImageTakesTheBackgroundColour) {
    TestImage image{2, 1, {{10, 20, 30}, {40, 50, 60}}};
    GifOptions options;
    options.screenWidth = 4;
    options.screenHeight = 2;
    options.left = 1;
    options.top = 1;
    options.background = 1;
    const ImageLoad load = decodeGif(encodeGif(image, options));
    ASSERT_TRUE(load.ok());
    ASSERT_EQ(load.picture->width(), 4);
    EXPECT_EQ(pixelOf(*load.picture, 0, 0), (Rgb{40, 50, 60}));
    EXPECT_EQ(pixelOf(*load.picture, 1, 1), (Rgb{10, 20, 30}));
    EXPECT_EQ(pixelOf(*load.picture, 3, 1), (Rgb{40, 50, 60}));
}

TEST(GifDecoderTest, ColourMapsAreRequiredAndIndicesChecked) {
    TestImage image{2, 1, {{10, 20, 30}, {40, 50, 60}}};
    GifOptions local;
    local.localMap = true;
    expectSameImage(image, decodeGif(encodeGif(image, local)));
    GifOptions none;
    none.noMap = true;
    EXPECT_EQ(decodeGif(encodeGif(image, none)).code, imagecode::kUnsupported);
    // Two colours make a two-entry map; index 3 lies past it.
    EXPECT_EQ(decodeGif(encodeGif(image, {}, 3)).code, imagecode::kUnsupported);
    EXPECT_EQ(decodeGif(encodeGif(image).left(20)).code, imagecode::kUnsupported);
}

// --- TIFF --------------------------------------------------------------

TEST(TiffDecoderTest, StripsIncludingAPartialLastOneKeepRowOrder) {
    const TestImage image = TestImage::pattern(5, 7);
    for (int rows : {1, 2, 3, 7, 100}) {
        expectSameImage(image, decodeTiff(encodeTiff(image, rows)));
    }
    EXPECT_EQ(decodeTiff(QByteArray("II*\0garbage", 11)).code, imagecode::kUnsupported);
}

// --- LoadImageFile -----------------------------------------------------

class ImageFileTest : public ::testing::Test {
protected:
    QString write(const QString& name, const QByteArray& bytes) {
        const QString path = m_dir.filePath(name);
        QFile file(path);
        file.open(QIODevice::WriteOnly);
        file.write(bytes);
        return path;
    }
    QTemporaryDir m_dir;
};

TEST_F(ImageFileTest, ExtensionsChooseTheDecoderWithoutRegardToCase) {
    EXPECT_EQ(formatForFileName("photo.JPG"), ImageFormat::Jpeg);
    EXPECT_EQ(formatForFileName("a.b.jfif"), ImageFormat::Jpeg);
    EXPECT_EQ(formatForFileName("x.Jpe"), ImageFormat::Jpeg);
    EXPECT_EQ(formatForFileName("scan.tif"), ImageFormat::Tiff);
    EXPECT_EQ(formatForFileName("anim.GIF"), ImageFormat::Gif);
    EXPECT_EQ(formatForFileName("p.bmp"), ImageFormat::Bmp);
    EXPECT_EQ(formatForFileName("noextension"), ImageFormat::Unknown);
    EXPECT_EQ(formatForFileName("photo.dat"), ImageFormat::Unknown);
    EXPECT_EQ(pictureExtensions().removeDuplicates(), 0);
    EXPECT_TRUE(pictureExtensions().contains(".gif"));
    EXPECT_TRUE(pictureExtensions().contains(".jpe"));
}

TEST_F(ImageFileTest, AGifUnderAnotherNameIsFoundByTryingTheDecodersInTurn) {
    const TestImage image = TestImage::pattern(3, 3);
    const QByteArray gif = encodeGif(image);
    ImageLoad dat = loadImageFile(write("photo.dat", gif), 4);
    expectSameImage(image, dat);
    EXPECT_EQ(dat.format, ImageFormat::Gif);
    EXPECT_EQ(loadImageFile(write("photo.JPG", gif), 4).format, ImageFormat::Gif);
    const ImageLoad jpeg = loadImageFile(write("photo.JPG", encodeJpeg(image)), 4);
    EXPECT_EQ(jpeg.format, ImageFormat::Jpeg);
    EXPECT_EQ(loadImageFile(write("p.tif", encodeTiff(image, 2)), 4).format, ImageFormat::Tiff);
    EXPECT_EQ(loadImageFile(write("p.gif", encodeBmp(*pictureOf(image))), 4).format,
              ImageFormat::Bmp);
}

TEST_F(ImageFileTest, ErrorCodesNameWhatWentWrong) {
    EXPECT_EQ(loadImageFile(m_dir.filePath("missing.jpg"), 4).code, imagecode::kCannotOpen);
    EXPECT_EQ(loadImageFile(write("text.bmp", "hello, world"), 4).code, imagecode::kUnsupported);
    // Too large for the limits: the attempt ends with -3, nothing else tried.
    TestImage image = TestImage::pattern(50, 50);
    DecodeControl small;
    small.limits.maxPixels = 100;
    EXPECT_EQ(loadImageFile(write("big.bmp", encodeBmp(*pictureOf(image))), 4, small).code,
              imagecode::kNoMemory);
}

TEST_F(ImageFileTest, ASetCancelFlagStopsEveryDecoder) {
    const TestImage image = TestImage::pattern(20, 20);
    std::atomic<bool> cancel{true};
    DecodeControl control;
    control.cancel = &cancel;
    EXPECT_EQ(decodeJpeg(encodeJpeg(image), 4, control).code, imagecode::kCancelled);
    EXPECT_EQ(decodeGif(encodeGif(TestImage{1, 1, {{1, 2, 3}}}), control).code,
              imagecode::kCancelled);
    EXPECT_EQ(decodeTiff(encodeTiff(image, 4), control).code, imagecode::kCancelled);
    EXPECT_EQ(decodeBmp(encodeBmp(*pictureOf(image)), control).code, imagecode::kCancelled);
    EXPECT_EQ(loadImageFile(write("x.dat", encodeTiff(image, 4)), 4, control).code,
              imagecode::kCancelled);
}

}  // namespace
}  // namespace kontavo
