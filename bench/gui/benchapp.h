#pragma once

#include "app/uisetup.h"

#include <QApplication>
#include <QSettings>
#include <QTemporaryDir>

// The one QApplication of the benchmark program, offscreen unless told, made by the
// first benchmark that needs widgets. Settings go to a temporary folder.
inline QApplication& BenchApp()
{
    static QTemporaryDir settings;
    static int argc = 1;
    static char name[] = "qoru-bench";
    static char* argv[] = { name, nullptr };
    static QApplication* app = [] {
        // QORU_BENCH_PLATFORM=xcb runs on a display, where the accessibility
        // bridge can be switched on (QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1).
        const QByteArray platform = qgetenv("QORU_BENCH_PLATFORM");
        qputenv("QT_QPA_PLATFORM", platform.isEmpty() ? QByteArray("offscreen") : platform);
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings.path());
        auto* a = new QApplication(argc, argv);
        SetUpUserInterface(*a);
        return a;
    }();
    return *app;
}
