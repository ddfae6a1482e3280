#!/usr/bin/env python3
"""Writes data/elementcatalogue.cpp, the program's element table, from the reviewed figures in elements.tsv.

Usage: make_catalogue.py [--input elements.tsv] [--output data/elementcatalogue.cpp] [--check]
With --check it writes nothing and fails when the committed catalogue is not what the table gives.
"""

import argparse
import difflib
import os
import struct
import sys
from decimal import Decimal
from fractions import Fraction

NAMES = (
    "1 Hidrojen H; 2 Helyum He; 3 Lityum Li; 4 Berilyum Be; 5 Bor B; 6 Karbon C; 7 Azot N; 8 Oksijen O; "
    "9 Flor F; 10 Neon Ne; 11 Sodyum Na; 12 Magnezyum Mg; 13 Alüminyum Al; 14 Silisyum Si; 15 Fosfor P; "
    "16 Kükürt S; 17 Klor Cl; 18 Argon Ar; 19 Potasyum K; 20 Kalsiyum Ca; 21 Skandiyum Sc; 22 Titanyum Ti; "
    "23 Vanadyum V; 24 Krom Cr; 25 Mangan Mn; 26 Demir Fe; 27 Kobalt Co; 28 Nikel Ni; 29 Bakır Cu; "
    "30 Çinko Zn; 31 Galyum Ga; 32 Germanyum Ge; 33 Arsenik As; 34 Selenyum Se; 35 Brom Br; 36 Kripton Kr; "
    "37 Rubidyum Rb; 38 Stronsiyum Sr; 39 İtriyum Y; 40 Zirkonyum Zr; 41 Niyobyum Nb; 42 Molibden Mo; "
    "43 Teknesyum Tc; 44 Rutenyum Ru; 45 Rodyum Rh; 46 Palladyum Pd; 47 Gümüş Ag; 48 Kadmiyum Cd; "
    "49 İndiyum In; 50 Kalay Sn; 51 Antimon Sb; 52 Tellür Te; 53 İyot I; 54 Ksenon Xe; 55 Sezyum Cs; "
    "56 Baryum Ba; 57 Lantan La; 58 Seryum Ce; 59 Praseodmiyum Pr; 60 Neodinyum Nd; 61 Prometyum Pm; "
    "62 Samaryum Sm; 63 Europyum Eu; 64 Gadalinyum Gd; 65 Terbiyum Tb; 66 Disprosyum Dy; 67 Holmiyum Ho; "
    "68 Erbiyum Er; 69 Tulyum Tm; 70 Yiterbiyum Yb; 71 Lutesyum Lu; 72 Hafniyum Hf; 73 Tantal Ta; "
    "74 Tungsten W; 75 Renyum Re; 76 Osmiyum Os; 77 İridyum Ir; 78 Platin Pt; 79 Altın Au; 80 Civa Hg; "
    "81 Talyum Tl; 82 Kurşun Pb; 83 Bizmut Bi; 84 Polonyum Po; 85 Astanin At; 86 Radon Rn; 87 Fransiyum Fr; "
    "88 Radyum Ra; 89 Aktinyum Ac; 90 Toryum Th; 91 Protoaktinyum Pa; 92 Uranyum U; 93 Neptünyum Np; "
    "94 Plütonyum Pu; 95 Amerikiyum Am; 96 Küriyum Cm; 97 Berkelyum Bk; 98 Kaliforniyum Cf; "
    "99 Einsteinyum Es; 100 Fermiyum Fm; 101 Mendeleviyum Md; 102 Nobelyum No; 103 Lawrensiyum Lr; "
    "104 Rutherfordiyum Rf; 105 Dubniyum Db; 106 Seaborgiyum Sg; 107 Bohriyum Bh; 108 Hassiyum Hs; "
    "109 Meitneriyum Mt; 110 Ununnilyum Uun; 111 Unununyum Uuu; 112 Ununbiyum Uub; 113 Ununtriyum Uut; "
    "114 Ununquadiyum Uuq"
)


