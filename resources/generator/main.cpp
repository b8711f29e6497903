// Draws the program's icon and About picture and writes them, byte for byte
// the same on every run, into the folder given on the command line.
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <cstdio>

#include "resources/generator/bmp_writer.h"
#include "resources/generator/drawing.h"
#include "resources/generator/ico_writer.h"

namespace {

bool WriteFile(const QDir& folder, const QString& name, const resgen::Bytes& bytes) {
    QFile file(folder.filePath(name));
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<qint64>(bytes.size())) ==
               static_cast<qint64>(bytes.size());
}

}  // namespace

int main(int argc, char** argv) {
    // No screen is needed: everything is drawn into images.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: resource_generator <output folder>\n");
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    if (!folder.mkpath(".")) {
        std::fprintf(stderr, "resource_generator: cannot create %s\n", argv[1]);
        return 1;
    }

    // The order of the images inside the icon is part of the program's identity.
    const resgen::Bytes icon = resgen::EncodeIcon({
        {resgen::DrawIcon(32), 8},
        {resgen::DrawIcon(16), 8},
        {resgen::DrawIcon(128), 32},
        {resgen::DrawIcon(48), 32},
        {resgen::DrawIcon(32), 32},
        {resgen::DrawIcon(16), 32},
    });
    bool ok = WriteFile(folder, "Tessarin.ico", icon);
    ok = WriteFile(folder, "about.bmp", resgen::EncodeBmp24(resgen::DrawAboutPicture())) && ok;
    for (int size : {16, 32, 48, 128, 256}) {
        ok = resgen::DrawIcon(size).save(folder.filePath(QString("tessarin-%1.png").arg(size)), "PNG") && ok;
    }
    if (!ok) {
        std::fprintf(stderr, "resource_generator: cannot write into %s\n", argv[1]);
        return 1;
    }
    return 0;
}
