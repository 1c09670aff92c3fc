#pragma once

#include "common/message.h"

#include <QFont>
#include <QString>
#include <QStringList>

class QPrinter;
class QWidget;

// Everything the program asks or tells the user in a modal window goes
// through the current Prompter, so that tests can answer instead of a
// person. The default one shows the real Qt dialogs.
class Prompter
{
public:
    enum class Icon { Information, Exclamation, Question };
    enum class Buttons { Ok, YesNo, YesNoCancel };
    enum class Answer { Ok, Yes, No, Cancel };

    struct FileRequest {
        QString title;
        QStringList filters; // "配合比 文件 (*.txt)", ...
        QString proposedPath; // the file first selected (save; open when given)
        QString defaultSuffix; // save only, without the dot
        bool confirmReplace = true; // save only: ask before choosing an existing file
    };

    virtual ~Prompter() = default;

    virtual Answer notice(QWidget* parent, Icon icon, const QString& title, const QString& text,
        Buttons buttons);
    // An existing file to open, or empty when cancelled.
    virtual QString openFileName(QWidget* parent, const FileRequest& request);
    // Existing files to open, chosen together, or none when cancelled.
    virtual QStringList openFileNames(QWidget* parent, const FileRequest& request);
    // A file to save to (the dialog asks before replacing), or empty.
    virtual QString saveFileName(QWidget* parent, const FileRequest& request);
    // A font from a dialog that starts at its own default; false on cancel.
    virtual bool chooseFont(QWidget* parent, QFont* font);
    // The print dialog for `printer`, which takes the choices on OK; false
    // on cancel. Pages can be chosen from 1 to `maxPage`.
    virtual bool printDialog(QWidget* parent, QPrinter* printer, int maxPage);
    // The printer set-up (page set-up) dialog; false on cancel.
    virtual bool pageSetupDialog(QWidget* parent, QPrinter* printer);
    // A line of text, the box starting with `*text`; false on cancel.
    virtual bool askText(
        QWidget* parent, const QString& title, const QString& label, QString* text);

    // The Prompter in use; never null.
    static Prompter* current();

protected:
    // Makes this the current Prompter for its lifetime (tests).
    void install();
    void uninstall();

private:
    Prompter* m_previous = nullptr;
    bool m_installed = false;
};

// The one function every notice of the program goes through.
Prompter::Answer ShowNotice(QWidget* parent, Prompter::Icon icon, const QString& title,
    const QString& text, Prompter::Buttons buttons = Prompter::Buttons::Ok);

// The calculators' own notices: title "提示", information icon, OK.
void ShowInfo(QWidget* parent, const QString& text);

// The framework's messages: title "Qoru", exclamation icon, OK.
void ShowExclamation(QWidget* parent, const QString& text);

// A core message, by the one rule of who speaks: the calculator's as
// ShowInfo, the input rule's as ShowExclamation.
void ShowMessage(QWidget* parent, const Message& message);

inline const char* const kAppTitle = "Qoru";
inline const char* const kNoticeTitle = "提示";
