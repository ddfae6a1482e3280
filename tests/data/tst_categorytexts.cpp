#include "data/categorytexts.h"
#include "toolkit/text.h"

#include <QSet>
#include <QString>
#include <QTest>

#include <string>

// The category texts: which category value selects which entry, and the texts letter for letter.
class TestCategoryTexts : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void entries_data();
    void entries();
    void paragraphs_data();
    void paragraphs();
    void matching_data();
    void matching();
    void matchValuesAreDistinct();
    void textsAreCleanUtf8();
};

void TestCategoryTexts::entries_data()
{
    QTest::addColumn<int>("number");
    QTest::addColumn<QStringList>("matchValues");
    QTest::addColumn<QString>("title");
    QTest::addColumn<int>("lineCount");

    QTest::newRow("1 alkali metals") << 1 << QStringList{"Alkali Metaller"} << "Alkali Metaller" << 10;
    QTest::newRow("2 alkaline earth metals") << 2 << QStringList{"Toprak Alkali Metaller"} << "Toprak Alkali Metaller" << 0;
    QTest::newRow("3 transition elements") << 3 << QStringList{"Geçiş Elementleri"} << "Geçiş Elementleri" << 6;
    QTest::newRow("4 lanthanides and actinides")
        << 4 << QStringList{"Lantanitler (Nadir bulunuyor.)", "Aktinitler"} << "Yapay Elementler" << 0;
    QTest::newRow("5 other metals") << 5 << QStringList{"Diğer Metaller"} << "Diğer Metaller" << 0;
    QTest::newRow("6 non-metals") << 6 << QStringList{"Ametaller"} << "Ametaller" << 0;
    QTest::newRow("7 halogens") << 7 << QStringList{"Halojenler"} << "Halojenler" << 3;
    QTest::newRow("8 noble gases") << 8 << QStringList{"Soygazlar"} << "Soygazlar" << 1;
    QTest::newRow("9 hydrogen") << 9 << QStringList{"Hidrojen"} << "Hidrojen" << 0;
}

void TestCategoryTexts::entries()
{
    QFETCH(int, number);
    QFETCH(QStringList, matchValues);
    QFETCH(QString, title);
    QFETCH(int, lineCount);

    QCOMPARE(CategoryTextTable.entries().size(), std::size_t(CategoryTextTableType::Count));
    const CategoryEntry &entry = CategoryTextTable.entry(number);
    QCOMPARE(&entry, &CategoryTextTable.entries()[std::size_t(number - 1)]);
    QStringList actual;
    for (const std::string_view value : entry.MatchValues)
        actual << tk::qs(value);
    QCOMPARE(actual, matchValues);
    QCOMPARE(tk::qs(entry.Title), title);
    QCOMPARE(int(entry.Lines.size()), lineCount);
}

void TestCategoryTexts::paragraphs_data()
{
    QTest::addColumn<int>("number");
    QTest::addColumn<int>("paragraph");
    QTest::addColumn<int>("length");
    QTest::addColumn<QString>("start");
    QTest::addColumn<QString>("feature");

    // Lengths are in characters; the features are the spots where the texts' own punctuation is
    // easy to "correct" by mistake.
    QTest::newRow("1.1") << 1 << 1 << 181 << "I A grubunda" << "Li,Na,K,Rb,Cs ve Fr";
    QTest::newRow("1.2") << 1 << 2 << 35 << "Alkali Metallerin" << "Genel Özellikleri";
    QTest::newRow("1.3") << 1 << 3 << 139 << "1-Alkali" << "oluştururlar;bu nedenle";
    QTest::newRow("1.4") << 1 << 4 << 47 << "2-Birkaç" << "bileşikleri iyoniktir.";
    QTest::newRow("1.5") << 1 << 5 << 112 << "3-Metalik" << "gerği parlaktırlar;fakat";
    QTest::newRow("1.6") << 1 << 6 << 159 << "4-Aleve" << "kırmızı,sarı ve menekşe";
    QTest::newRow("1.7") << 1 << 7 << 37 << "5-Isı" << "çok iyi iletirler.";
    QTest::newRow("1.8") << 1 << 8 << 108 << "6-Bulundukları" << "küçük,atom";
    QTest::newRow("1.9") << 1 << 9 << 234 << "7-Diğer" << "düşüktür.Lityum,sodyum";
    QTest::newRow("1.10") << 1 << 10 << 171 << "Alkali metaller su" << "girip, hidrojen gazı verirler.Alkali";
    QTest::newRow("3.1") << 3 << 1 << 119 << "Periyodik tabloda, II A" << "metalleri(elementleri)";
    QTest::newRow("3.2") << 3 << 2 << 213 << "Her periyotta" << "4.,5.ve 6.periyotlarda";
    QTest::newRow("3.3 two blanks") << 3 << 3 << 197 << "Periyodik tablodaki" << "sonra  da I B";
    QTest::newRow("3.3 no blank") << 3 << 3 << 197 << "Periyodik tablodaki" << "oluşanVII B";
    QTest::newRow("3.4") << 3 << 4 << 114 << "Grup numaraları,genellikle" << "değerliğe karşılık gelir.";
    QTest::newRow("3.5") << 3 << 5 << 163 << "VIII B grubunda," << "fazladır.Örneğin Fe,Co ve Ni";
    QTest::newRow("3.6") << 3 << 6 << 177 << "Geçiş metallerinin" << "olduça serttir;bu";
    QTest::newRow("7.1") << 7 << 1 << 118 << "Periyodik tablonun VII A" << "flor,klor,brom,iyot";
    QTest::newRow("7.2") << 7 << 2 << 162 << "Astanin" << "bulunmazlar.Halejenür";
    QTest::newRow("7.3") << 7 << 3 << 89 << "Hepimizin" << "NaCl (yemek tuzu)";
    QTest::newRow("8.1") << 8 << 1 << 71 << "Bu gruba" << "tepkimeye girmezler.";
}

