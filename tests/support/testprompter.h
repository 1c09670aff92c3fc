#pragma once

#include "common/prompter.h"

#include <QList>
#include <QQueue>

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
    QString saveFileName(QWidget* parent, const FileRequest& request) override;
    bool chooseFont(QWidget* parent, QFont* font) override;

    QList<Notice> notices;
    QQueue<Answer> answers; // for Yes/No/Cancel questions; Cancel when empty
    QQueue<QString> fileNames; // empty string: the dialog was cancelled
    QList<FileRequest> fileRequests;
    QQueue<QFont> fonts; // none queued: the font dialog is cancelled
    int fontDialogs = 0;

    QStringList texts() const;
};
