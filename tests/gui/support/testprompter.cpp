#include "testprompter.h"

Prompter::Answer TestPrompter::notice(QWidget*, Icon icon, const QString& title,
    const QString& text, Buttons buttons)
{
    notices.append({ icon, title, text, buttons });
    if (buttons == Buttons::Ok)
        return Answer::Ok;
    return answers.isEmpty() ? Answer::Cancel : answers.dequeue();
}

QString TestPrompter::openFileName(QWidget*, const FileRequest& request)
{
    fileRequests.append(request);
    return fileNames.isEmpty() ? QString() : fileNames.dequeue();
}

QStringList TestPrompter::openFileNames(QWidget*, const FileRequest& request)
{
    fileRequests.append(request);
    if (fileNames.isEmpty())
        return {};
    return fileNames.dequeue().split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

QString TestPrompter::saveFileName(QWidget*, const FileRequest& request)
{
    fileRequests.append(request);
    return fileNames.isEmpty() ? QString() : fileNames.dequeue();
}

bool TestPrompter::askText(QWidget*, const QString&, const QString&, QString* text)
{
    if (textAnswers.isEmpty())
        return false;
    *text = textAnswers.dequeue();
    return true;
}

bool TestPrompter::chooseFont(QWidget*, QFont* font)
{
    ++fontDialogs;
    if (fonts.isEmpty())
        return false;
    *font = fonts.dequeue();
    return true;
}

bool TestPrompter::printDialog(QWidget*, QPrinter* printer, int maxPage)
{
    ++printDialogs;
    lastMaxPage = maxPage;
    return onPrintDialog ? onPrintDialog(printer) : false;
}

bool TestPrompter::pageSetupDialog(QWidget*, QPrinter* printer)
{
    ++pageSetupDialogs;
    return onPageSetupDialog ? onPageSetupDialog(printer) : false;
}

QStringList TestPrompter::texts() const
{
    QStringList list;
    for (const Notice& n : notices)
        list << n.text;
    return list;
}