def rows_of(text):
    """'5 to 8, 14' -> {5, 6, 7, 8, 14}"""
    result = set()
    for part in text.split(","):
        bounds = part.split(" to ")
        result.update(range(int(bounds[0]), int(bounds[-1]) + 1))
    return result


CATEGORIES = [
    ("Hidrojen", "1"),
    ("Soygazlar", "2, 10, 18, 36, 54, 86"),
    ("Alkali Metaller", "3, 11, 19, 37, 55, 87"),
    ("Toprak Alkali Metaller", "4, 12, 20, 38, 56, 88"),
    ("Ametaller", "5 to 8, 14 to 16, 33, 34, 52"),
    ("Halojenler", "9, 17, 35, 53, 85"),
    ("Diğer Metaller", "13, 31, 32, 49 to 51, 81 to 84"),
    ("Geçiş Elementleri", "21 to 30, 39 to 48, 72 to 80, 104 to 110, 112"),
    ("Lantanitler (Nadir bulunuyor.)", "57 to 71"),
    ("Nadir bulunuyor", "89"),
    ("Aktinitler", "90 to 103"),
    ("Geçiş Metalleri", "111"),
]

CRYSTALS = [
    ("Kübik", "3, 8 to 11, 13, 14, 18 to 20, 23 to 26, 28, 29, 32, 36 to 38, 41, 42, 45 to 47, 54 to 56, 58, "
              "63, 70, 73, 74, 77 to 79, 82, 86 to 90"),
    ("Hekzagonal", "2, 6, 7, 12, 21, 22, 27, 30, 34, 39, 40, 43, 44, 48, 52, 57, 59 to 61, 64 to 69, 71, 72, "
                   "75, 76, 81, 95"),
    ("Hekzogonal", "1"),
    ("Hekzoganal", "4"),
    ("Orthorhombic", "16, 17, 31, 35, 53, 91 to 93"),
    ("Rhombohedral", "5, 33, 51, 62, 80, 83"),
    ("Monoclinic", "15, 84, 94"),
    ("Tetragonal", "49, 50"),
    ("Bilinmiyor", "85, 96 to 112"),
]

DISCOVERY_PHRASES = [
    ("Antik Çağ", "6, 16, 33, 82, 83"),
    ("Antik Çağda", "51"),
    ("Bilinmiyor", "26"),
    ("Çok eski zamanlardan beri biliniyor.", "29, 47"),
    ("Çok eski zamanlardan beri biliniyor", "80"),
    ("Tunç devrinden bu yana bilinmektedir", "50"),
    ("Tahminen milattan önce 3000 yılı", "79"),
]

UNKNOWN = "Bilinmiyor"
WHOLE_MASS_ROWS = rows_of("43, 61, 84 to 89, 93 to 112")
UNKNOWN_MELTING = rows_of("61, 97 to 112")
UNKNOWN_BOILING = rows_of("61, 91, 96 to 112")
UNKNOWN_DENSITY = rows_of("85, 87, 97 to 112")
UNKNOWN_DISCOVERER = rows_of("6, 16, 26, 29, 33, 47, 50, 51, 79, 80, 82, 83, 110")
# Elements that sublime at normal pressure: both temperature columns hold the sublimation point.
SUBLIMING = rows_of("6, 33")

# Figures that the table's own design fixes; the reviewed table must carry exactly these.
FIXED = {
    1: {"celsius": ("-259.14", "-252.87"), "density": "0.08988", "mass": "1.00794"},
    26: {"celsius": ("1535", "2750"), "density": "7.86", "mass": "55.845"},
    79: {"celsius": ("1064.43", "2807"), "density": "19.32", "mass": "196.96655"},
    110: {"mass": "269", "year": "1987"},
}

# The last name of a discoverer list that stands for "and co-workers", and how the catalogue writes it.
ET_AL = "et al."
ET_AL_TEXT = "ve ark."

ELECTRON_CONFIGURATION = {1: "1S1", 3: "1s22s1", 11: "1s22s22p63s1 ", 19: "1s22s22p63s23p64s1"}
USES = {1: "Balonlarda ve metal arıtımında."}
HOW_OBTAINED = {1: "Maden, petrol ve gaz yataklarıından."}
NOT_YET_DISCOVERED = "Henüz Keşfedilmedi"

