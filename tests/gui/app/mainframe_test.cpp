// The main window against its tables: menu, toolbar, accelerators, prompts,
// status bar, title, help and start-up.
#include "res/commandids.h"
#include "app/mainframe.h"
#include "app/qoruapp.h"
#include "doc/qorudoc.h"
#include "documents/documentdata.h"
#include "guitestmain.h"
#include "testapp.h"
#include "testprompter.h"
#include "view/qoruview.h"

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QDesktopServices>
#include <QDialog>
#include <QDir>
#include <QLabel>
#include <QMenu>
#include <QFontDatabase>
#include <QFontInfo>
#include <QGlyphRun>
#include <QRawFont>
#include <QTextLayout>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QSettings>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QToolTip>
#include <QUrl>

#include <memory>

// Catches what QDesktopServices would open.
class UrlCatcher : public QObject
{
    Q_OBJECT
public:
    QList<QUrl> urls;
public Q_SLOTS:
    void open(const QUrl& url) { urls << url; }
};

class MainFrameTest : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TestPrompter> m_prompter;
    std::unique_ptr<CQoruApp> m_app;
    CMainFrame* frame() const { return m_app->mainFrame(); }

    QStringList menuItems() const
    {
        QStringList items;
        for (QAction* a : frame()->fileMenu()->actions()) {
            if (a->isSeparator()) {
                items << QStringLiteral("|");
                continue;
            }
            QString item = a->text();
            if (!a->shortcut().isEmpty())
                item += QLatin1Char('\t') + a->shortcut().toString(QKeySequence::PortableText);
            items << item;
        }
        return items;
    }

