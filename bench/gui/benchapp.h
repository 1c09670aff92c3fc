#pragma once

#include "app/uisetup.h"

#include <QApplication>
#include <QSettings>
#include <QTemporaryDir>

// The one QApplication of the benchmark program, offscreen, made by the
// first benchmark that needs widgets. Settings go to a temporary folder.
inline QApplication& BenchApp()
{
    static QTemporaryDir settings;
    static int argc = 1;
    static char name[] = "qoru-bench";
    static char* argv[] = { name, nullptr };
    static QApplication* app = [] {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings.path());
        auto* a = new QApplication(argc, argv);
        SetUpUserInterface(*a);
        return a;
    }();
    return *app;
}
