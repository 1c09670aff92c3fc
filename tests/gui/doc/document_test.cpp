// The report document: its states, the save question, the file formats and
// every way a file can fail.
#include "res/commandids.h"
#include "app/mainframe.h"
#include "app/qoruapp.h"
#include "doc/platformfile.h"
#include "doc/qorudoc.h"
#include "guitestmain.h"
#include "testprompter.h"
#include "view/qoruview.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextCursor>

#include <memory>
#include <random>

#ifdef __unix__
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

QByteArray ReadAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
}

void WriteAll(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        qFatal("cannot write %s", qPrintable(path));
    f.write(bytes);
}

#ifdef __unix__
struct stat Stat(const QString& path)
{
    struct stat st {};
    if (::lstat(QFile::encodeName(path).constData(), &st) != 0)
        qFatal("cannot stat %s", qPrintable(path));
    return st;
}
#endif

QString Msg(const char* pattern, const QString& path)
{
    return QString::fromUtf8(pattern).arg(QDir::toNativeSeparators(path));
}

// Fails writes or reads with a cause no machine gives on request.
class FailingFiles : public FileSystem
{
public:
    FileError writeError = FileError::None;
    ReadResult forcedRead;
    bool forceRead = false;

    ReadResult ReadFile(const std::string& path, long long maxBytes) override
    {
        return forceRead ? forcedRead : FileSystem::ReadFile(path, maxBytes);
    }
    WriteResult WriteFile(const std::string& path, const std::string& bytes) override
    {
        if (writeError == FileError::None)
            return FileSystem::WriteFile(path, bytes);
        WriteResult r;
        r.error = writeError;
        return r;
    }
};

} // namespace

class DocumentTest : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_tempDir;
    FailingFiles m_files;
    std::unique_ptr<TestPrompter> m_prompter;
    std::unique_ptr<CQoruApp> m_app;

    CQoruDoc* doc() const { return m_app->document(); }
    CQoruView* view() const { return m_app->view(); }
    QString path(const QString& name) const { return m_tempDir->filePath(name); }
    QString dirPath() const { return m_tempDir->path(); }
    void type(const QString& text) { QTest::keyClicks(view(), text); }

    // The state a failed operation must not touch.
    struct Snapshot {
        QString text, title;
        bool modified;
        bool operator==(const Snapshot& o) const
        {
            return text == o.text && title == o.title && modified == o.modified;
        }
    };
    Snapshot snapshot() const
    {
        return { view()->toPlainText(), m_app->mainFrame()->windowTitle(), doc()->isModified() };
    }

