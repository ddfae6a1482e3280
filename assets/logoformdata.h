#pragma once

#include <QByteArray>

// The program's animated logo as the main window's stored description holds it: a 32-bit
// little-endian byte count, then the GIF file (assets/logo.gif). The bytes are compiled into the
// program and stay where they lie for the whole run; the array refers to them without a copy.
QByteArray logoFormData();
