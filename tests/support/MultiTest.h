#pragma once

// Several test classes in one executable, so related areas share one link: each file registers its
// class with ZANDREL_TEST(Class) instead of QTEST_MAIN, and MultiTestMain.cpp runs them in turn.

#include <QList>
#include <QTest>
#include <functional>
#include <utility>

namespace zandrel::test {

using TestRunner = std::function<int(int, char**)>;

inline QList<std::pair<const char*, TestRunner>>& registeredTests()
{
    static QList<std::pair<const char*, TestRunner>> tests;
    return tests;
}

struct RegisterTest {
    RegisterTest(const char* name, TestRunner run) { registeredTests().append({name, std::move(run)}); }
};

} // namespace zandrel::test

#define ZANDREL_TEST(Class)                                                                                  \
    static const zandrel::test::RegisterTest registered##Class(#Class, [](int argc, char** argv) {           \
        Class test;                                                                                          \
        return QTest::qExec(&test, argc, argv);                                                              \
    });
