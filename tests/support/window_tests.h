// The window tests share one executable; ctest runs each test file's class
// in a process of its own ("window_tests recall_window_test"), so every test
// starts with fresh windows and no state left by another.
// A test file ends with QV_WINDOW_TEST(ItsClass) where a lone test would
// have QTEST_MAIN.
#pragma once

#include <QTest>

namespace qv::test {

using WindowTestRun = int (*)(int argc, char** argv);

// Registers `run` under the name of the file it is written in (its name
// without folder and extension). Returns true, for a static initialiser.
bool registerWindowTest(const char* file, WindowTestRun run);

} // namespace qv::test

#define QV_WINDOW_TEST(TestClass)                                                                    \
    namespace {                                                                                      \
    int runWindowTest##TestClass(int argc, char** argv) {                                           \
        TestClass test;                                                                              \
        return QTest::qExec(&test, argc, argv);                                                      \
    }                                                                                                \
    [[maybe_unused]] const bool windowTest##TestClass =                                             \
        qv::test::registerWindowTest(__FILE__, runWindowTest##TestClass);                           \
    }
