#include "assets/compiledpictures.h"
#include "tests/support/testmain.h"

#include <QTest>

#include <string>

// The pictures compiled in as pixels are the PNG files they are made from, pixel for pixel.
class TestCompiledPictures : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void sameAsTheirFiles_data();
    void sameAsTheirFiles();
    void referToTheCompiledPixels();
};

void TestCompiledPictures::sameAsTheirFiles_data()
{
    QTest::addColumn<QString>("name");
    for (const char *name : {"icon", "book", "book@2x", "door-green", "door-green@2x", "door-blue", "door-blue@2x", "about_logo",
                             "about_emblem", "about_tick", "about_tick_disabled"})
        QTest::newRow(name) << QString::fromLatin1(name);
}

void TestCompiledPictures::sameAsTheirFiles()
{
    QFETCH(QString, name);
    QImage file(QStringLiteral(PC_SOURCE_DIR "/assets/") + name + QStringLiteral(".png"));
    QVERIFY(!file.isNull());
    file.setDevicePixelRatio(1); // the reader takes "@2x" in a file name for the scale; the pixels are what count
    const QImage compiled = compiledPicture(name.toStdString());
    QCOMPARE(compiled.format(), QImage::Format_ARGB32);
    QCOMPARE(compiled, file.convertToFormat(QImage::Format_ARGB32));
}

void TestCompiledPictures::referToTheCompiledPixels()
{
    const QImage first = compiledPicture("book");
    const QImage second = compiledPicture("book");
    QCOMPARE(static_cast<const void *>(first.constBits()), static_cast<const void *>(second.constBits()));
    QVERIFY(compiledPicture("logo").isNull());
    QVERIFY(compiledPicture("").isNull());
}

PC_TEST_MAIN(TestCompiledPictures)
#include "tst_compiledpictures.moc"