private Q_SLOTS:
    void init()
    {
        m_files = FailingFiles();
        m_tempDir = std::make_unique<QTemporaryDir>();
        m_prompter = std::make_unique<TestPrompter>();
        m_app = std::make_unique<CQoruApp>(&m_files);
        QVERIFY(m_app->InitInstance({ QStringLiteral("qoru") }));
        view()->setFocus();
    }

    void cleanup()
    {
        doc()->setModified(false);
        m_app.reset();
        m_prompter.reset();
    }

    // --- states and the save question -------------------------------------

    void typing_marks_the_report_and_new_asks_to_save()
    {
        type(QStringLiteral("a"));
        QVERIFY(doc()->isModified());
        m_prompter->answers.enqueue(Prompter::Answer::Cancel);
        m_app->OnFileNew();
        QCOMPARE(m_prompter->notices.size(), 1);
        const auto& n = m_prompter->notices.first();
        QCOMPARE(n.text, QStringLiteral("将改动保存到 无标题？"));
        QCOMPARE(n.title, QStringLiteral("Qoru"));
        QCOMPARE(n.icon, Prompter::Icon::Exclamation);
        QCOMPARE(n.buttons, Prompter::Buttons::YesNoCancel);
        QCOMPARE(view()->toPlainText(), QStringLiteral("a")); // Cancel: nothing happened

        m_prompter->answers.enqueue(Prompter::Answer::No);
        m_app->OnFileNew();
        QVERIFY(view()->toPlainText().isEmpty());
        QVERIFY(!doc()->isModified());
        QCOMPARE(m_app->mainFrame()->windowTitle(), QStringLiteral("无标题 - Qoru"));
    }

    void yes_saves_first_and_goes_on_only_when_the_save_succeeds()
    {
        type(QStringLiteral("b"));
        m_prompter->answers.enqueue(Prompter::Answer::Yes);
        m_prompter->fileNames.enqueue(QString()); // the save dialog is cancelled
        m_app->OnFileNew();
        QCOMPARE(view()->toPlainText(), QStringLiteral("b"));

        m_prompter->answers.enqueue(Prompter::Answer::Yes);
        m_prompter->fileNames.enqueue(path(QStringLiteral("kept.txt")));
        m_app->OnFileNew();
        QVERIFY(view()->toPlainText().isEmpty());
        QCOMPARE(ReadAll(path(QStringLiteral("kept.txt"))), QByteArray("b"));
    }

    void open_asks_about_changes_with_the_title_of_the_report()
    {
        const QString a = path(QStringLiteral("甲.txt"));
        const QString b = path(QStringLiteral("乙.txt"));
        WriteAll(a, "A");
        WriteAll(b, "B");
        QVERIFY(m_app->OpenDocumentFile(a));
        type(QStringLiteral("x"));
        m_prompter->answers.enqueue(Prompter::Answer::Cancel);
        QVERIFY(!m_app->OpenDocumentFile(b));
        QCOMPARE(m_prompter->texts().last(), QStringLiteral("将改动保存到 甲.txt？"));
        QCOMPARE(view()->toPlainText(), QStringLiteral("xA"));

        m_prompter->answers.enqueue(Prompter::Answer::No);
        QVERIFY(m_app->OpenDocumentFile(b));
        QCOMPARE(view()->toPlainText(), QStringLiteral("B"));
        QCOMPARE(ReadAll(a), QByteArray("A"));
        QCOMPARE(m_app->mainFrame()->windowTitle(), QStringLiteral("乙.txt - Qoru"));
    }

    void opening_the_file_already_open_changes_nothing()
    {
        const QString a = path(QStringLiteral("same.txt"));
        WriteAll(a, "same");
        QVERIFY(m_app->OpenDocumentFile(a));
        type(QStringLiteral("edited "));
        QVERIFY(m_app->OpenDocumentFile(a));
        QVERIFY(m_prompter->notices.isEmpty());
        QCOMPARE(view()->toPlainText(), QStringLiteral("edited same"));
        QVERIFY(doc()->isModified());
    }

    void an_appended_report_marks_the_report_modified()
    {
        QVERIFY(view()->appendReport("\r\n报告\r\n"));
        QVERIFY(doc()->isModified());
        m_prompter->answers.enqueue(Prompter::Answer::Cancel);
        QVERIFY(!m_app->mainFrame()->close());
        QCOMPARE(m_prompter->notices.size(), 1);
    }

    // --- save and save as -------------------------------------------------

    void saving_a_new_report_proposes_untitled_txt_with_both_filters()
    {
        type(QStringLiteral("c"));
        m_prompter->fileNames.enqueue(QString());
        m_app->mainFrame()->action(ID_FILE_SAVE)->trigger();
        QCOMPARE(m_prompter->fileRequests.size(), 1);
        const Prompter::FileRequest& r = m_prompter->fileRequests.first();
        QCOMPARE(r.title, QStringLiteral("保存为"));
        QCOMPARE(r.proposedPath, QStringLiteral("无标题.txt"));
        QCOMPARE(r.defaultSuffix, QStringLiteral("txt"));
        QCOMPARE(r.filters, (QStringList { QStringLiteral("配合比 文件 (*.txt)"), QStringLiteral("所有文件 (*.*)") }));
        QVERIFY(doc()->isModified());
    }

    void open_dialog_has_its_title_and_filters()
    {
        m_prompter->fileNames.enqueue(QString());
        m_app->mainFrame()->action(ID_FILE_OPEN)->trigger();
        QCOMPARE(m_prompter->fileRequests.size(), 1);
        QCOMPARE(m_prompter->fileRequests.first().title, QStringLiteral("打开"));
        QCOMPARE(m_prompter->fileRequests.first().filters.size(), 2);
    }

    void save_writes_exactly_the_text_and_again_gives_the_same_bytes()
    {
        const QString file = path(QStringLiteral("报告.txt"));
        view()->appendReport("\r\n第一行\r\n　　全角　空格\r\n");
        m_prompter->fileNames.enqueue(file);
        QVERIFY(doc()->DoFileSave());
        const QByteArray first = ReadAll(file);
        QCOMPARE(first, QByteArray("\r\n\xb5\xda\xd2\xbb\xd0\xd0\r\n\xa1\xa1\xa1\xa1\xc8\xab\xbd\xc7\xa1\xa1\xbf\xd5\xb8\xf1\r\n"));
        QVERIFY(!doc()->isModified());
        QCOMPARE(m_app->mainFrame()->windowTitle(), QStringLiteral("报告.txt - Qoru"));
        QVERIFY(doc()->DoFileSave()); // straight to its file, no dialog
        QCOMPARE(m_prompter->fileRequests.size(), 1);
        QCOMPARE(ReadAll(file), first);
    }

    void save_of_a_read_only_or_vanished_file_goes_through_save_as()
    {
        const QString file = path(QStringLiteral("ro.txt"));
        WriteAll(file, "ro");
        QVERIFY(m_app->OpenDocumentFile(file));
        QFile::remove(file);
        m_prompter->fileNames.enqueue(QString());
        QVERIFY(!doc()->DoFileSave());
        QCOMPARE(m_prompter->fileRequests.size(), 1);
        QCOMPARE(m_prompter->fileRequests.first().proposedPath, file);
    }

    void opening_and_saving_any_bytes_gives_the_same_file()
    {
        std::mt19937 random(936);
        const QByteArray hostile[] = {
            QByteArray("\x81", 1), QByteArray("a\rb\nc\r\n\r\r\n\n", 12), QByteArray("\0\0x\0", 4),
            QByteArray("\x80\xff\xa1", 3), QByteArray("\xe2\x80\xa8\x81\x30\x81\x30", 7),
            QByteArray("no final break"), QByteArray("\xbb\xec\r"),
        };
        QList<QByteArray> cases(std::begin(hostile), std::end(hostile));
        for (int i = 0; i < 60; ++i) {
            QByteArray bytes;
            const int n = static_cast<int>(random() % 300);
            for (int j = 0; j < n; ++j) {
                const unsigned r = random() % 8;
                bytes.append(static_cast<char>(r == 0 ? '\r' : r == 1 ? '\n' : random() % 256));
            }
            cases << bytes;
        }
        const QString in = path(QStringLiteral("in.txt"));
        const QString out = path(QStringLiteral("out.txt"));
        for (const QByteArray& bytes : cases) {
            WriteAll(in, bytes);
            m_app->OnFileNew();
            QVERIFY(m_app->OpenDocumentFile(in));
            m_prompter->fileNames.enqueue(out);
            QVERIFY(doc()->DoSaveAs());
            QCOMPARE(ReadAll(out).toHex(), bytes.toHex());
        }
    }

    void editing_one_line_changes_only_that_line()
    {
        const QString file = path(QStringLiteral("lines.txt"));
        const char raw[] = "\xc9\xb0\r\nline two\nlone\r\xff end\r\nlast";
        const QByteArray bytes(raw, sizeof raw - 1);
        WriteAll(file, bytes);
        QVERIFY(m_app->OpenDocumentFile(file));
        QTextCursor c(view()->document()->findBlockByNumber(1));
        c.movePosition(QTextCursor::EndOfBlock);
        view()->setTextCursor(c);
        type(QStringLiteral("!"));
        QVERIFY(doc()->DoFileSave());
        QByteArray expected = bytes;
        // The lone LF and CR are no line breaks of the view: block 1 ends at "end".
        expected.insert(expected.indexOf("\r\nlast"), "!");
        QCOMPARE(ReadAll(file).toHex(), expected.toHex());
    }

    void a_character_gbk_lacks_is_saved_in_its_gb18030_form()
    {
        const QString file = path(QStringLiteral("ext.txt"));
        view()->insertPlainText(QStringLiteral("€\U00020000"));
        m_prompter->fileNames.enqueue(file);
        QVERIFY(doc()->DoSaveAs());
        const QByteArray saved = ReadAll(file);
        QVERIFY(!saved.contains('?'));
        m_app->OnFileNew();
        QVERIFY(m_app->OpenDocumentFile(file));
        QCOMPARE(view()->toPlainText(), QStringLiteral("€\U00020000"));
    }

    // --- the size limit and empty files ------------------------------------

    void the_largest_file_opens_and_one_byte_more_does_not()
    {
        const QString fits = path(QStringLiteral("fits.txt"));
        const QString over = path(QStringLiteral("over.txt"));
        QByteArray lines;
        while (lines.size() < 1048575)
            lines += QByteArray(78, 'a') + "\r\n";
        lines.truncate(1048575);
        WriteAll(fits, lines);
        WriteAll(over, lines + "b");
        QVERIFY(m_app->OpenDocumentFile(fits));
        QCOMPARE(view()->fileLength(), size_t(1048575));
        QVERIFY(!m_app->OpenDocumentFile(over));
        QCOMPARE(m_prompter->texts(), QStringList { QStringLiteral("该文件太大，无法打开。") });
        QVERIFY(view()->toPlainText().isEmpty());
        QCOMPARE(m_app->mainFrame()->windowTitle(), QStringLiteral("无标题 - Qoru"));
    }

    void an_empty_file_gives_an_empty_report_under_its_title()
    {
        const QString empty = path(QStringLiteral("empty.txt"));
        WriteAll(empty, QByteArray());
        view()->appendReport("\r\nold\r\n");
        doc()->setModified(false);
        QVERIFY(m_app->OpenDocumentFile(empty));
        QVERIFY(view()->toPlainText().isEmpty());
        QCOMPARE(m_app->mainFrame()->windowTitle(), QStringLiteral("empty.txt - Qoru"));
    }

    // --- what the path leads to ----------------------------------------------