private Q_SLOTS:
    void init()
    {
        QSettings().clear();
        QSettings(QString::fromLatin1(CQoruApp::kRegistryKey), QStringLiteral("Qoru")).clear();
        QVERIFY(StartTestApp(m_prompter, m_app));
        frame()->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(frame()));
    }

    void cleanup()
    {
        StopTestApp(m_prompter, m_app);
    }

    void lab_name_is_kept_for_the_documents_and_an_empty_one_refused()
    {
        SetLabName(QStringLiteral("旧名"));
        m_prompter->textAnswers << QStringLiteral("  ") << QStringLiteral("  中心试验室 ");
        frame()->action(ID_SET_LAB_NAME)->trigger();
        // The blank answer is refused once, and the name asked for again.
        QCOMPARE(m_prompter->texts().filter(QStringLiteral("试验室名称")).size(), 1);
        QCOMPARE(LabName(), QStringLiteral("中心试验室"));

        frame()->action(ID_SET_LAB_NAME)->trigger(); // cancelled: nothing changes
        QCOMPARE(LabName(), QStringLiteral("中心试验室"));
    }

    void starts_maximized_with_an_untitled_empty_report()
    {
        QVERIFY(frame()->isVisible());
        QVERIFY(frame()->windowState() & Qt::WindowMaximized);
        QCOMPARE(frame()->windowTitle(), QStringLiteral("无标题 - Qoru"));
        QVERIFY(m_app->view()->toPlainText().isEmpty());
        QVERIFY(!m_app->document()->isModified());
        QCOMPARE(frame()->centralWidget(), m_app->view());
    }

    void file_menu_comes_first_with_its_items_in_order()
    {
        QCOMPARE(frame()->menuBar()->actions().size(), 3);
        QCOMPARE(frame()->menuBar()->actions().first()->text(), QStringLiteral("文件(&F)"));
        QCOMPARE(frame()->menuBar()->actions().last()->text(), QStringLiteral("设置(&S)"));
        const QStringList expected = {
            QStringLiteral("新建(&N)\tCtrl+N"),
            QStringLiteral("打开(&O)...\tCtrl+O"),
            QStringLiteral("保存(&S)\tCtrl+S"),
            QStringLiteral("另存为(&A)..."),
            QStringLiteral("|"),
            QStringLiteral("打印(&P)...\tCtrl+P"),
            QStringLiteral("打印预览(&V)"),
            QStringLiteral("打印设置(&R)..."),
            QStringLiteral("|"),
            QStringLiteral("最近文件"),
            QStringLiteral("|"),
            QStringLiteral("退出(&X)"),
        };
        QCOMPARE(menuItems(), expected);
        QVERIFY(!frame()->action(ID_FILE_MRU_FILE1)->isEnabled());
    }

    void toolbar_holds_the_buttons_in_order_with_separators()
    {
        QStringList ids;
        for (QAction* a : frame()->toolBar()->actions())
            ids << (a->isSeparator() ? QStringLiteral("|") : QString::number(a->data().toInt()));
        const QStringList expected = { QString::number(ID_FILE_NEW), QString::number(ID_FILE_OPEN),
            QString::number(ID_FILE_SAVE), QStringLiteral("|"), QString::number(ID_EDIT_CUT),
            QString::number(ID_EDIT_COPY), QString::number(ID_EDIT_PASTE), QStringLiteral("|"),
            QString::number(ID_FILE_PRINT), QStringLiteral("|"), QString::number(ID_CALC_MIX),
            QString::number(ID_CALC_MIX2), QString::number(ID_CALC_ORDINARY),
            QString::number(ID_CALC_ADJUST),
            QString::number(ID_CALC_STDDEV), QString::number(ID_CALC_EVALUATE), QStringLiteral("|"),
            QString::number(ID_TOOLS_MATERIALS), QString::number(ID_TOOLS_LEDGER), QStringLiteral("|"),
            QString::number(ID_SET_FONT),
            QStringLiteral("|"), QString::number(ID_HELP_PAGE) };
        QCOMPARE(ids, expected);
        QCOMPARE(frame()->toolBar()->iconSize(), QSize(16, 15));
        QVERIFY(frame()->toolBar()->isMovable());
        for (QAction* a : frame()->toolBar()->actions()) {
            if (a->isSeparator())
                continue;
            auto* button = qobject_cast<QToolButton*>(frame()->toolBar()->widgetForAction(a));
            QVERIFY(button);
            QVERIFY2(button->autoRaise(), "toolbar buttons are flat");
            QVERIFY2(!a->icon().isNull(), qPrintable(a->statusTip()));
            // At 1x and, pixel for pixel doubled, at 2x.
            const QImage one = a->icon().pixmap(QSize(16, 15)).toImage();
            const QImage two = a->icon().pixmap(QSize(32, 30)).toImage();
            QCOMPARE(two.size(), QSize(32, 30));
            QCOMPARE(two.pixel(2 * 7 + 1, 2 * 7 + 1), one.pixel(7, 7));
        }
    }

    void a_right_click_on_the_toolbar_or_menu_bar_offers_no_way_to_hide_the_toolbar()
    {
        QCOMPARE(frame()->toolBar()->windowTitle(), QStringLiteral("工具栏"));
        for (QWidget* bar : { static_cast<QWidget*>(frame()->toolBar()),
                 static_cast<QWidget*>(frame()->menuBar()) }) {
            const QPoint at(bar->width() - 3, bar->height() / 2); // past the last item
            QContextMenuEvent event(QContextMenuEvent::Mouse, at, bar->mapToGlobal(at));
            QApplication::sendEvent(bar, &event);
            QCoreApplication::processEvents();
            QVERIFY2(!QApplication::activePopupWidget(), qPrintable(bar->metaObject()->className()));
        }
        QVERIFY(frame()->toolBar()->isVisible());
    }

    void prompts_and_tooltips_come_from_the_string_table()
    {
        struct Row {
            int id;
            const char* prompt;
            const char* tip;
        };
        const Row rows[] = {
            { ID_CALC_MIX, "计算自密实混凝土配合比", "" },
            { ID_CALC_STDDEV, "计算混凝土强度标准差", "计算混凝土强度标准差" },
            { ID_CALC_MIX2, "先设计混凝土强度等级，后校核自密实性能。", "计算配合比方法二" },
            { ID_CALC_EVALUATE, "混凝土强度检验评定", "混凝土强度检验评定" },
            { ID_CALC_ADJUST, "试配与施工配合比", "试配与施工配合比" },
            { ID_CALC_ORDINARY, "普通混凝土配合比设计", "普通混凝土配合比设计" },
            { ID_SET_FONT, "设置字体", "设置字体" },
            { ID_HELP_PAGE, "帮助", "帮助" },
            { ID_FILE_NEW, "建立新文档", "新建" },
            { ID_FILE_OPEN, "打开一个现有文档", "打开" },
            { ID_FILE_SAVE, "保存活动文档", "保存" },
            { ID_FILE_SAVE_AS, "将活动文档以一个新文件名保存", "另存为" },
            { ID_FILE_PRINT, "打印活动文档", "打印" },
            { ID_FILE_PRINT_PREVIEW, "显示整页", "打印预览" },
            { ID_FILE_PRINT_SETUP, "改变打印机及打印选项", "打印设置" },
            { ID_APP_EXIT, "退出应用程序；提示保存文档", "退出" },
            { ID_EDIT_CUT, "剪切被选对象并将其置于剪贴板上", "剪切" },
            { ID_EDIT_COPY, "复制被选对象并将其置于剪贴板上", "复制" },
            { ID_EDIT_PASTE, "插入剪贴板内容", "粘贴" },
            { ID_EDIT_UNDO, "撤消最后一步操作", "撤消" },
        };
        for (const Row& row : rows) {
            QAction* a = frame()->action(row.id);
            QVERIFY2(a, qPrintable(QString::number(row.id)));
            QCOMPARE(a->statusTip(), QString::fromUtf8(row.prompt));
            if (*row.tip)
                QCOMPARE(a->toolTip(), QString::fromUtf8(row.tip));
        }
        QCOMPARE(frame()->action(ID_FILE_MRU_FILE1)->statusTip(), QStringLiteral("打开该文档"));

        // The mix-design button has no tooltip part, so shows no tooltip.
        auto tipOf = [](QWidget* button) -> QString {
            QToolTip::hideText();
            (void)QTest::qWaitFor([] { return !QToolTip::isVisible(); });
            QHelpEvent tip(QEvent::ToolTip, QPoint(2, 2), button->mapToGlobal(QPoint(2, 2)));
            QApplication::sendEvent(button, &tip);
            return QToolTip::isVisible() ? QToolTip::text() : QString();
        };
        QCOMPARE(tipOf(frame()->toolBar()->widgetForAction(frame()->action(ID_SET_FONT))),
            QStringLiteral("设置字体"));
        QCOMPARE(tipOf(frame()->toolBar()->widgetForAction(frame()->action(ID_CALC_MIX))), QString());
        QCOMPARE(tipOf(frame()->toolBar()->widgetForAction(frame()->action(ID_CALC_MIX2))),
            QStringLiteral("计算配合比方法二"));
        QToolTip::hideText();
    }

    void status_bar_shows_ready_then_the_prompt_under_the_pointer()
    {
        QStatusBar* bar = frame()->statusBar();
        auto* idle = bar->findChild<QLabel*>(QString::number(ID_SEPARATOR));
        QVERIFY(idle);
        QCOMPARE(idle->text(), QStringLiteral("就绪"));
        const int panes[] = { ID_INDICATOR_CAPS, ID_INDICATOR_NUM, ID_INDICATOR_SCRL };
        const char* texts[] = { "大写", "数字", "滚动" };
        int previousX = idle->geometry().right();
        for (int i = 0; i < 3; ++i) {
            auto* pane = bar->findChild<QLabel*>(QString::number(panes[i]));
            QVERIFY(pane);
            // The offscreen platform cannot tell the lock keys: the panes are greyed.
            QCOMPARE(pane->text(), QString::fromUtf8(texts[i]));
            QVERIFY(!pane->isEnabled());
            QVERIFY(pane->geometry().left() >= previousX);
            previousX = pane->geometry().right();
        }

        frame()->action(ID_FILE_OPEN)->showStatusText(frame());
        QCOMPARE(bar->currentMessage(), QStringLiteral("打开一个现有文档"));
        QStatusTipEvent leave(QString{});
        QApplication::sendEvent(frame(), &leave);
        QVERIFY(bar->currentMessage().isEmpty());
        QVERIFY(idle->isVisible());
    }

    void accelerators_are_bound_as_in_the_table()
    {
        auto keys = [this](int id) {
            QStringList list;
            for (const QKeySequence& k : frame()->action(id)->shortcuts())
                list << k.toString(QKeySequence::PortableText);
            return list;
        };
        QCOMPARE(keys(ID_FILE_NEW), QStringList { QStringLiteral("Ctrl+N") });
        QCOMPARE(keys(ID_FILE_OPEN), QStringList { QStringLiteral("Ctrl+O") });
        QCOMPARE(keys(ID_FILE_SAVE), QStringList { QStringLiteral("Ctrl+S") });
        QCOMPARE(keys(ID_FILE_PRINT), QStringList { QStringLiteral("Ctrl+P") });
        QCOMPARE(keys(ID_EDIT_UNDO), (QStringList { QStringLiteral("Ctrl+Z"), QStringLiteral("Alt+Backspace") }));
        QCOMPARE(keys(ID_EDIT_CUT), (QStringList { QStringLiteral("Ctrl+X"), QStringLiteral("Shift+Del") }));
        QCOMPARE(keys(ID_EDIT_COPY), (QStringList { QStringLiteral("Ctrl+C"), QStringLiteral("Ctrl+Ins") }));
        QCOMPARE(keys(ID_EDIT_PASTE), (QStringList { QStringLiteral("Ctrl+V"), QStringLiteral("Shift+Ins") }));
        QCOMPARE(keys(ID_NEXT_PANE), QStringList { QStringLiteral("F6") });
        QCOMPARE(keys(ID_PREV_PANE), QStringList { QStringLiteral("Shift+F6") });
        QVERIFY(keys(ID_CALC_MIX2).isEmpty());
        QVERIFY(keys(ID_FILE_PRINT_DIRECT).isEmpty());
    }

    void f6_and_shift_f6_do_nothing()
    {
        m_app->view()->setFocus();
        m_app->view()->setPlainText(QStringLiteral("ab"));
        m_app->document()->setModified(false);
        QTest::keyClick(frame(), Qt::Key_F6);
        QTest::keyClick(frame(), Qt::Key_F6, Qt::ShiftModifier);
        QCOMPARE(m_app->view()->toPlainText(), QStringLiteral("ab"));
        QVERIFY(!m_app->document()->isModified());
    }

    void ctrl_n_runs_new_from_the_window()
    {
        QTest::keyClicks(m_app->view(), QStringLiteral("x"));
        QVERIFY(m_app->document()->isModified());
        m_prompter->answers.enqueue(Prompter::Answer::No);
        QTest::keyClick(m_app->view(), Qt::Key_N, Qt::ControlModifier);
        QCOMPARE(m_prompter->texts(), QStringList { QStringLiteral("将改动保存到 无标题？") });
        QVERIFY(m_app->view()->toPlainText().isEmpty());
    }

    void alt_backspace_undoes_typing()
    {
        m_app->view()->setFocus();
        QTest::keyClicks(m_app->view(), QStringLiteral("abc"));
        QTest::keyClick(m_app->view(), Qt::Key_Backspace, Qt::AltModifier);
        QVERIFY(m_app->view()->toPlainText().size() < 3);
    }

    void help_opens_the_page_from_the_current_folder_first()
    {
        UrlCatcher catcher;
        QDesktopServices::setUrlHandler(QStringLiteral("file"), &catcher, "open");
        QTemporaryDir dir;
        const QString old = QDir::currentPath();
        QDir::setCurrent(dir.path());

        // None here: the page beside the program, if the build put one there.
        frame()->action(ID_HELP_PAGE)->trigger();
        const QFileInfo beside(QDir(QCoreApplication::applicationDirPath()), QStringLiteral("qohelp.htm"));
        if (beside.isFile()) {
            QCOMPARE(catcher.urls.size(), 1);
            QCOMPARE(catcher.urls.takeFirst().toLocalFile(), beside.absoluteFilePath());
        }
        QVERIFY(catcher.urls.isEmpty());
        QVERIFY(m_prompter->notices.isEmpty());

        QFile page(dir.filePath(QStringLiteral("qohelp.htm")));
        QVERIFY(page.open(QIODevice::WriteOnly));
        page.close();
        frame()->action(ID_HELP_PAGE)->trigger();
        QCOMPARE(catcher.urls.size(), 1);
        QCOMPARE(catcher.urls.first().toLocalFile(), QFileInfo(page).absoluteFilePath());

        QDir::setCurrent(old);
        QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
    }

    void calculator_commands_reach_the_view_and_leave_the_report_alone()
    {
        m_app->view()->setPlainText(QStringLiteral("前文"));
        m_app->document()->setModified(false);
        // Each calculator that opens is closed at once, as with its Return
        // button without calculating.
        QStringList opened;
        QTimer closer;
        connect(&closer, &QTimer::timeout, this, [&opened] {
            if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
                opened << dialog->objectName();
                dialog->reject();
            }
        });
        closer.start(0);
        for (int id : { ID_CALC_MIX, ID_CALC_STDDEV, ID_CALC_MIX2, ID_CALC_EVALUATE, ID_CALC_ADJUST,
                 ID_CALC_ORDINARY }) {
            QAction* a = frame()->action(id);
            QVERIFY(a);
            a->trigger();
        }
        closer.stop();
        QCOMPARE(opened,
            (QStringList { QStringLiteral("130"), QStringLiteral("150"), QStringLiteral("135"),
                QStringLiteral("155"), QStringLiteral("160"), QStringLiteral("170") }));
        QCOMPARE(m_app->view()->toPlainText(), QStringLiteral("前文"));
        QVERIFY(!m_app->document()->isModified());
    }

    void closing_a_modified_report_asks_and_cancel_keeps_the_window()
    {
        QTest::keyClicks(m_app->view(), QStringLiteral("x"));
        m_prompter->answers.enqueue(Prompter::Answer::Cancel);
        QVERIFY(!frame()->close());
        QVERIFY(frame()->isVisible());
        m_prompter->answers.enqueue(Prompter::Answer::No);
        QVERIFY(frame()->close());
        QCOMPARE(m_prompter->notices.size(), 2);
        QCOMPARE(m_prompter->notices.first().title, QStringLiteral("Qoru"));
        QCOMPARE(m_prompter->notices.first().icon, Prompter::Icon::Exclamation);
    }

    void qt_dialogs_read_in_chinese_and_the_chinese_faces_resolve()
    {
        QMessageBox box;
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        QCOMPARE(box.button(QMessageBox::Yes)->text(), QStringLiteral("是(&Y)"));
        QCOMPARE(box.button(QMessageBox::No)->text(), QStringLiteral("否(&N)"));
        QCOMPARE(box.button(QMessageBox::Cancel)->text(), QStringLiteral("取消"));
        // The faces asked for by name are mapped to installed faces with CJK glyphs.
        for (const QString& face : { QStringLiteral("宋体"), QStringLiteral("楷体_GB2312") }) {
            const QFontInfo info { QFont(face) };
            QVERIFY2(QFontDatabase::writingSystems(info.family()).contains(QFontDatabase::SimplifiedChinese),
                qPrintable(face + QStringLiteral(" -> ") + info.family()));
        }
    }

    // This test runs under a non-Chinese locale (see its CMake entry), where
    // the system's own fallback for Chinese is a calligraphic Kai face.
    void chinese_is_drawn_in_a_song_or_hei_face_and_kai_only_for_the_page_header()
    {
        const auto drawnIn = [](const QFont& font) {
            QTextLayout layout(QStringLiteral("计算书"), font);
            layout.beginLayout();
            layout.createLine();
            layout.endLayout();
            const QList<QGlyphRun> runs = layout.glyphRuns();
            return runs.size() == 1 ? runs.first().rawFont().familyName() : QString();
        };
        const QFont faces[] = { frame()->font(), m_app->view()->font(), QFont() /* the printed body */,
            QFont(QStringLiteral("宋体")) };
        for (const QFont& font : faces) {
            const QString family = drawnIn(font);
            QVERIFY2(family.startsWith(QLatin1String("AR PL UMing"), Qt::CaseInsensitive)
                    || family.compare(QLatin1String("Noto Sans CJK SC"), Qt::CaseInsensitive) == 0,
                qPrintable(font.family() + QStringLiteral(" -> ") + family));
        }
        QVERIFY(drawnIn(QFont(QStringLiteral("楷体_GB2312"))).contains(QLatin1String("kai"), Qt::CaseInsensitive));
    }

    void a_file_on_the_command_line_is_opened_and_a_missing_one_fails_start_up()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("报告.txt"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("\xbb\xec\xc4\xfd\xcd\xc1\r\n"); // 混凝土
        file.close();

        CQoruApp second;
        QVERIFY(second.InitInstance({ QStringLiteral("qoru"), path }));
        QCOMPARE(second.mainFrame()->windowTitle(), QStringLiteral("报告.txt - Qoru"));
        QCOMPARE(second.view()->toPlainText(), QStringLiteral("混凝土\n"));

        CQoruApp third;
        QVERIFY(!third.InitInstance({ QStringLiteral("qoru"), dir.filePath(QStringLiteral("无.txt")) }));
        QCOMPARE(m_prompter->texts().last(),
            QStringLiteral("没有找到 %1。").arg(QDir::toNativeSeparators(dir.filePath(QStringLiteral("无.txt")))));
    }
};

QORU_GUI_TEST_MAIN(MainFrameTest)
#include "mainframe_test.moc"
