#include "app/qoruapp.h"
#include "app/uisetup.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    SetUpUserInterface(app);

    CQoruApp qoru;
    if (!qoru.InitInstance(QApplication::arguments()))
        return 1;
    return app.exec();
}
