#include "assets/logoformdata.h"

#include <cstddef>

// Made at build time from assets/logo.gif (cmake/EmbedFormData.cmake).
extern const unsigned char kLogoFormData[];
extern const std::size_t kLogoFormData_size;

QByteArray logoFormData()
{
    return QByteArray::fromRawData(reinterpret_cast<const char *>(kLogoFormData), qsizetype(kLogoFormData_size));
}
