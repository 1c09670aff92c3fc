#include "doc/qorudoc.h"

#include "common/prompter.h"
#include "doc/platformfile.h"
#include "res/strings.h"
#include "view/qoruview.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

namespace {

QString Native(const QString& path) { return QDir::toNativeSeparators(path); }

QString Text(const std::string& utf8) { return QString::fromStdString(utf8); }

QStringList Filters()
{
    return { QString::fromUtf8(kFilterReports), QString::fromUtf8(kFilterAll) };
}

} // namespace

CQoruDoc::CQoruDoc(CQoruView* view, FileSystem* files, QObject* parent)
    : QObject(parent), m_pView(view), m_pFiles(files)
{
    connect(m_pView, &CQoruView::textEdited, this, [this] { setModified(true); });
}

QString CQoruDoc::title() const
{
    return m_strPathName.isEmpty() ? QString::fromUtf8(kUntitled)
                                   : QFileInfo(m_strPathName).fileName();
}

void CQoruDoc::setModified(bool modified) { m_bModified = modified; }

void CQoruDoc::setPathName(const QString& path)
{
    m_strPathName = path;
    Q_EMIT titleChanged();
}

QWidget* CQoruDoc::dialogParent() const { return m_pView->window(); }

bool CQoruDoc::OnNewDocument()
{
    m_stamp.reset();
    setPathName(QString());
    m_pView->clearText();
    m_bModified = false;
    m_pView->initialUpdate();
    return true;
}

bool CQoruDoc::OnOpenDocument(const QString& path)
{
    const FileSystem::ReadResult r
        = m_pFiles->ReadFile(QFile::encodeName(path).toStdString(), kMaxReportBytes);
    const QString shown = Native(path);
    switch (r.status) {
    case FileSystem::ReadStatus::Ok:
        break;
    case FileSystem::ReadStatus::OpenFailed:
        ShowExclamation(dialogParent(), Text(FileErrorMessage(r.error, shown.toStdString())));
        return false;
    case FileSystem::ReadStatus::TooLarge:
        ShowExclamation(dialogParent(), QString::fromUtf8(kMsgFileTooLarge));
        OnNewDocument();
        return false;
    case FileSystem::ReadStatus::EndedEarly:
        ShowExclamation(dialogParent(), QString::fromUtf8(kMsgUnexpectedFormat));
        OnNewDocument();
        return false;
    case FileSystem::ReadStatus::ReadFailed:
        ShowExclamation(dialogParent(), Text(FileErrorMessage(r.error, shown.toStdString())));
        OnNewDocument();
        return false;
    }

    m_pView->loadFileBytes(r.bytes);
    m_stamp = r.stamp;
    m_bModified = false;
    setPathName(path);
    m_pView->initialUpdate();
    Q_EMIT fileUsed(path);
    return true;
}

bool CQoruDoc::SaveModified()
{
    if (!m_bModified)
        return true;
    const QString question = QString::fromUtf8(kSaveChangesQuestion).arg(title());
    switch (ShowNotice(dialogParent(), Prompter::Icon::Exclamation, QString::fromUtf8(kAppTitle),
        question, Prompter::Buttons::YesNoCancel)) {
    case Prompter::Answer::Yes: return DoFileSave();
    case Prompter::Answer::No: return true;
    default: return false;
    }
}

bool CQoruDoc::DoFileSave()
{
    const QFileInfo file(m_strPathName);
    if (m_strPathName.isEmpty() || !file.exists() || !file.isWritable())
        return DoSaveAs();
    return saveTo(m_strPathName);
}

QString CQoruDoc::proposedFileName() const
{
    if (!m_strPathName.isEmpty())
        return m_strPathName;
    QString name = title();
    const qsizetype cut = name.indexOf(QRegularExpression(QStringLiteral("[ #%;/\\\\]")));
    if (cut >= 0)
        name.truncate(cut);
    return name + QString::fromUtf8(kReportExtension);
}

bool CQoruDoc::DoSaveAs()
{
    Prompter::FileRequest request;
    request.title = QString::fromUtf8(kSaveAsTitle);
    request.filters = Filters();
    request.proposedPath = proposedFileName();
    request.defaultSuffix = QStringLiteral("txt");
    const QString path = Prompter::current()->saveFileName(dialogParent(), request);
    if (path.isEmpty())
        return false;
    return saveTo(QFileInfo(path).absoluteFilePath());
}

bool CQoruDoc::mayOverwrite(const QString& path)
{
    if (!m_stamp || path != m_strPathName)
        return true;
    const std::optional<FileStamp> now = m_pFiles->Stamp(QFile::encodeName(path).toStdString());
    if (!now || *now == *m_stamp)
        return true;
    const QString question = QString::fromUtf8(kMsgChangedOnDisk).arg(Native(path));
    return ShowNotice(dialogParent(), Prompter::Icon::Exclamation, QString::fromUtf8(kAppTitle),
               question, Prompter::Buttons::YesNo)
        == Prompter::Answer::Yes;
}

bool CQoruDoc::saveTo(const QString& path)
{
    if (!mayOverwrite(path))
        return false;
    const FileSystem::WriteResult r
        = m_pFiles->WriteFile(QFile::encodeName(path).toStdString(), m_pView->fileBytes());
    if (r.error != FileError::None) {
        // The folder is named when it was the folder that refused.
        const QString about = r.errorPath.empty()
            ? Native(path)
            : Native(QFile::decodeName(QByteArray::fromStdString(r.errorPath)));
        ShowExclamation(dialogParent(), Text(FileErrorMessage(r.error, about.toStdString())));
        return false;
    }
    m_stamp = r.stamp;
    m_bModified = false;
    setPathName(path);
    Q_EMIT fileUsed(path);
    return true;
}
