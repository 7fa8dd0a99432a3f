#include "MultiTest.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    QTEST_SET_MAIN_SOURCE_PATH
    int failed = 0;
    for (const auto& [name, run] : zandrel::test::registeredTests())
        failed += run(argc, argv) != 0 ? 1 : 0;
    return failed;
}
