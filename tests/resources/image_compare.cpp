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

QList<QImage> Images(const QString& path) {
    QImageReader reader(path);
    QList<QImage> images;
    do {
        QImage image = reader.read();
        if (image.isNull()) break;
        images << image.convertToFormat(QImage::Format_ARGB32);
    } while (reader.jumpToNextImage());
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
    const QList<QImage> generated = Images(QString::fromLocal8Bit(argv[1]));
    const QList<QImage> committed = Images(QString::fromLocal8Bit(argv[2]));
    if (generated.isEmpty() || generated.size() != committed.size()) {
        std::printf("%lld images against %lld\n", static_cast<long long>(generated.size()),
                    static_cast<long long>(committed.size()));
        return 1;
    }
    bool alike = true;
    for (qsizetype i = 0; i < generated.size(); ++i) {
        const QImage& a = generated[i];
        const QImage& b = committed[i];
        if (a.size() != b.size()) {
            std::printf("image %lld: %dx%d against %dx%d\n", static_cast<long long>(i), a.width(), a.height(),
                        b.width(), b.height());
            alike = false;
            continue;
        }
        int slightly = 0, clearly = 0;
        for (int y = 0; y < a.height(); ++y) {
            for (int x = 0; x < a.width(); ++x) {
                const int d = ChannelDistance(a.pixel(x, y), b.pixel(x, y));
                if (d > 48)
                    ++clearly;
                else if (d > 2)
                    ++slightly;
            }
        }
        // A few edge pixels, never a changed shape or colour.
        const int pixels = a.width() * a.height();
        if (clearly > 0 || slightly * 50 > pixels) {
            std::printf("image %lld (%dx%d): %d pixels differ clearly, %d slightly\n", static_cast<long long>(i),
                        a.width(), a.height(), clearly, slightly);
            alike = false;
        }
    }
    return alike ? 0 : 1;
}
