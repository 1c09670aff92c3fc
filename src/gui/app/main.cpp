#include "app/commandline.h"
#include "app/qoruapp.h"
#include "app/uisetup.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    if (const auto status = RunHeadless(argc, argv))
        return *status;
    QApplication app(argc, argv);
    SetUpUserInterface(app);

    CQoruApp qoru;
    if (!qoru.InitInstance(QApplication::arguments()))
        return 1;
    return app.exec();
}
