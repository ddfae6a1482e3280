#include "data/elementcatalogue.h"

#include "tests/support/testmain.h"
#include "toolkit/text.h"

#include <QFile>
#include <QRegularExpression>
#include <QSet>

#include <charconv>
#include <climits>
#include <cmath>
#include <optional>
#include <string>
#include <tuple>
#include <utility>

using namespace Qt::StringLiterals;

namespace {

// "5 to 8, 14" -> {5, 6, 7, 8, 14}
QList<int> rowsOf(const char *text)
{
    QList<int> rows;
    for (const QString &part : QString::fromLatin1(text).split(u',', Qt::SkipEmptyParts)) {
        const QStringList bounds = part.trimmed().split(u" to "_s);
        for (int z = bounds.first().toInt(); z <= bounds.last().toInt(); ++z)
            rows.append(z);
    }
    return rows;
}

// The shortest decimal that reads back as the same float, without exponent, always with a point.
QString pointForm(float value)
{
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
    std::string text(buffer, result.ptr);
    if (text.find('.') == std::string::npos)
        text += ".0";
    return QString::fromStdString(text);
}

// Parses the whole of `text` as a plain decimal; false if anything is left over.
template <typename T>
bool parseNumber(const QString &text, T &value)
{
    const std::string s = text.toStdString();
    const auto result = std::from_chars(s.data(), s.data() + s.size(), value, std::chars_format::fixed);
    return result.ec == std::errc() && result.ptr == s.data() + s.size() && !s.empty();
}

// The value of `text` if it is a number written in the catalogue's form.
std::optional<float> formNumber(const QString &text)
{
    float value = 0;
    if (!parseNumber(text, value) || text != pointForm(value))
        return std::nullopt;
    return value;
}

// Someone (or a laboratory) the catalogue may credit, from the people list beside its generator.
struct Person {
    QString name;
    int born = 0; // 0: not recorded
    int died = 0; // 0: living, not recorded, or a laboratory
};

QList<Person> people()
{
    QList<Person> list;
    QFile file(QStringLiteral(PC_SOURCE_DIR "/tools/catalogue/people.tsv"));
    if (!file.open(QIODevice::ReadOnly))
        return list;
    bool header = true;
    for (const QString &line : QString::fromUtf8(file.readAll()).split(u'\n', Qt::SkipEmptyParts)) {
        if (line.startsWith(u'#'))
            continue;
        if (std::exchange(header, false))
            continue;
        const QStringList fields = line.split(u'\t');
        list.append({fields.value(0), fields.value(2).toInt(), fields.value(3).toInt()});
    }
    return list;
}

// The people a discoverer text credits, read as names of the list joined by ", " with an optional
// " ve ark." at the end; nullopt if the text is anything else (a name spelt another way included).
std::optional<QList<Person>> credited(QString text, const QList<Person> &list)
{
    if (text.endsWith(u" ve ark."_s))
        text.chop(8);
    QList<Person> found;
    while (!text.isEmpty()) {
        const Person *match = nullptr;
        for (const Person &person : list) // the longest name that the text continues with
            if ((text == person.name || text.startsWith(person.name + u", "_s))
                && (!match || person.name.size() > match->name.size()))
                match = &person;
        if (!match)
            return std::nullopt;
        found.append(*match);
        text = text.mid(match->name.size() + 2);
    }
    return found;
}

// Celsius of a three-scale temperature text, nullopt for "Bilinmiyor" or an empty text.
std::optional<double> celsiusOf(const QString &text)
{
    double value = 0;
    const qsizetype end = text.indexOf(u" °C"_s);
    if (end < 0 || !parseNumber(text.left(end), value))
        return std::nullopt;
    return value;
}

const char *const NamesAndSymbols =
    "1 Hidrojen H; 2 Helyum He; 3 Lityum Li; 4 Berilyum Be; 5 Bor B; 6 Karbon C; 7 Azot N; 8 Oksijen O; "
    "9 Flor F; 10 Neon Ne; 11 Sodyum Na; 12 Magnezyum Mg; 13 Alüminyum Al; 14 Silisyum Si; 15 Fosfor P; "
    "16 Kükürt S; 17 Klor Cl; 18 Argon Ar; 19 Potasyum K; 20 Kalsiyum Ca; 21 Skandiyum Sc; 22 Titanyum Ti; "
    "23 Vanadyum V; 24 Krom Cr; 25 Mangan Mn; 26 Demir Fe; 27 Kobalt Co; 28 Nikel Ni; 29 Bakır Cu; "
    "30 Çinko Zn; 31 Galyum Ga; 32 Germanyum Ge; 33 Arsenik As; 34 Selenyum Se; 35 Brom Br; "
    "36 Kripton Kr; 37 Rubidyum Rb; 38 Stronsiyum Sr; 39 İtriyum Y; 40 Zirkonyum Zr; 41 Niyobyum Nb; "
    "42 Molibden Mo; 43 Teknesyum Tc; 44 Rutenyum Ru; 45 Rodyum Rh; 46 Palladyum Pd; 47 Gümüş Ag; "
    "48 Kadmiyum Cd; 49 İndiyum In; 50 Kalay Sn; 51 Antimon Sb; 52 Tellür Te; 53 İyot I; 54 Ksenon Xe; "
    "55 Sezyum Cs; 56 Baryum Ba; 57 Lantan La; 58 Seryum Ce; 59 Praseodmiyum Pr; 60 Neodinyum Nd; "
    "61 Prometyum Pm; 62 Samaryum Sm; 63 Europyum Eu; 64 Gadalinyum Gd; 65 Terbiyum Tb; 66 Disprosyum Dy; "
    "67 Holmiyum Ho; 68 Erbiyum Er; 69 Tulyum Tm; 70 Yiterbiyum Yb; 71 Lutesyum Lu; 72 Hafniyum Hf; "
    "73 Tantal Ta; 74 Tungsten W; 75 Renyum Re; 76 Osmiyum Os; 77 İridyum Ir; 78 Platin Pt; 79 Altın Au; "
    "80 Civa Hg; 81 Talyum Tl; 82 Kurşun Pb; 83 Bizmut Bi; 84 Polonyum Po; 85 Astanin At; 86 Radon Rn; "
    "87 Fransiyum Fr; 88 Radyum Ra; 89 Aktinyum Ac; 90 Toryum Th; 91 Protoaktinyum Pa; 92 Uranyum U; "
    "93 Neptünyum Np; 94 Plütonyum Pu; 95 Amerikiyum Am; 96 Küriyum Cm; 97 Berkelyum Bk; "
    "98 Kaliforniyum Cf; 99 Einsteinyum Es; 100 Fermiyum Fm; 101 Mendeleviyum Md; 102 Nobelyum No; "
    "103 Lawrensiyum Lr; 104 Rutherfordiyum Rf; 105 Dubniyum Db; 106 Seaborgiyum Sg; 107 Bohriyum Bh; "
    "108 Hassiyum Hs; 109 Meitneriyum Mt; 110 Ununnilyum Uun; 111 Unununyum Uuu; 112 Ununbiyum Uub; "
    "113 Ununtriyum Uut; 114 Ununquadiyum Uuq";

const QString Unknown = u"Bilinmiyor"_s;

void addRowPerElement()
{
    QTest::addColumn<int>("z");
    for (int z = 1; z <= 114; ++z)
        QTest::addRow("%d %s", z, qPrintable(tk::qs(ElementCatalogue[z].Symbol))) << z;
}

} // namespace