#ifdef __unix__
    void links_permissions_and_owner_survive_a_save()
    {
        const QString real = path(QStringLiteral("real.txt"));
        const QString twin = path(QStringLiteral("twin.txt"));
        const QString link = path(QStringLiteral("link.txt"));
        WriteAll(real, "old");
        QCOMPARE(::chmod(QFile::encodeName(real).constData(), 0640), 0);
        QCOMPARE(
            ::link(QFile::encodeName(real).constData(), QFile::encodeName(twin).constData()), 0);
        QCOMPARE(::symlink("real.txt", QFile::encodeName(link).constData()), 0); // relative
        const bool root = ::geteuid() == 0;
        if (root)
            QCOMPARE(::chown(QFile::encodeName(real).constData(), 4321, 4322), 0);
        const ino_t node = Stat(real).st_ino;

        QVERIFY(m_app->OpenDocumentFile(link));
        type(QStringLiteral("new "));
        QVERIFY(doc()->DoFileSave());
        QVERIFY(m_prompter->notices.isEmpty());
        QVERIFY(S_ISLNK(Stat(link).st_mode));
        QCOMPARE(ReadAll(real), QByteArray("new old"));
        QCOMPARE(ReadAll(twin), QByteArray("new old")); // the hard link is not split
        const struct stat after = Stat(real);
        QCOMPARE(after.st_ino, node);
        QCOMPARE(after.st_nlink, nlink_t(2));
        QCOMPARE(after.st_mode & 07777, mode_t(0640));
        if (root) {
            QCOMPARE(after.st_uid, uid_t(4321));
            QCOMPARE(after.st_gid, gid_t(4322));
        }
        QCOMPARE(m_app->mainFrame()->windowTitle(), QStringLiteral("link.txt - Qoru"));

        // Once the twin is gone the file is replaced whole, and keeps all that too.
        // Removing a name changes the file's change time, so Save asks first.
        QVERIFY(QFile::remove(twin));
        type(QStringLiteral("x"));
        m_prompter->answers.enqueue(Prompter::Answer::Yes);
        QVERIFY(doc()->DoFileSave());
        QCOMPARE(m_prompter->notices.size(), 1);
        QCOMPARE(ReadAll(real), QByteArray("new xold"));
        QVERIFY(S_ISLNK(Stat(link).st_mode));
        QCOMPARE(Stat(real).st_mode & 07777, mode_t(0640));
        if (root)
            QCOMPARE(Stat(real).st_uid, uid_t(4321));
        QCOMPARE(QDir(dirPath()).entryList(QDir::Files | QDir::Hidden | QDir::System),
            (QStringList { QStringLiteral("link.txt"), QStringLiteral("real.txt") }));
    }

    void pipes_and_devices_are_refused_at_once()
    {
        const QString fifo = path(QStringLiteral("pipe.txt"));
        QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0666), 0);
        type(QStringLiteral("keep"));
        doc()->setModified(false);
        const Snapshot before = snapshot();
        // With no writer at the other end, any blocking open or read would hang here.
        QVERIFY(!m_app->OpenDocumentFile(fifo));
        QVERIFY(!m_app->OpenDocumentFile(QStringLiteral("/dev/zero")));
        m_prompter->fileNames.enqueue(fifo);
        QVERIFY(!doc()->DoSaveAs());
        QCOMPARE(m_prompter->texts(),
            (QStringList { Msg("对 %1 的存取被拒绝。", fifo),
                Msg("对 %1 的存取被拒绝。", QStringLiteral("/dev/zero")),
                Msg("对 %1 的存取被拒绝。", fifo) }));
        QVERIFY(S_ISFIFO(Stat(fifo).st_mode));
        QVERIFY(snapshot() == before);
    }

    void a_folder_that_refuses_new_files_is_named()
    {
        if (::geteuid() == 0) // let nobody reach the folder
            QVERIFY(QFile::setPermissions(dirPath(), QFile::Permissions(0x7755)));
        const QString folder = path(QStringLiteral("locked"));
        QVERIFY(QDir(dirPath()).mkdir(QStringLiteral("locked")));
        const QString file = folder + QStringLiteral("/open.txt");
        WriteAll(file, "old");
        QVERIFY(QFile::setPermissions(file, QFile::Permissions(0x6666)));
        QVERIFY(m_app->OpenDocumentFile(file));
        QVERIFY(QFile::setPermissions(folder, QFile::Permissions(0x5555)));
        type(QStringLiteral("new "));
        // Root may write anywhere: try it as nobody.
        const uid_t user = ::geteuid();
        if (user == 0)
            QCOMPARE(::seteuid(65534), 0);
        const bool saved = doc()->DoFileSave();
        if (user == 0)
            QCOMPARE(::seteuid(0), 0);
        QFile::setPermissions(folder, QFile::Permissions(0x7777));
        QVERIFY(!saved);
        QCOMPARE(m_prompter->texts(), QStringList { Msg("对 %1 的存取被拒绝。", folder) });
        QCOMPARE(ReadAll(file), QByteArray("old"));
    }
