#include "data/categorytexts.h"

#include <array>

namespace {

using namespace std::string_view_literals;

constexpr std::array AlkaliLines{
    "I A grubunda yer alan Li,Na,K,Rb,Cs ve Fr elementleri alkali metalleri oluştururlar. Sodyum ve potasyum doğada en çok bulunan alkali metaldir ve çeşitli bileşikleri halinde bulunur."sv,
    "Alkali Metallerin Genel Özellikleri"sv,
    "1-Alkali metaller değerlik tabakalarında tek elektronu kolayca kaybederek +1 yüklü iyonlar oluştururlar;bu nedenle kuvvetli indirgendirler."sv,
    "2-Birkaç istisna dışında bileşikleri iyoniktir."sv,
    "3-Metalik özellikleri gerği parlaktırlar;fakat diğer metallerin aksine,bıçakla kesilebilecek kadar yumşaktırlar."sv,
    "4-Aleve tutulduklarında çeşitli renkler oluştururlar;Li,Na ve K tuzu çözeltisine batırılmış bir platin tel,alevi sırasıyla kırmızı,sarı ve menekşe renge boyar."sv,
    "5-Isı ve elektriği çok iyi iletirler."sv,
    "6-Bulundukları periyotta iyonlaşma enerjileri en küçük,atom ve iyon çapları ise en büyük olan elementlerdir."sv,
    "7-Diğer metallerin aksine,yoğunlukları ve erime noktaları oldukça düşüktür.Lityum,sodyum ve potasyum yoğunlukları ilginç bir şekilde sudan daha küçüktür.Sezyumun erime noktası o kadar düşüktür ki,sıcak günlerde sıvı halde bulunabilir."sv,
    "Alkali metaller su ile reaksiyona girip, hidrojen gazı verirler.Alkali metallerin su ile etkileşimi oldukça şiddetlidir.Reaksiyonun şiddeti yukarıdan aşağı inildiçe artar."sv,
};

constexpr std::array TransitionLines{
    "Periyodik tabloda, II A ve III A grupları arasında kalan elementler geçiş metalleri(elementleri) olarak isimlendirilir."sv,
    "Her periyotta on tane olmak üzere 4.,5.ve 6.periyotlarda yer alan elementler temel geçiş elementlerini,periyodik tablonun altındaki ondörtlü iki sıra ise iç geçiş metallerini (Lantanit ve Aktinitler) oluştururlar."sv,
    "Periyodik tablodaki B(alt)gruplarının sıralanışı incelenecek olursa,III B-IV B gruplarından sonra üç düşey sıradan oluşanVII B grubunun ve daha sonra  da I B ve II B gruplarının yer aldığı görülür."sv,
    "Grup numaraları,genellikle bir grupta yer alan metallerin sahip olabilecekleri en yüksek değerliğe karşılık gelir."sv,
    "VIII B grubunda,yatay benzerlikler düşey olanlardan daha fazladır.Örneğin Fe,Co ve Ni arasındaki benzerlikler,Ni,Pd ve Pt arasındaki benzerliklerden daha fazladır."sv,
    "Geçiş metallerinin erime noktaları oldukça yüksektir.Geçiş metallerinin bir çoğu olduça serttir;bu nedenle saf halde veya alaşımları halinde yapı malzemesi olarak kullanılırlar."sv,
};

constexpr std::array HalogenLines{
    "Periyodik tablonun VII A grubunda yer alan flor,klor,brom,iyot ve astanin elementleri halojenler olarak adlandırırlar."sv,
    "Astanin oldukça az bulunan doğal radyoaktif bir elementtir.Halojenler doğada sert olarak bulunmazlar.Halejenür ve oksihalojenür içeren minareller halinde bulunur."sv,
    "Hepimizin çok yakından tanıdığımız NaCl (yemek tuzu) bu minerallerden en çok tanınanıdır."sv,
};

constexpr std::array NobleGasLines{
    "Bu gruba ait olan elementler kararlı olup kimyasal tepkimeye girmezler."sv,
};

constexpr std::array AlkaliMatch{"Alkali Metaller"sv};
constexpr std::array AlkalineEarthMatch{"Toprak Alkali Metaller"sv};
constexpr std::array TransitionMatch{"Geçiş Elementleri"sv};
constexpr std::array ArtificialMatch{"Lantanitler (Nadir bulunuyor.)"sv, "Aktinitler"sv};
constexpr std::array OtherMetalsMatch{"Diğer Metaller"sv};
constexpr std::array NonMetalsMatch{"Ametaller"sv};
constexpr std::array HalogenMatch{"Halojenler"sv};
constexpr std::array NobleGasMatch{"Soygazlar"sv};
constexpr std::array HydrogenMatch{"Hidrojen"sv};

constexpr std::array<CategoryEntry, CategoryTextTableType::Count> Entries{{
    {AlkaliMatch, "Alkali Metaller"sv, AlkaliLines},
    {AlkalineEarthMatch, "Toprak Alkali Metaller"sv, {}},
    {TransitionMatch, "Geçiş Elementleri"sv, TransitionLines},
    {ArtificialMatch, "Yapay Elementler"sv, {}},
    {OtherMetalsMatch, "Diğer Metaller"sv, {}},
    {NonMetalsMatch, "Ametaller"sv, {}},
    {HalogenMatch, "Halojenler"sv, HalogenLines},
    {NobleGasMatch, "Soygazlar"sv, NobleGasLines},
    {HydrogenMatch, "Hidrojen"sv, {}},
}};

} // namespace

std::span<const CategoryEntry> CategoryTextTableType::entries() const
{
    return Entries;
}

const CategoryEntry &CategoryTextTableType::entry(int number) const
{
    return Entries.at(std::size_t(number - 1));
}

const CategoryEntry *CategoryTextTableType::find(std::string_view category) const
{
    for (const CategoryEntry &candidate : Entries)
        if (candidate.matches(category))
            return &candidate;
    return nullptr;
}