// Holds the built-in element table to the rules its texts are written by.
class TestElementCatalogue : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void numberFormOracle_data()
    {
        QTest::addColumn<float>("value");
        QTest::addColumn<QString>("text");
        QTest::newRow("whole") << 1347.0f << u"1347.0"_s;
        QTest::newRow("small fraction") << 0.08988f << u"0.08988"_s;
        QTest::newRow("eight digits") << 14.009985f << u"14.009985"_s;
        QTest::newRow("negative") << -434.45203f << u"-434.45203"_s;
        QTest::newRow("large, no exponent") << 1.0e10f << u"10000000000.0"_s;
        QTest::newRow("tiny, no exponent") << 0.0001f << u"0.0001"_s;
    }
    void numberFormOracle()
    {
        QFETCH(float, value);
        QFETCH(QString, text);
        QCOMPARE(pointForm(value), text);
    }

    void namesSymbolsAndCounts_data()
    {
        QTest::addColumn<int>("z");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("symbol");
        for (const QString &entry : QString::fromUtf8(NamesAndSymbols).split(u"; "_s)) {
            const QStringList parts = entry.split(u' ');
            QTest::addRow("%s %s", qPrintable(parts[0]), qPrintable(parts[2]))
                << parts[0].toInt() << parts[1] << parts[2];
        }
    }
    void namesSymbolsAndCounts()
    {
        QFETCH(int, z);
        QFETCH(QString, name);
        QFETCH(QString, symbol);
        const ElementRecord &row = ElementCatalogue[z];
        QCOMPARE(tk::qs(row.Name), name);
        QCOMPARE(tk::qs(row.Symbol), symbol);
        QCOMPARE(tk::qs(row.ProtonElectronCount), QString::number(z));
        QVERIFY(row.Reserved.empty());
    }

    void symbolsAreUnique()
    {
        QSet<QString> seen;
        for (int z = 1; z <= 114; ++z) {
            const QString symbol = tk::qs(ElementCatalogue[z].Symbol);
            QVERIFY2(!symbol.isEmpty() && !seen.contains(symbol), qPrintable(QString::number(z)));
            seen.insert(symbol);
        }
        QCOMPARE(seen.size(), 114);
    }

    void rowAccess_data()
    {
        QTest::addColumn<int>("z");
        QTest::addColumn<QString>("name");
        QTest::newRow("first") << 1 << u"Hidrojen"_s;
        QTest::newRow("last") << 114 << u"Ununquadiyum"_s;
        QTest::newRow("zero") << 0 << QString();
        QTest::newRow("past the end") << 115 << QString();
        QTest::newRow("negative") << -1 << QString();
        QTest::newRow("int min") << INT_MIN << QString();
        QTest::newRow("int max") << INT_MAX << QString();
    }
    void rowAccess()
    {
        QFETCH(int, z);
        QFETCH(QString, name);
        const ElementRecord &row = ElementCatalogue[z];
        QCOMPARE(tk::qs(row.Name), name);
        if (name.isEmpty()) {
            for (int position = 1; position <= ElementRecord::FieldCount; ++position)
                QVERIFY(row.field(position).empty());
        }
        // field() reads the members in their declared order.
        const std::string_view members[] = {row.Name, row.Symbol, row.AtomicMass, row.MeltingPoint,
            row.BoilingPoint, row.ProtonElectronCount, row.NeutronCount, row.Category, row.CrystalStructure,
            row.Density, row.ElectronConfiguration, row.DiscoveryDate, row.Discoverer, row.Uses,
            row.HowObtained, row.Reserved};
        for (int position = 1; position <= ElementRecord::FieldCount; ++position)
            QCOMPARE(row.field(position).data(), members[position - 1].data());
    }

    void atomicMassAndNeutrons_data() { addRowPerElement(); }
    void atomicMassAndNeutrons()
    {
        QFETCH(int, z);
        const ElementRecord &row = ElementCatalogue[z];
        if (z > 112) {
            QVERIFY(row.AtomicMass.empty());
            QVERIFY(row.NeutronCount.empty());
            return;
        }
        const bool whole = rowsOf("43, 61, 84 to 89, 93 to 112").contains(z);
        static const QRegularExpression plain(u"^([^ ()]+) amu$"_s), bracketed(u"^\\(([^ ()]+)\\) amu$"_s);
        const auto match = (whole ? bracketed : plain).match(tk::qs(row.AtomicMass));
        QVERIFY2(match.hasMatch(), row.AtomicMass.data());
        const std::optional<float> mass = formNumber(match.captured(1));
        QVERIFY2(mass, qPrintable(match.captured(1)));
        if (whole)
            QCOMPARE(std::floor(*mass), *mass);
        double exact = 0;
        QVERIFY(parseNumber(match.captured(1), exact));
        QCOMPARE(tk::qs(row.NeutronCount), QString::number(qint64(std::floor(exact + 0.5)) - z));
    }

    void temperatures_data()
    {
        QTest::addColumn<int>("z");
        QTest::addColumn<int>("position");
        for (int z = 1; z <= 114; ++z) {
            QTest::addRow("%d melting", z) << z << 4;
            QTest::addRow("%d boiling", z) << z << 5;
        }
    }
    void temperatures()
    {
        QFETCH(int, z);
        QFETCH(int, position);
        const QString text = tk::qs(ElementCatalogue[z].field(position));
        const QList<int> unknown = position == 4 ? rowsOf("61, 97 to 112") : rowsOf("61, 91, 96 to 112");
        if (z > 112)
            QVERIFY(text.isEmpty());
        else if (unknown.contains(z))
            QCOMPARE(text, Unknown);
        else {
            static const QRegularExpression scales(u"^(\\S+) °C \\((\\S+) °K, (\\S+) °F\\)$"_s);
            const auto match = scales.match(text);
            QVERIFY2(match.hasMatch(), qPrintable(text));
            const std::optional<float> celsius = formNumber(match.captured(1));
            QVERIFY2(celsius, qPrintable(text));
            const double c = *celsius;
            QCOMPARE(match.captured(2), pointForm(float(c + 273.15)));
            QCOMPARE(match.captured(3), pointForm(float(c * 1.8 + 32)));
        }
    }

    void density_data() { addRowPerElement(); }
    void density()
    {
        QFETCH(int, z);
        const QString text = tk::qs(ElementCatalogue[z].Density);
        if (z > 112)
            QVERIFY(text.isEmpty());
        else if (rowsOf("85, 87, 97 to 112").contains(z))
            QCOMPARE(text, Unknown);
        else {
            QVERIFY2(text.endsWith(u" g/cm3"_s), qPrintable(text));
            const std::optional<float> density = formNumber(text.chopped(6));
            QVERIFY2(density && *density > 0, qPrintable(text));
        }
    }

    void categories_data()
    {
        QTest::addColumn<QString>("value");
        QTest::addColumn<QList<int>>("rows");
        QTest::addColumn<int>("count");
        auto add = [](const char *value, const char *rows, int count) {
            QTest::newRow(value) << QString::fromUtf8(value) << rowsOf(rows) << count;
        };
        add("Hidrojen", "1", 1);
        add("Soygazlar", "2, 10, 18, 36, 54, 86", 6);
        add("Alkali Metaller", "3, 11, 19, 37, 55, 87", 6);
        add("Toprak Alkali Metaller", "4, 12, 20, 38, 56, 88", 6);
        add("Ametaller", "5 to 8, 14 to 16, 33, 34, 52", 10);
        add("Halojenler", "9, 17, 35, 53, 85", 5);
        add("Diğer Metaller", "13, 31, 32, 49 to 51, 81 to 84", 10);
        add("Geçiş Elementleri", "21 to 30, 39 to 48, 72 to 80, 104 to 110, 112", 37);
        add("Lantanitler (Nadir bulunuyor.)", "57 to 71", 15);
        add("Nadir bulunuyor", "89", 1);
        add("Aktinitler", "90 to 103", 14);
        add("Geçiş Metalleri", "111", 1);
        add("", "113, 114", 2);
    }
    void categories() { checkValueRows(&ElementRecord::Category); }

    void crystalStructures_data()
    {
        QTest::addColumn<QString>("value");
        QTest::addColumn<QList<int>>("rows");
        QTest::addColumn<int>("count");
        auto add = [](const char *value, const char *rows, int count) {
            QTest::newRow(value) << QString::fromUtf8(value) << rowsOf(rows) << count;
        };
        add("Kübik", "3, 8 to 11, 13, 14, 18 to 20, 23 to 26, 28, 29, 32, 36 to 38, 41, 42, 45 to 47, 54 to 56, "
                     "58, 63, 70, 73, 74, 77 to 79, 82, 86 to 90", 42);
        add("Hekzagonal", "2, 6, 7, 12, 21, 22, 27, 30, 34, 39, 40, 43, 44, 48, 52, 57, 59 to 61, 64 to 69, 71, "
                          "72, 75, 76, 81, 95", 31);
        add("Hekzogonal", "1", 1);
        add("Hekzoganal", "4", 1);
        add("Orthorhombic", "16, 17, 31, 35, 53, 91 to 93", 8);
        add("Rhombohedral", "5, 33, 51, 62, 80, 83", 6);
        add("Monoclinic", "15, 84, 94", 3);
        add("Tetragonal", "49, 50", 2);
        add("Bilinmiyor", "85, 96 to 112", 18);
        add("", "113, 114", 2);
    }
    void crystalStructures() { checkValueRows(&ElementRecord::CrystalStructure); }

    void discoveryDates_data()
    {
        QTest::addColumn<QString>("value");
        QTest::addColumn<QList<int>>("rows");
        QTest::addColumn<int>("count");
        auto add = [](const char *value, const char *rows, int count) {
            QTest::newRow(value) << QString::fromUtf8(value) << rowsOf(rows) << count;
        };
        add("Antik Çağ", "6, 16, 33, 82, 83", 5);
        add("Antik Çağda", "51", 1);
        add("Bilinmiyor", "26", 1);
        add("Çok eski zamanlardan beri biliniyor.", "29, 47", 2);
        add("Çok eski zamanlardan beri biliniyor", "80", 1);
        add("Tunç devrinden bu yana bilinmektedir", "50", 1);
        add("Tahminen milattan önce 3000 yılı", "79", 1);
        add("", "113, 114", 2);
    }
    void discoveryDates() { checkValueRows(&ElementRecord::DiscoveryDate); }

    void yearsAreFourDigits()
    {
        static const QRegularExpression year(u"^[12][0-9]{3}$"_s);
        int years = 0;
        for (int z = 1; z <= 114; ++z)
            years += year.match(tk::qs(ElementCatalogue[z].DiscoveryDate)).hasMatch() ? 1 : 0;
        QCOMPARE(years, 100);
    }

    void discoverers_data() { addRowPerElement(); }
    void discoverers()
    {
        QFETCH(int, z);
        const QString text = tk::qs(ElementCatalogue[z].Discoverer);
        if (z > 112)
            QCOMPARE(text, u"Henüz Keşfedilmedi"_s);
        else if (rowsOf("6, 16, 26, 29, 33, 47, 50, 51, 79, 80, 82, 83, 110").contains(z))
            QCOMPARE(text, Unknown);
        else {
            QVERIFY2(!text.trimmed().isEmpty() && text != Unknown, qPrintable(text));
            QCOMPARE(text.trimmed(), text);
        }
    }

    // A row that gives both never shows a melting point above its boiling point; a solid that turns
    // straight to gas shows the same temperature in both.
    void meltingNotAboveBoiling_data() { addRowPerElement(); }
    void meltingNotAboveBoiling()
    {
        QFETCH(int, z);
        const std::optional<double> melting = celsiusOf(tk::qs(ElementCatalogue[z].MeltingPoint));
        const std::optional<double> boiling = celsiusOf(tk::qs(ElementCatalogue[z].BoilingPoint));
        if (melting && boiling)
            QVERIFY2(*melting <= *boiling, qPrintable(QStringLiteral("%1 above %2").arg(*melting).arg(*boiling)));
    }

    // Each person is listed once: two names with the same surname and the same life are one
    // person written two ways.
    void peopleListedOnce()
    {
        const QList<Person> list = people();
        QVERIFY2(list.size() > 50, "people list not found or cut short");
        for (qsizetype i = 0; i < list.size(); ++i)
            for (qsizetype j = i + 1; j < list.size(); ++j) {
                const Person &a = list[i];
                const Person &b = list[j];
                const bool sameSurname = a.name.section(u' ', -1) == b.name.section(u' ', -1);
                QVERIFY2(!(sameSurname && a.born == b.born && a.died == b.died),
                         qPrintable(a.name + u" and "_s + b.name));
            }
    }

    // Every discoverer text credits people of the list, each written the list's one way, and its
    // year falls within the life of each of them (from the age of fifteen).
    void discoverersAreListedAndAlive_data() { addRowPerElement(); }
    void discoverersAreListedAndAlive()
    {
        QFETCH(int, z);
        const ElementRecord &row = ElementCatalogue[z];
        const QString text = tk::qs(row.Discoverer);
        if (text == Unknown || text == u"Henüz Keşfedilmedi"_s)
            return;
        static const QList<Person> list = people();
        const std::optional<QList<Person>> persons = credited(text, list);
        QVERIFY2(persons && !persons->isEmpty(), qPrintable(text + u": a name the people list does not hold"_s));
        bool isYear = false;
        const int year = tk::qs(row.DiscoveryDate).toInt(&isYear);
        QVERIFY2(isYear, row.DiscoveryDate.data());
        for (const Person &person : *persons) {
            if (person.born)
                QVERIFY2(year >= person.born + 15, qPrintable(QStringLiteral("%1 born %2").arg(person.name).arg(person.born)));
            if (person.died)
                QVERIFY2(year <= person.died, qPrintable(QStringLiteral("%1 died %2").arg(person.name).arg(person.died)));
        }
    }

    void sparseFields_data() { addRowPerElement(); }
    void sparseFields()
    {
        QFETCH(int, z);
        const ElementRecord &row = ElementCatalogue[z];
        const QString configuration = z == 1 ? u"1S1"_s
            : z == 3                          ? u"1s22s1"_s
            : z == 11                         ? u"1s22s22p63s1 "_s
            : z == 19                         ? u"1s22s22p63s23p64s1"_s
                                              : QString();
        QCOMPARE(tk::qs(row.ElectronConfiguration), configuration);
        QCOMPARE(tk::qs(row.Uses), z == 1 ? u"Balonlarda ve metal arıtımında."_s : QString());
        QCOMPARE(tk::qs(row.HowObtained), z == 1 ? u"Maden, petrol ve gaz yataklarıından."_s : QString());
        QVERIFY(row.Reserved.empty());
    }

    void wholeRows_data()
    {
        QTest::addColumn<int>("z");
        QTest::addColumn<QStringList>("fields");
        QTest::newRow("1 Hidrojen") << 1 << QStringList{u"Hidrojen"_s, u"H"_s, u"1.00794 amu"_s,
            u"-259.14 °C (14.009985 °K, -434.45203 °F)"_s, u"-252.87 °C (20.280005 °K, -423.166 °F)"_s,
            u"1"_s, u"0"_s, u"Hidrojen"_s, u"Hekzogonal"_s, u"0.08988 g/cm3"_s, u"1S1"_s, u"1766"_s,
            QString(), u"Balonlarda ve metal arıtımında."_s, u"Maden, petrol ve gaz yataklarıından."_s};
        QTest::newRow("26 Demir") << 26 << QStringList{u"Demir"_s, u"Fe"_s, u"55.845 amu"_s,
            u"1535.0 °C (1808.15 °K, 2795.0 °F)"_s, u"2750.0 °C (3023.15 °K, 4982.0 °F)"_s, u"26"_s,
            u"30"_s, u"Geçiş Elementleri"_s, u"Kübik"_s, u"7.86 g/cm3"_s, u""_s, u"Bilinmiyor"_s,
            u"Bilinmiyor"_s, u""_s, u""_s};
        QTest::newRow("79 Altın") << 79 << QStringList{u"Altın"_s, u"Au"_s, u"196.96655 amu"_s,
            u"1064.43 °C (1337.5801 °K, 1947.9741 °F)"_s, u"2807.0 °C (3080.15 °K, 5084.6 °F)"_s, u"79"_s,
            u"118"_s, u"Geçiş Elementleri"_s, u"Kübik"_s, u"19.32 g/cm3"_s, u""_s,
            u"Tahminen milattan önce 3000 yılı"_s, u"Bilinmiyor"_s, u""_s, u""_s};
        QTest::newRow("110 Ununnilyum") << 110 << QStringList{u"Ununnilyum"_s, u"Uun"_s, u"(269.0) amu"_s,
            u"Bilinmiyor"_s, u"Bilinmiyor"_s, u"110"_s, u"159"_s, u"Geçiş Elementleri"_s, u"Bilinmiyor"_s,
            u"Bilinmiyor"_s, u""_s, u"1987"_s, u"Bilinmiyor"_s, u""_s, u""_s};
        for (auto [z, name, symbol] : {std::tuple{113, "Ununtriyum", "Uut"}, std::tuple{114, "Ununquadiyum", "Uuq"}}) {
            QStringList fields(15);
            fields[0] = QString::fromLatin1(name);
            fields[1] = QString::fromLatin1(symbol);
            fields[5] = QString::number(z);
            fields[12] = u"Henüz Keşfedilmedi"_s;
            QTest::addRow("%d %s", z, name) << z << fields;
        }
    }
    void wholeRows()
    {
        QFETCH(int, z);
        QFETCH(QStringList, fields);
        const ElementRecord &row = ElementCatalogue[z];
        for (int position = 1; position <= 15; ++position) {
            if (z == 1 && position == 13) // a person's name, checked with the other discoverers
                continue;
            QCOMPARE(tk::qs(row.field(position)), fields[position - 1]);
        }
        QVERIFY(row.Reserved.empty());
    }

    void tileHintSpellingsStayOutOfNames_data()
    {
        QTest::addColumn<int>("z");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("hint");
        QTest::newRow("13") << 13 << u"Alüminyum"_s << u"Aliminyum"_s;
        QTest::newRow("54") << 54 << u"Ksenon"_s << u"Xenon"_s;
        QTest::newRow("59") << 59 << u"Praseodmiyum"_s << u"Praseodiyum"_s;
        QTest::newRow("64") << 64 << u"Gadalinyum"_s << u"Gadolinyum"_s;
        QTest::newRow("87") << 87 << u"Fransiyum"_s << u"Fransium"_s;
        QTest::newRow("89") << 89 << u"Aktinyum"_s << u"Aktinium"_s;
    }
    void tileHintSpellingsStayOutOfNames()
    {
        QFETCH(int, z);
        QFETCH(QString, name);
        QFETCH(QString, hint);
        QCOMPARE(tk::qs(ElementCatalogue[z].Name), name);
        for (int row = 1; row <= 114; ++row)
            QVERIFY2(tk::qs(ElementCatalogue[row].Name) != hint, qPrintable(QString::number(row)));
    }

private:
    // The rows holding `value` in the given field are exactly the listed ones.
    void checkValueRows(std::string_view ElementRecord::*field)
    {
        QFETCH(QString, value);
        QFETCH(QList<int>, rows);
        QFETCH(int, count);
        QCOMPARE(rows.size(), count);
        QList<int> found;
        for (int z = 1; z <= 114; ++z)
            if (tk::qs(ElementCatalogue[z].*field) == value)
                found.append(z);
        QCOMPARE(found, rows);
    }
};

PC_TEST_MAIN(TestElementCatalogue)
#include "tst_elementcatalogue.moc"
#include "toolkit/text.h"
