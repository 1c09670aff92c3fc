#pragma once

#include <QTest>

class QApplication;

// Set-up shared by every Qt test before its first test function: settings in
// a temporary folder, C number formatting, the program's fonts and
// translations, and a watchdog that fails the test and closes any modal
// window that still appears (a test must never wait for a person).
void SetUpGuiTest(QApplication& app);

#define QORU_GUI_TEST_MAIN(TestObject)                                                           \
    int main(int argc, char** argv)                                                              \
    {                                                                                            \
        QApplication app(argc, argv);                                                            \
        SetUpGuiTest(app);                                                                       \
        TestObject tc;                                                                           \
        return QTest::qExec(&tc, argc, argv);                                                    \
    }
