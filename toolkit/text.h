#pragma once

#include <QString>

#include <string_view>

namespace tk {

// The program holds its texts as UTF-8 string views; Qt takes them as QString.
inline QString qs(std::string_view text)
{
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

} // namespace tk
