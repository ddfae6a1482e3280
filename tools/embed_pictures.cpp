// Writes the program's pictures as compiled-in pixels: a C++ source defining
// kCompiledPictures (assets/compiledpictures.h) from PNG files, each named by its file name
// without the ".png".
//   embed_pictures OUT.cpp PICTURE.png...
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QSaveFile>

#include <cstdio>

int main(int argc, char **argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: embed_pictures OUT.cpp PICTURE.png...\n");
        return 2;
    }
    QByteArray pixels;
    QByteArray table;
    for (int i = 2; i < argc; ++i) {
        const QString path = QString::fromLocal8Bit(argv[i]);
        const QImage image = QImage(path).convertToFormat(QImage::Format_ARGB32);
        if (image.isNull()) {
            std::fprintf(stderr, "embed_pictures: cannot read %s\n", argv[i]);
            return 1;
        }
        const QByteArray name = QFileInfo(path).completeBaseName().toUtf8();
        const QByteArray array = "picture" + QByteArray::number(i - 2);
        pixels += "// " + name + ", " + QByteArray::number(image.width()) + " x " + QByteArray::number(image.height())
            + "\nconst std::uint32_t " + array + "[] = {";
        for (int y = 0; y < image.height(); ++y) {
            const auto *line = reinterpret_cast<const QRgb *>(image.constScanLine(y));
            pixels += "\n   ";
            for (int x = 0; x < image.width(); ++x)
                pixels += " 0x" + QByteArray::number(line[x], 16).rightJustified(8, '0') + ',';
        }
        pixels += "\n};\n\n";
        table += "    {\"" + name + "\", " + QByteArray::number(image.width()) + ", "
            + QByteArray::number(image.height()) + ", " + array + "},\n";
    }
    QSaveFile out(QString::fromLocal8Bit(argv[1]));
    if (!out.open(QIODevice::WriteOnly)) {
        std::fprintf(stderr, "embed_pictures: cannot write %s\n", argv[1]);
        return 1;
    }
    out.write("// Generated at build time by tools/embed_pictures: 32-bit ARGB pixels, row by row.\n"
              "#include \"assets/compiledpictures.h\"\n\n#include <iterator>\n\n"
              "namespace {\n\n"
              + pixels + "} // namespace\n\n"
              "extern const CompiledPicture kCompiledPictures[] = {\n" + table + "};\n"
              "extern const std::size_t kCompiledPictureCount = std::size(kCompiledPictures);\n");
    return out.commit() ? 0 : 1;
}
