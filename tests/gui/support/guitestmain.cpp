#include "guitestmain.h"

#include "app/uisetup.h"
#include "common/appsettings.h"

#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QPointer>
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
    // The records too go to the temporary folder, never the user's own:
    // the chosen file, and the default file (a server's local queue, a test
    // that forgets the choice) under the data folder.
    qputenv("XDG_DATA_HOME", QFile::encodeName(settingsDir.filePath(QStringLiteral("share"))));
    AppSettings().setValue(
        QStringLiteral("Settings/Database"), settingsDir.filePath(QStringLiteral("qoru.sqlite")));

    auto* watchdog = new QTimer(&app);
    QObject::connect(watchdog, &QTimer::timeout, &app, [] {
        // A modal window a test closes itself is gone by the next tick; one
        // that is still there then is waiting for a person.
        static QPointer<QWidget> seen;
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || modal != seen) {
            seen = modal;
            return;
        }
        seen = nullptr;
        std::fprintf(
            stderr, "FAIL: a modal window appeared: %s\n", qPrintable(modal->windowTitle()));
        if (auto* dialog = qobject_cast<QDialog*>(modal))
            dialog->reject();
        else
            modal->close();
        QTest::qFail("a modal window appeared", __FILE__, __LINE__);
    });
    watchdog->start(200);
}
