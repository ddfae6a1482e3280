#include "gif/logoformdata.h"

#include "toolkit/error.h"

#include <QFile>

QByteArray logoFormData()
{
    QFile file(QStringLiteral(":/assets/logo.gif"));
    if (!file.open(QIODevice::ReadOnly))
        throw tk::Error("The logo picture is missing from the program's resources");
    const QByteArray gif = file.readAll();
    const std::uint32_t count = std::uint32_t(gif.size());
    QByteArray out;
    for (int i = 0; i < 4; ++i)
        out.append(char(count >> (8 * i) & 0xFF));
    return out + gif;
}
