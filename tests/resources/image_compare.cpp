// Compares two image files picture by picture (every image of an icon),
// allowing what differs between machines: the drawing's antialiased edges
// come out one step lighter or darker in a few pixels, with the maths
// library's last bits, and an 8-bit image may then pick a neighbouring
// palette colour for them. A changed drawing differs far more.
//   image_compare <generated> <committed>    exit 0 when alike
#include <QGuiApplication>
#include <QImage>
#include <QImageReader>
#include <QList>
#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace {

QList<QImage> Images(const char* path) {
    QImageReader reader(QString::fromLocal8Bit(path));
    QList<QImage> images;
    for (QImage image = reader.read(); !image.isNull(); image = reader.jumpToNextImage() ? reader.read() : QImage()) {
        images << image.convertToFormat(QImage::Format_ARGB32);
    }
    return images;
}

int ChannelDistance(QRgb a, QRgb b) {
    return std::max({std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)), std::abs(qBlue(a) - qBlue(b)),
                     std::abs(qAlpha(a) - qAlpha(b))});
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 3) return 2;
    const QList<QImage> generated = Images(argv[1]), committed = Images(argv[2]);
    bool alike = !generated.isEmpty() && generated.size() == committed.size();
    for (qsizetype i = 0; alike && i < generated.size(); ++i) {
        const QImage &a = generated[i], &b = committed[i];
        int slightly = 0, clearly = a.size() == b.size() ? 0 : 1;
        for (int y = 0; !clearly && y < a.height(); ++y) {
            for (int x = 0; x < a.width(); ++x) {
                const int d = ChannelDistance(a.pixel(x, y), b.pixel(x, y));
                clearly += d > 48;
                slightly += d > 2;
            }
        }
        // A few edge pixels, never a changed size, shape or colour.
        alike = clearly == 0 && slightly * 50 <= a.width() * a.height();
        if (!alike) {
            std::printf("image %d (%dx%d against %dx%d): %d pixels differ clearly, %d slightly\n", int(i), a.width(),
                        a.height(), b.width(), b.height(), clearly, slightly);
        }
    }
    if (generated.size() != committed.size())
        std::printf("%d images against %d\n", int(generated.size()), int(committed.size()));
    return alike ? 0 : 1;
}
