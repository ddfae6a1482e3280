#pragma once

#include <QByteArray>

// The program's animated logo as the main window's form data holds it: a 32-bit little-endian
// byte count, then the GIF file (":/assets/logo.gif", compiled into the program).
QByteArray logoFormData();