HERE = os.path.dirname(os.path.abspath(__file__))
DEFAULT_INPUT = os.path.join(HERE, "elements.tsv")
DEFAULT_PEOPLE = os.path.join(HERE, "people.tsv")
DEFAULT_OUTPUT = os.path.normpath(os.path.join(HERE, "..", "..", "data", "elementcatalogue.cpp"))


class InputError(Exception):
    pass


def float32_bits(value):
    return struct.unpack("<I", struct.pack("<f", value))[0]


def float32_from_bits(bits):
    return struct.unpack("<f", struct.pack("<I", bits))[0]


def nearest_float32(exact):
    """The single-precision value nearest to the Fraction `exact` (ties to even), as a Python float."""
    guess = struct.unpack("<f", struct.pack("<f", float(exact)))[0]
    bits = float32_bits(guess)
    candidates = [guess]
    for step in (-1, 1):
        neighbour = float32_from_bits((bits + step) & 0xFFFFFFFF) if guess != 0 else None
        if neighbour is not None and neighbour == neighbour and abs(neighbour) != float("inf"):
            candidates.append(neighbour)
    candidates.sort(key=lambda f: (abs(Fraction(f) - exact), float32_bits(f) & 1))
    return candidates[0]


def number_text(value):
    """Shortest decimal that reads back as the same float32, with a point and a digit after it."""
    exact = Fraction(value)
    if exact == 0:
        return "0.0"
    magnitude = abs(exact)
    exponent = len(str(int(magnitude))) if magnitude >= 1 else 0
    if magnitude < 1:
        while magnitude * Fraction(10) ** (-exponent + 1) < 1:
            exponent -= 1
    for digits in range(1, 10):
        scale = Fraction(10) ** (digits - exponent)
        low = int(magnitude * scale)
        found = []
        for mantissa in (low, low + 1):
            candidate = Fraction(mantissa) / scale
            if nearest_float32(candidate) == float(magnitude):
                found.append(candidate)
        if found:
            best = min(found, key=lambda c: abs(c - magnitude))
            places = max(digits - exponent, 1)
            text = f"{Decimal(best.numerator) / Decimal(best.denominator):.{places}f}"
            text = text.rstrip("0")
            if text.endswith("."):
                text += "0"
            return ("-" if exact < 0 else "") + text
    raise ValueError(value)


def temperature_text(celsius):
    c = nearest_float32(Fraction(Decimal(celsius)))
    kelvin = nearest_float32(Fraction(c + 273.15))
    fahrenheit = nearest_float32(Fraction(c * 1.8 + 32))
    return f"{number_text(c)} °C ({number_text(kelvin)} °K, {number_text(fahrenheit)} °F)"


def celsius_from_kelvin(kelvin):
    return str(Decimal(kelvin) - Decimal("273.15"))


def discoverer_text(z, names, people):
    """The credited names joined with commas; every name is written as the people list writes it."""
    parts = [p.strip() for p in names.split(";") if p.strip()]
    et_al = bool(parts) and parts[-1] == ET_AL
    if et_al:
        parts = parts[:-1]
    for part in parts:
        if part not in people:
            raise InputError(f"row {z}: discoverer {part!r} is not in the people list; add them or use its spelling")
    return ", ".join(parts) + (" " + ET_AL_TEXT if et_al else "")


def read_people(path):
    """The names the catalogue may credit, each written one way."""
    with open(path, encoding="utf-8") as tsv:
        lines = [line.rstrip("\n") for line in tsv if line.strip() and not line.startswith("#")]
    names = [line.split("\t")[0] for line in lines[1:]]
    if len(set(names)) != len(names):
        raise InputError(f"{path}: a name is listed twice")
    return set(names)


