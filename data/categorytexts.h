#pragma once

#include <cstddef>
#include <span>
#include <string_view>

// One category of the category dialog: the category values that select it, the title it shows
// and its paragraphs (UTF-8), possibly none.
struct CategoryEntry {
    std::span<const std::string_view> MatchValues;
    std::string_view Title;
    std::span<const std::string_view> Lines;

    // Whole, exact and case-sensitive comparison; the empty text is not a match value of any entry.
    constexpr bool matches(std::string_view category) const
    {
        for (const std::string_view value : MatchValues)
            if (value == category)
                return true;
        return false;
    }
};

// The nine category entries in their fixed order, numbered 1 to 9; a constant of the program.
class CategoryTextTableType {
public:
    static constexpr int Count = 9;

    std::span<const CategoryEntry> entries() const;

    // Entry by number, 1 to 9.
    const CategoryEntry &entry(int number) const;

    // The first entry one of whose match values equals the category text, or null.
    const CategoryEntry *find(std::string_view category) const;
};

inline constexpr CategoryTextTableType CategoryTextTable{};