void TestCategoryTexts::paragraphs()
{
    QFETCH(int, number);
    QFETCH(int, paragraph);
    QFETCH(int, length);
    QFETCH(QString, start);
    QFETCH(QString, feature);

    const CategoryEntry &entry = CategoryTextTable.entry(number);
    QVERIFY(std::size_t(paragraph) <= entry.Lines.size());
    const QString text = tk::qs(entry.Lines[std::size_t(paragraph - 1)]);
    QCOMPARE(text.size(), length);
    QVERIFY2(text.startsWith(start), qPrintable(text));
    QVERIFY2(text.contains(feature), qPrintable(text));
    QVERIFY(!text.startsWith(u' ') && !text.endsWith(u' '));
}

void TestCategoryTexts::matching_data()
{
    QTest::addColumn<QString>("category");
    QTest::addColumn<int>("expectedEntry"); // 0: no entry

    // The thirteen values the element catalogue holds.
    QTest::newRow("Hidrojen") << "Hidrojen" << 9;
    QTest::newRow("Soygazlar") << "Soygazlar" << 8;
    QTest::newRow("Alkali Metaller") << "Alkali Metaller" << 1;
    QTest::newRow("Toprak Alkali Metaller") << "Toprak Alkali Metaller" << 2;
    QTest::newRow("Ametaller") << "Ametaller" << 6;
    QTest::newRow("Halojenler") << "Halojenler" << 7;
    QTest::newRow("Diğer Metaller") << "Diğer Metaller" << 5;
    QTest::newRow("Geçiş Elementleri") << "Geçiş Elementleri" << 3;
    QTest::newRow("Lantanitler") << "Lantanitler (Nadir bulunuyor.)" << 4;
    QTest::newRow("Aktinitler") << "Aktinitler" << 4;
    QTest::newRow("Nadir bulunuyor (89)") << "Nadir bulunuyor" << 0;
    QTest::newRow("Geçiş Metalleri (111)") << "Geçiş Metalleri" << 0;
    QTest::newRow("empty (113, 114)") << "" << 0;
    // Near misses: whole, exact, case-sensitive, no trimming.
    QTest::newRow("lower case") << "alkali metaller" << 0;
    QTest::newRow("dotless i upper case") << "HİDROJEN" << 0;
    QTest::newRow("trailing blank") << "Soygazlar " << 0;
    QTest::newRow("leading blank") << " Halojenler" << 0;
    QTest::newRow("prefix only") << "Lantanitler" << 0;
    QTest::newRow("part of a value") << "Metaller" << 0;
    QTest::newRow("title that is no match value") << "Yapay Elementler" << 0;
    QTest::newRow("without Turkish letters") << "Gecis Elementleri" << 0;
}

void TestCategoryTexts::matching()
{
    QFETCH(QString, category);
    QFETCH(int, expectedEntry);

    const std::string utf8 = category.toStdString();
    const CategoryEntry *found = CategoryTextTable.find(utf8);
    const auto all = CategoryTextTable.entries();
    int matchingEntries = 0;
    for (const CategoryEntry &entry : all)
        matchingEntries += entry.matches(utf8) ? 1 : 0;
    if (expectedEntry == 0) {
        QCOMPARE(found, nullptr);
        QCOMPARE(matchingEntries, 0);
    } else {
        QCOMPARE(found, &CategoryTextTable.entry(expectedEntry));
        QCOMPARE(matchingEntries, 1);
    }
}

void TestCategoryTexts::matchValuesAreDistinct()
{
    QSet<QString> seen;
    int count = 0;
    for (const CategoryEntry &entry : CategoryTextTable.entries()) {
        for (const std::string_view value : entry.MatchValues) {
            QVERIFY(!value.empty());
            seen.insert(tk::qs(value));
            ++count;
        }
    }
    QCOMPARE(count, 10);
    QCOMPARE(int(seen.size()), count);
}

void TestCategoryTexts::textsAreCleanUtf8()
{
    auto check = [](std::string_view text) {
        const QString decoded = tk::qs(text);
        QVERIFY2(!decoded.contains(QChar::ReplacementCharacter), text.data());
        QCOMPARE(decoded.toStdString(), std::string(text));
        for (const QChar c : decoded)
            QVERIFY2(c.unicode() < 0x80 || QStringLiteral("çğıöşüÇĞİÖŞÜ").contains(c), qPrintable(decoded));
    };
    for (const CategoryEntry &entry : CategoryTextTable.entries()) {
        check(entry.Title);
        for (const std::string_view value : entry.MatchValues)
            check(value);
        for (const std::string_view line : entry.Lines)
            check(line);
    }
}

QTEST_APPLESS_MAIN(TestCategoryTexts)
#include "tst_categorytexts.moc"
#include "toolkit/text.h"
