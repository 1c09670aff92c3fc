#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// What qoru's command line asks for. Without an export or import it opens
// the window, on --database FILE when given.
struct CommandLine
{
    enum class Action
    {
        Window,
        ExportLedger, // --export-ledger OUT.xlsx|OUT.csv [--encoding gbk]
        ExportNotice, // --export-notice NUMBER OUT.pdf|OUT.odt
        ExportReport, // --export-report NUMBER OUT.pdf|OUT.odt
        ImportJson // --import-json FILE…
    };
    Action action = Action::Window;
    QString database; // --database FILE
    QString number; // the entry of a notice or report
    QString output;
    bool gbk = false; // --encoding gbk
    QStringList inputs; // the files to import
    QStringList rest; // what is not ours: the window's file to open …
    QString error; // a one-line message when the line cannot be read
};

// `arguments` without the program's name.
CommandLine ParseCommandLine(const QStringList& arguments);

// Runs an export or import without a window: an exit status (0, or 2 after
// a one-line message on stderr) when the command line asks for one, else
// nothing and the window opens. Call first thing in main.
std::optional<int> RunHeadless(int argc, char* argv[]);
