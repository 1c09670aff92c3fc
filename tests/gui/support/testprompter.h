#pragma once

#include "common/prompter.h"

#include <QList>
#include <QQueue>

#include <functional>

// Answers for the user in tests: records every notice and hands out the
// answers, file names and fonts queued for it. Installed while it lives.
class TestPrompter : public Prompter
{
public:
    struct Notice {
        Icon icon;
        QString title;
        QString text;
        Buttons buttons;
    };

    TestPrompter() { install(); }
    ~TestPrompter() override { uninstall(); }

    Answer notice(QWidget* parent, Icon icon, const QString& title, const QString& text,
        Buttons buttons) override;
    QString openFileName(QWidget* parent, const FileRequest& request) override;
    QStringList openFileNames(QWidget* parent, const FileRequest& request) override;
    QString saveFileName(QWidget* parent, const FileRequest& request) override;
    bool chooseFont(QWidget* parent, QFont* font) override;
    bool printDialog(QWidget* parent, QPrinter* printer, int maxPage) override;
    bool pageSetupDialog(QWidget* parent, QPrinter* printer) override;
    bool askText(
        QWidget* parent, const QString& title, const QString& label, QString* text) override;

    QList<Notice> notices;
    QQueue<Answer> answers; // for Yes/No(/Cancel) questions; Cancel when empty
    QQueue<QString> fileNames; // empty string: the dialog was cancelled
                               // (several files to open at once: joined by '\n')
    QList<FileRequest> fileRequests;
    QQueue<QString> textAnswers; // none queued: the text question is cancelled
    QQueue<QFont> fonts; // none queued: the font dialog is cancelled
    int fontDialogs = 0;
    // What the person does in the print and page set-up dialogs: sets up the
    // printer and says OK (true) or cancels. None set: the dialog is cancelled.
    std::function<bool(QPrinter*)> onPrintDialog;
    std::function<bool(QPrinter*)> onPageSetupDialog;
    int printDialogs = 0;
    int pageSetupDialogs = 0;
    int lastMaxPage = 0;

    QStringList texts() const;
};