#endif

    void a_name_of_255_bytes_saves()
    {
        // 84 three-byte characters and ".txt": 256 bytes would be one too many.
        const QString name = QString(83, QChar(0x6C34)) + QStringLiteral("ab.txt");
        QCOMPARE(QFile::encodeName(name).size(), 255);
        type(QStringLiteral("long"));
        m_prompter->fileNames.enqueue(path(name));
        QVERIFY(doc()->DoSaveAs());
        QVERIFY(m_prompter->notices.isEmpty());
        QCOMPARE(ReadAll(path(name)), QByteArray("long"));
    }

    void a_file_changed_by_another_program_is_not_overwritten_unasked()
    {
        const QString file = path(QStringLiteral("shared.txt"));
        WriteAll(file, "first");
        QVERIFY(m_app->OpenDocumentFile(file));
        type(QStringLiteral("mine "));
        QVERIFY(doc()->DoFileSave()); // our own save is no change by another
        QVERIFY(m_prompter->notices.isEmpty());

        WriteAll(file, "theirs"); // another program, or a second window
        type(QStringLiteral("more "));
        m_prompter->answers.enqueue(Prompter::Answer::No);
        QVERIFY(!doc()->DoFileSave());
        QCOMPARE(m_prompter->notices.size(), 1);
        const auto& n = m_prompter->notices.first();
        QCOMPARE(n.text, Msg("%1 已被其他程序修改。是否覆盖？", file));
        QCOMPARE(n.title, QStringLiteral("Qoru"));
        QCOMPARE(n.icon, Prompter::Icon::Exclamation);
        QCOMPARE(n.buttons, Prompter::Buttons::YesNo);
        QCOMPARE(ReadAll(file), QByteArray("theirs"));
        QVERIFY(doc()->isModified());

        m_prompter->answers.enqueue(Prompter::Answer::Yes);
        QVERIFY(doc()->DoFileSave());
        QCOMPARE(ReadAll(file), QByteArray("mine more first"));
        QVERIFY(doc()->DoFileSave());
        QCOMPARE(m_prompter->notices.size(), 2); // asked once more, not again
    }

    // --- failures ----------------------------------------------------------

    void a_file_that_cannot_be_opened_leaves_the_report_as_it_was()
    {
        type(QStringLiteral("keep"));
        doc()->setModified(false);
        const Snapshot before = snapshot();
        const QString missing = path(QStringLiteral("missing.txt"));
        const QString badFolder = path(QStringLiteral("nofolder/x.txt"));
        const QString folder = path(QStringLiteral("folder"));
        QVERIFY(QDir(dirPath()).mkdir(QStringLiteral("folder")));

        QVERIFY(!m_app->OpenDocumentFile(missing));
        QVERIFY(!m_app->OpenDocumentFile(badFolder));
        QVERIFY(!m_app->OpenDocumentFile(folder));
        QCOMPARE(m_prompter->texts(), (QStringList { Msg("没有找到 %1。", missing),
            Msg("%1 中包含无效的路径。", badFolder), Msg("对 %1 的存取被拒绝。", folder) }));
        for (const auto& n : m_prompter->notices) {
            QCOMPARE(n.title, QStringLiteral("Qoru"));
            QCOMPARE(n.icon, Prompter::Icon::Exclamation);
        }
        QVERIFY(snapshot() == before);
    }

    void a_load_that_fails_leaves_a_new_untitled_report()
    {
        type(QStringLiteral("gone"));
        doc()->setModified(false);
        const QString file = path(QStringLiteral("short.txt"));
        WriteAll(file, "abc");
        m_files.forceRead = true;
        m_files.forcedRead.status = FileSystem::ReadStatus::EndedEarly;
        QVERIFY(!m_app->OpenDocumentFile(file));
        m_files.forcedRead.status = FileSystem::ReadStatus::ReadFailed;
        m_files.forcedRead.error = FileError::HardIO;
        QVERIFY(!m_app->OpenDocumentFile(file));
        QCOMPARE(m_prompter->texts(), (QStringList { QStringLiteral("非预期的文件格式。"),
            Msg("在存取 %1 时一个硬件输入/输出错误被报告。", file) }));
        QVERIFY(view()->toPlainText().isEmpty());
        QCOMPARE(m_app->mainFrame()->windowTitle(), QStringLiteral("无标题 - Qoru"));
    }

    void a_failed_save_keeps_the_old_file_and_the_report()
    {
        const QString file = path(QStringLiteral("old.txt"));
        WriteAll(file, "old bytes");
        QVERIFY(m_app->OpenDocumentFile(file));
        type(QStringLiteral("new "));

        struct Case {
            FileError error;
            const char* message;
        };
        const Case cases[] = {
            { FileError::DiskFull, "在存取 %1 时磁盘已满。" },
            { FileError::HardIO, "在存取 %1 时一个硬件输入/输出错误被报告。" },
            { FileError::SharingViolation, "在存取 %1 时发生共享违例。" },
            { FileError::TooManyOpenFiles, "无法打开 %1 因为太多文件已被打开。" },
        };
        for (const Case& c : cases) {
            m_prompter->notices.clear();
            const Snapshot before = snapshot();
            m_files.writeError = c.error;
            QVERIFY(!doc()->DoFileSave());
            QCOMPARE(m_prompter->texts(), QStringList { Msg(c.message, file) });
            QCOMPARE(ReadAll(file), QByteArray("old bytes"));
            QVERIFY(snapshot() == before);
        }
    }

    void real_write_failures_report_their_cause_and_harm_nothing()
    {
        type(QStringLiteral("text"));
        const QString plain = path(QStringLiteral("plain.txt"));
        WriteAll(plain, "untouched");
        QVERIFY(QDir(dirPath()).mkdir(QStringLiteral("dir.txt")));
        const QString cases[] = {
            path(QStringLiteral("nowhere/a.txt")), // a folder that does not exist
            plain + QStringLiteral("/a.txt"), // a path through a regular file
            path(QStringLiteral("dir.txt")), // a directory as the target
            path(QString(300, QLatin1Char('n')) + QStringLiteral(".txt")), // a name too long
        };
        const char* messages[] = { "%1 中包含无效的路径。", "%1 中包含无效的路径。",
            "对 %1 的存取被拒绝。", "%1 中包含无效的路径。" };
        for (int i = 0; i < 4; ++i) {
            m_prompter->notices.clear();
            const Snapshot before = snapshot();
            m_prompter->fileNames.enqueue(cases[i]);
            QVERIFY(!doc()->DoSaveAs());
            QCOMPARE(m_prompter->texts(), QStringList { Msg(messages[i], QFileInfo(cases[i]).absoluteFilePath()) });
            QVERIFY(snapshot() == before);
        }
        QCOMPARE(ReadAll(plain), QByteArray("untouched"));
        QCOMPARE(QDir(dirPath()).entryList(QDir::Files), QStringList { QStringLiteral("plain.txt") });
    }

    void a_file_size_limit_fails_the_write_and_keeps_the_old_file()
    {
#ifndef __unix__
        QSKIP("file-size limits are a POSIX facility");
#else
        // A plain file is replaced, one with a hard link rewritten in place.
        for (const bool linked : { false, true }) {
            m_prompter->notices.clear();
            const QString file = path(QStringLiteral("limit.txt"));
            const QString twin = path(QStringLiteral("twin.txt"));
            WriteAll(file, "small");
            if (linked)
                QCOMPARE(::link(QFile::encodeName(file).constData(),
                             QFile::encodeName(twin).constData()),
                    0);
            QVERIFY(m_app->OpenDocumentFile(file));
            view()->appendReport(std::string("\r\n") + std::string(5000, 'x'));
            rlimit old {};
            getrlimit(RLIMIT_FSIZE, &old);
            rlimit small = old;
            small.rlim_cur = 1024;
            QCOMPARE(setrlimit(RLIMIT_FSIZE, &small), 0);
            const bool saved = doc()->DoFileSave();
            setrlimit(RLIMIT_FSIZE, &old);
            QVERIFY(!saved);
            QCOMPARE(
                m_prompter->texts(), QStringList { Msg("试图越过其尾端对 %1 进行读写。", file) });
            QCOMPARE(ReadAll(file), QByteArray("small"));
            QVERIFY(doc()->isModified());
            QStringList left { QStringLiteral("limit.txt") };
            if (linked) {
                QCOMPARE(ReadAll(twin), QByteArray("small"));
                left << QStringLiteral("twin.txt");
            }
            QCOMPARE(QDir(dirPath()).entryList(QDir::Files | QDir::Hidden, QDir::Name), left);
            doc()->setModified(false);
            m_app->OnFileNew();
        }
#endif
    }
};

QORU_GUI_TEST_MAIN(DocumentTest)
#include "document_test.moc"
