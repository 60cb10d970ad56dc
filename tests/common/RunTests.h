#pragma once

#include <QTest>

// Each test class of a suite offers a run function; the suite's main runs them all.
#define ZOLVARIC_TEST_RUNNER(Class)                                                                \
    int run##Class(int argc, char *argv[])                                                         \
    {                                                                                              \
        Class test;                                                                                \
        return QTest::qExec(&test, argc, argv);                                                    \
    }
