#pragma once

#include "toolkit/tapplication.h"

#include <QTest>

// Like QTEST_MAIN, but on the program's own application object (classic palette, fonts, error
// display), so that widgets draw in tests as they do in the program.
#define PC_TEST_MAIN(TestClass)                                                                    \
    int main(int argc, char **argv)                                                                \
    {                                                                                              \
        tk::Application app(argc, argv);                                                           \
        app.setAttribute(Qt::AA_Use96Dpi, true);                                                   \
        TestClass test;                                                                            \
        QTEST_SET_MAIN_SOURCE_PATH                                                                 \
        return QTest::qExec(&test, argc, argv);                                                    \
    }
