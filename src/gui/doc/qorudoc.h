#pragma once

#include "doc/platformfile.h"

#include <QObject>
#include <QString>

#include <optional>

class CQoruView;
class QWidget;

// The report document. Its content is the text of its one view; it moves
// that text between the view and a file and keeps the path, title and
// modified flag.
class CQoruDoc : public QObject
{
    Q_OBJECT

public:
    CQoruDoc(CQoruView* view, FileSystem* files, QObject* parent = nullptr);

    CQoruView* view() const { return m_pView; }
    QString pathName() const { return m_strPathName; }
    QString title() const; // "无标题" until opened or saved
    bool isModified() const { return m_bModified; }
    void setModified(bool modified);

    // A new, empty, untitled report.
    bool OnNewDocument();
    // Loads a file (an absolute path). On failure the user has been told;
    // the report is untouched when the file could not be opened and a new
    // untitled report when it could not be read.
    bool OnOpenDocument(const QString& path);
    // Asks whether to save a modified report; false means do not go on.
    bool SaveModified();
    // Save: to the report's own file when it has one that can be written,
    // otherwise through Save As. False when cancelled or failed.
    bool DoFileSave();
    // Save As: asks for the file name, proposing the present one.
    bool DoSaveAs();

    // The file name Save As proposes.
    QString proposedFileName() const;

public Q_SLOTS:
    void OnFileSave() { DoFileSave(); }
    void OnFileSaveAs() { DoSaveAs(); }

Q_SIGNALS:
    void titleChanged();
    // A file was opened or saved: it goes to the top of the recent files.
    void fileUsed(const QString& path);

private:
    bool saveTo(const QString& path);
    // Whether the report may go over its file: asks when another program
    // changed the file since we last read or wrote it.
    bool mayOverwrite(const QString& path);
    void setPathName(const QString& path);
    QWidget* dialogParent() const;

    CQoruView* m_pView;
    FileSystem* m_pFiles;
    QString m_strPathName;
    bool m_bModified = false;
    // The file as we last read or wrote it.
    std::optional<FileStamp> m_stamp;
};
