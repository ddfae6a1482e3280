#include "windows/logoformdata.h"

#include "gif/tgifimage.h"
#include "toolkit/error.h"

#include <QFile>

QByteArray logoFormData()
{
    QFile file(QStringLiteral(":/assets/logo.gif"));
    if (!file.open(QIODevice::ReadOnly))
        throw tk::Error("The logo picture is missing from the program's resources");
    return TGIFImage::formDataOf(file.readAll());
}
