#include "guitestmain.h"

#include "app/uisetup.h"

#include <QApplication>
#include <QDialog>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>
#include <QWidget>

#include <cstdio>

void SetUpGuiTest(QApplication& app)
{
    static QTemporaryDir settingsDir;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settingsDir.path());
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settingsDir.path());
    SetUpUserInterface(app);

    auto* watchdog = new QTimer(&app);
    QObject::connect(watchdog, &QTimer::timeout, &app, [] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal)
            return;
        std::fprintf(stderr, "FAIL: a modal window appeared: %s\n",
            qPrintable(modal->windowTitle()));
        if (auto* dialog = qobject_cast<QDialog*>(modal))
            dialog->reject();
        else
            modal->close();
        QTest::qFail("a modal window appeared", __FILE__, __LINE__);
    });
    watchdog->start(200);
}
