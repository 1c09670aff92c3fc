// The recent-file list in the settings and in the File menu, across runs.
#include "res/commandids.h"
#include "app/mainframe.h"
#include "app/qoruapp.h"
#include "doc/qorudoc.h"
#include "guitestmain.h"
#include "testprompter.h"
#include "view/qoruview.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QMenu>
#include <QSettings>
#include <QTemporaryDir>

#include <memory>

class RecentFilesTest : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    std::unique_ptr<TestPrompter> m_prompter;

    QString makeFile(const QString& name, const QByteArray& bytes = "x")
    {
        const QString path = m_dir.filePath(name);
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly))
            qFatal("cannot write test file");
        f.write(bytes);
        return path;
    }

    static QStringList menuEntries(CMainFrame* frame)
    {
        Q_EMIT frame->fileMenu()->aboutToShow();
        QStringList entries;
        for (QAction* a : frame->fileMenu()->actions()) {
            const int id = a->data().toInt();
            if (id >= ID_FILE_MRU_FILE1 && id <= ID_FILE_MRU_FILE4)
                entries << a->text();
        }
        return entries;
    }

    static QSettings settings()
    {
        return QSettings(QString::fromLatin1(CQoruApp::kRegistryKey), QStringLiteral("Qoru"));
    }

private Q_SLOTS:
    void init()
    {
        settings().clear();
        m_prompter = std::make_unique<TestPrompter>();
    }
    void cleanup() { m_prompter.reset(); }

    void opened_files_go_to_the_top_keep_four_and_survive_a_restart()
    {
        QStringList paths;
        for (int i = 1; i <= 5; ++i)
            paths << makeFile(QStringLiteral("r%1.txt").arg(i));
        {
            CQoruApp app;
            QVERIFY(app.InitInstance({ QStringLiteral("qoru") }));
            for (const QString& p : paths)
                QVERIFY(app.OpenDocumentFile(p));
            QVERIFY(app.OpenDocumentFile(paths[2])); // moves to the top
            QCOMPARE(app.recentFiles().paths(), (QStringList { paths[2], paths[4], paths[3], paths[1] }));
        }
        QSettings s = settings();
        QCOMPARE(s.value(QStringLiteral("Recent File List/File1")).toString(), paths[2]);
        QCOMPARE(s.value(QStringLiteral("Recent File List/File4")).toString(), paths[1]);
        QVERIFY(!s.contains(QStringLiteral("Recent File List/File5")));

        CQoruApp again;
        QVERIFY(again.InitInstance({ QStringLiteral("qoru") }));
        const QStringList entries = menuEntries(again.mainFrame());
        QCOMPARE(entries.size(), 4);
        QCOMPARE(entries.first(), QStringLiteral("&1 ") + QDir::toNativeSeparators(paths[2]));
        QVERIFY(again.mainFrame()->action(ID_FILE_MRU_FILE1)->isEnabled());
    }

    void the_placeholder_stands_greyed_while_the_list_is_empty()
    {
        CQoruApp app;
        QVERIFY(app.InitInstance({ QStringLiteral("qoru") }));
        QCOMPARE(menuEntries(app.mainFrame()), QStringList { QStringLiteral("最近文件") });
        QVERIFY(!app.mainFrame()->action(ID_FILE_MRU_FILE1)->isEnabled());
    }

    void an_entry_that_fails_to_open_is_removed()
    {
        const QString good = makeFile(QStringLiteral("good.txt"));
        const QString gone = makeFile(QStringLiteral("gone.txt"));
        CQoruApp app;
        QVERIFY(app.InitInstance({ QStringLiteral("qoru") }));
        QVERIFY(app.OpenDocumentFile(good));
        QVERIFY(app.OpenDocumentFile(gone));
        QVERIFY(QFile::remove(gone));
        QVERIFY(app.OpenDocumentFile(good));
        QCOMPARE(app.recentFiles().paths(), (QStringList { good, gone }));

        Q_EMIT app.mainFrame()->recentFileChosen(1);
        QCOMPARE(m_prompter->texts(),
            QStringList { QStringLiteral("没有找到 %1。").arg(QDir::toNativeSeparators(gone)) });
        QCOMPARE(app.recentFiles().paths(), QStringList { good });
        QCOMPARE(app.document()->pathName(), good); // the report was left as it was
        QCOMPARE(settings().value(QStringLiteral("Recent File List/File2")).toString(), QString());
    }

    void an_entry_stays_when_the_save_question_stops_the_open()
    {
        const QString entry = makeFile(QStringLiteral("entry.txt"), "ENTRY");
        CQoruApp app;
        QVERIFY(app.InitInstance({ QStringLiteral("qoru") }));
        QVERIFY(app.OpenDocumentFile(entry));
        app.OnFileNew();
        // Cancel; Yes with the save dialog cancelled; Yes with a save that fails.
        const QString failing = m_dir.filePath(QStringLiteral("no/such/folder.txt"));
        const QList<std::pair<Prompter::Answer, QString>> stops
            = { { Prompter::Answer::Cancel, QString() }, { Prompter::Answer::Yes, QString() },
                  { Prompter::Answer::Yes, failing } };
        for (const auto& [answer, saveAs] : stops) {
            QTest::keyClicks(app.view(), QStringLiteral("typed"));
            m_prompter->answers.enqueue(answer);
            m_prompter->fileNames.enqueue(saveAs);
            Q_EMIT app.mainFrame()->recentFileChosen(0);
            QCOMPARE(app.recentFiles().paths(), QStringList { entry });
            QVERIFY(app.view()->toPlainText().startsWith(QStringLiteral("typed")));
            m_prompter->fileNames.clear();
        }
        QCOMPARE(settings().value(QStringLiteral("Recent File List/File1")).toString(), entry);
        app.document()->setModified(false);
    }

    void choosing_an_entry_opens_it()
    {
        const QString a = makeFile(QStringLiteral("a.txt"), "AAA");
        const QString b = makeFile(QStringLiteral("b.txt"), "BBB");
        CQoruApp app;
        QVERIFY(app.InitInstance({ QStringLiteral("qoru") }));
        QVERIFY(app.OpenDocumentFile(a));
        QVERIFY(app.OpenDocumentFile(b));
        app.mainFrame()->action(ID_FILE_MRU_FILE2)->trigger();
        QCOMPARE(app.view()->toPlainText(), QStringLiteral("AAA"));
        QCOMPARE(app.recentFiles().paths().first(), a);
    }

    void the_preview_page_count_is_kept()
    {
        {
            CQoruApp app;
            QVERIFY(app.InitInstance({ QStringLiteral("qoru") }));
            QCOMPARE(app.previewPages(), 1);
            app.setPreviewPages(2);
        }
        QCOMPARE(settings().value(QStringLiteral("Settings/PreviewPages")).toInt(), 2);
        CQoruApp again;
        QVERIFY(again.InitInstance({ QStringLiteral("qoru") }));
        QCOMPARE(again.previewPages(), 2);
    }
};

QORU_GUI_TEST_MAIN(RecentFilesTest)
#include "recentfiles_test.moc"