def read_table(path):
    """The reviewed table: one row per element 1 to 112, keyed by atomic number."""
    with open(path, encoding="utf-8") as tsv:
        lines = [line.rstrip("\n") for line in tsv if line.strip() and not line.startswith("#")]
    header = lines[0].split("\t")
    table = {}
    for line in lines[1:]:
        fields = line.split("\t")
        if len(fields) != len(header):
            raise InputError(f"{path}: {len(fields)} columns where the header has {len(header)}: {line!r}")
        row = dict(zip(header, fields))
        table[int(row["Z"])] = row
    if sorted(table) != list(range(1, 113)):
        raise InputError(f"{path}: rows must be elements 1 to 112, once each")
    return table


def check_fixed(z, row):
    """The figures the table's design fixes are the ones the reviewed table carries."""
    fixed = FIXED.get(z, {})
    given = {
        "mass": row["mass"],
        "density": row["density_g_cm3"],
        "year": row["year"],
        "celsius": tuple(celsius_from_kelvin(row[k]) if row[k] else None for k in ("melting_K", "boiling_K")),
    }
    for key, value in fixed.items():
        same = (tuple(Decimal(v) for v in value) == tuple(Decimal(v) for v in given[key]) if key == "celsius"
                else Decimal(value) == Decimal(given[key]))
        if not same:
            raise InputError(f"row {z}: {key} must stay {value}, the table has {given[key]}")


def check_presence(z, row):
    """A figure is given exactly where the catalogue shows one; "Bilinmiyor" and phrases stand elsewhere."""
    expectations = [
        ("melting_K", z not in UNKNOWN_MELTING),
        ("boiling_K", z not in UNKNOWN_BOILING),
        ("density_g_cm3", z not in UNKNOWN_DENSITY),
        ("discoverers", z not in UNKNOWN_DISCOVERER),
        ("mass", True),
    ]
    for column, wanted in expectations:
        if bool(row[column]) != wanted:
            raise InputError(f"row {z}: {column} should be {'given' if wanted else 'empty'}")


def build_rows(table, people):
    names = {}
    for entry in NAMES.split("; "):
        z, name, symbol = entry.split(" ")
        names[int(z)] = (name, symbol)
    category = {z: value for value, rows in CATEGORIES for z in rows_of(rows)}
    crystal = {z: value for value, rows in CRYSTALS for z in rows_of(rows)}
    phrase = {z: value for value, rows in DISCOVERY_PHRASES for z in rows_of(rows)}

    rows = []
    for z in range(1, 115):
        name, symbol = names[z]
        if z > 112:
            rows.append([name, symbol, "", "", "", str(z), "", "", "", "", "", "", NOT_YET_DISCOVERED, "", "", ""])
            continue
        row = table[z]
        if row["symbol"] != symbol:
            raise InputError(f"row {z}: symbol {row['symbol']}, the catalogue's is {symbol}")
        check_fixed(z, row)
        check_presence(z, row)
        if z in SUBLIMING and row["melting_K"] != row["boiling_K"]:
            raise InputError(f"row {z}: the element sublimes; melting_K and boiling_K must both be its sublimation point")
        mass = row["mass"]
        mass_value = nearest_float32(Fraction(Decimal(mass)))
        if z in WHOLE_MASS_ROWS:
            mass_value = float(round(Fraction(Decimal(mass))))
            mass_text = f"({number_text(mass_value)}) amu"
        else:
            mass_text = f"{number_text(mass_value)} amu"
        neutrons = int(Fraction(mass_value) + Fraction(1, 2)) - z

        melting = UNKNOWN if z in UNKNOWN_MELTING else temperature_text(celsius_from_kelvin(row["melting_K"]))
        boiling = UNKNOWN if z in UNKNOWN_BOILING else temperature_text(celsius_from_kelvin(row["boiling_K"]))
        if z in UNKNOWN_DENSITY:
            density = UNKNOWN
        else:
            density = f"{number_text(nearest_float32(Fraction(Decimal(row['density_g_cm3']))))} g/cm3"

        if (z in phrase) == bool(row["year"]):
            raise InputError(f"row {z}: a year is given exactly where no discovery phrase stands")
        date = phrase.get(z, row["year"])
        discoverer = UNKNOWN if z in UNKNOWN_DISCOVERER else discoverer_text(z, row["discoverers"], people)

        rows.append([name, symbol, mass_text, melting, boiling, str(z), str(neutrons), category[z], crystal[z],
                     density, ELECTRON_CONFIGURATION.get(z, ""), date, discoverer, USES.get(z, ""),
                     HOW_OBTAINED.get(z, ""), ""])
    for z, row in enumerate(rows, start=1):
        for text in row:
            try:
                text.encode("cp1254")
            except UnicodeEncodeError:
                raise InputError(f"row {z}: {text!r} has a character outside the Turkish code page (Windows-1254)")
    return rows


def literal(text):
    return '"' + text.replace("\\", "\\\\").replace('"', '\\"') + '"'


def format_row(row, width=116):
    lines, line = [], "    {"
    for i, field in enumerate(row):
        piece = literal(field) + ("," if i + 1 < len(row) else "},")
        if len(line) + 1 + len(piece) > width and line.strip() != "{":
            lines.append(line.rstrip())
            line = "     "
        line += ("" if line.endswith("{") or line == "     " else " ") + piece
    lines.append(line)
    return "\n".join(lines)


SOURCE_HEAD = """\
#include "data/elementcatalogue.h"

namespace {

// Figures left open by the table's design (masses, melting and boiling points, densities, years, discoverers)
// come from the reviewed table tools/catalogue/elements.tsv, which names its public sources and, where they
// disagree, the figure taken and why; discoverers are written as tools/catalogue/people.tsv writes them.
// Written by tools/catalogue/make_catalogue.py; temperatures are celsius as single precision, with kelvin and
// fahrenheit derived from it.
constexpr std::array<ElementRecord, ElementCatalogueTable::Last> Rows{{
"""

SOURCE_TAIL = """\
}};

constexpr ElementRecord EmptyRow{};

constexpr bool countsMatch()
{
    for (std::size_t i = 0; i < Rows.size(); ++i) {
        std::size_t z = i + 1;
        std::string_view count = Rows[i].ProtonElectronCount;
        std::size_t value = 0;
        for (char c : count)
            value = value * 10 + std::size_t(c - '0');
        if (value != z || !Rows[i].Reserved.empty())
            return false;
    }
    return true;
}
static_assert(countsMatch(), "each row's proton count is its atomic number and field 16 stays empty");

} // namespace

const ElementRecord &ElementCatalogueTable::operator[](int z) const
{
    if (z < First || z > Last)
        return EmptyRow;
    return Rows[std::size_t(z - 1)];
}
"""


def render(rows):
    return SOURCE_HEAD + "".join(format_row(row) + "\n" for row in rows) + SOURCE_TAIL


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--input", default=DEFAULT_INPUT, help="the reviewed table (default: elements.tsv here)")
    parser.add_argument("--people", default=DEFAULT_PEOPLE, help="the names that may be credited (default: people.tsv here)")
    parser.add_argument("--output", default=DEFAULT_OUTPUT, help="the catalogue source (default: data/elementcatalogue.cpp)")
    parser.add_argument("--check", action="store_true",
                        help="write nothing; fail if the output differs from what the table gives")
    args = parser.parse_args()
    try:
        text = render(build_rows(read_table(args.input), read_people(args.people)))
    except InputError as error:
        print(f"make_catalogue: {error}", file=sys.stderr)
        return 2
    if args.check:
        with open(args.output, encoding="utf-8") as existing:
            current = existing.read()
        if current != text:
            sys.stdout.writelines(difflib.unified_diff(current.splitlines(True), text.splitlines(True),
                                                       args.output, "regenerated from " + args.input))
            print(f"make_catalogue: {args.output} is not what {args.input} gives; run tools/catalogue/make_catalogue.py",
                  file=sys.stderr)
            return 1
        print(f"make_catalogue: {args.output} matches {args.input}")
        return 0
    with open(args.output, "w", encoding="utf-8") as out:
        out.write(text)
    return 0


if __name__ == "__main__":
    sys.exit(main())
