// The report view: wrapping, tab stops, the typing limit, the font command
// and the one operation the calculators use, appending a report.
#include "app/mainframe.h"
#include "app/qoruapp.h"
#include "doc/qorudoc.h"
#include "guitestmain.h"
#include "testapp.h"
#include "testprompter.h"
#include "view/qoruview.h"

#include <QApplication>
#include <QGlyphRun>
#include <QRawFont>
#include <QTextLayout>
#include <QClipboard>
#include <QKeyEvent>
#include <QMimeData>
#include <QUrl>
#include <QFontMetricsF>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTextBlock>

#include <memory>

class ViewTest : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestPrompter> m_prompter;
    std::unique_ptr<CQoruApp> m_app;
    CQoruView* view() const { return m_app->view(); }

private Q_SLOTS:
    void init()
    {
        QVERIFY(StartTestApp(m_prompter, m_app));
        view()->setFocus();
    }
    void cleanup()
    {
        StopTestApp(m_prompter, m_app);
    }

    void long_lines_wrap_and_there_is_no_horizontal_scroll_bar()
    {
        QCOMPARE(view()->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
        QCOMPARE(view()->lineWrapMode(), QPlainTextEdit::WidgetWidth);
        view()->setPlainText(QString(2000, QLatin1Char('w')));
        QApplication::processEvents();
        QVERIFY(view()->document()->firstBlock().layout()->lineCount() > 1);
    }

    void tab_stops_lie_every_four_average_character_widths()
    {
        QCOMPARE(view()->tabStopDistance(), 4 * QFontMetricsF(view()->font()).averageCharWidth());
        QFont big = view()->font();
        big.setPointSize(big.pointSize() + 8);
        view()->setFont(big);
        QCOMPARE(view()->tabStopDistance(), 4 * QFontMetricsF(big).averageCharWidth());
    }

    void appending_keeps_the_earlier_text_in_front_and_goes_to_the_start()
    {
        QTest::keyClicks(view(), QStringLiteral("typed"));
        QVERIFY(view()->appendReport("\r\n报告一\r\n"));
        QVERIFY(view()->appendReport("\r\n报告二\r\n"));
        QCOMPARE(view()->fileBytes(), std::string("typed\r\n\xb1\xa8\xb8\xe6\xd2\xbb\r\n\r\n\xb1\xa8\xb8\xe6\xb6\xfe\r\n"));
        QCOMPARE(view()->textCursor().position(), 0);
        QCOMPARE(view()->verticalScrollBar()->value(), 0);
        QVERIFY(m_app->document()->isModified());
    }

    void a_report_on_an_empty_view_begins_with_a_line_break()
    {
        QVERIFY(view()->appendReport("\r\nA\r\n"));
        QCOMPARE(view()->fileBytes(), std::string("\r\nA\r\n"));
    }

    void an_append_past_the_size_limit_is_refused_and_changes_nothing()
    {
        const std::string body(CQoruView::kTypingLimit - 10, 'a');
        QVERIFY(view()->appendReport(body));
        m_app->document()->setModified(false);
        QVERIFY(view()->appendReport("\r\n12345678")); // exactly to the limit
        QCOMPARE(view()->fileLength(), CQoruView::kTypingLimit);
        m_app->document()->setModified(false);
        QVERIFY(!view()->appendReport("\r\n"));
        QCOMPARE(m_prompter->texts(),
            QStringList { QStringLiteral("计算书无法追加：文档将超过1048575字节。请保存后新建文档再计算。") });
        QCOMPARE(m_prompter->notices.first().title, QStringLiteral("提示"));
        QCOMPARE(m_prompter->notices.first().icon, Prompter::Icon::Information);
        QCOMPARE(view()->fileLength(), CQoruView::kTypingLimit);
        QVERIFY(!m_app->document()->isModified());
    }

    void typing_stops_at_the_limit_but_a_longer_text_from_a_file_stays_whole()
    {
        QTemporaryDir dir;
        QFile f(dir.filePath(QStringLiteral("near.txt")));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(QByteArray(CQoruView::kTypingLimit - 3, 'x'));
        f.close();
        QVERIFY(m_app->OpenDocumentFile(f.fileName()));
        view()->moveCursor(QTextCursor::End);
        QTest::keyClicks(view(), QStringLiteral("ab")); // 2 bytes fit
        QKeyEvent wide(QEvent::KeyPress, 0, Qt::NoModifier, QStringLiteral("字"));
        QApplication::sendEvent(view(), &wide); // 2 more do not
        QTest::keyClicks(view(), QStringLiteral("c")); // 1 fits
        QTest::keyClick(view(), Qt::Key_Return); // 2 bytes: no room
        QCOMPARE(view()->fileLength(), CQoruView::kTypingLimit);
        QVERIFY(view()->toPlainText().endsWith(QStringLiteral("xabc")));

        // Pasting takes only what fits.
        view()->moveCursor(QTextCursor::Start);
        QTest::keyClick(view(), Qt::Key_Delete);
        QTest::keyClick(view(), Qt::Key_Delete);
        QApplication::clipboard()->setText(QStringLiteral("12345"));
        view()->paste();
        QCOMPARE(view()->fileLength(), CQoruView::kTypingLimit);
        QVERIFY(view()->toPlainText().startsWith(QStringLiteral("12x")));
    }

    void the_font_dialog_starts_from_its_default_and_the_choice_lasts_the_run()
    {
        QFont chosen(QStringLiteral("Noto Sans CJK SC"), 20);
        m_prompter->fonts.enqueue(chosen);
        view()->OnChooseFont();
        QCOMPARE(view()->font().pointSize(), 20);
        m_app->OnFileNew();
        QCOMPARE(view()->font().pointSize(), 20); // survives New

        view()->OnChooseFont(); // cancelled: nothing changes
        QCOMPARE(m_prompter->fontDialogs, 2);
        QCOMPARE(view()->font().pointSize(), 20);

        CQoruApp another; // a new run starts from the default
        QVERIFY(another.InitInstance({ QStringLiteral("qoru") }));
        QVERIFY(another.view()->font().pointSize() != 20);
    }

    // Under the non-Chinese locale this test runs in, the system would draw
    // Chinese in a chosen Latin face with a calligraphic Kai face.
    void a_chosen_face_without_chinese_draws_chinese_in_the_program_faces()
    {
        m_prompter->fonts.enqueue(QFont(QStringLiteral("DejaVu Sans"), 11));
        view()->OnChooseFont();
        QCOMPARE(view()->font().family(), QStringLiteral("DejaVu Sans"));
        QTextLayout layout(QStringLiteral("计算书"), view()->font());
        layout.beginLayout();
        layout.createLine();
        layout.endLayout();
        const QString drawn = layout.glyphRuns().value(0).rawFont().familyName();
        QVERIFY2(!drawn.isEmpty() && !drawn.contains(QLatin1String("kai"), Qt::CaseInsensitive),
            qPrintable(drawn));
    }

    void cut_copy_paste_and_undo_work_on_the_text()
    {
        QTest::keyClicks(view(), QStringLiteral("abc"));
        view()->selectAll();
        view()->cut();
        QVERIFY(view()->toPlainText().isEmpty());
        view()->paste();
        view()->paste();
        QCOMPARE(view()->toPlainText(), QStringLiteral("abcabc"));
        view()->undo();
        QCOMPARE(view()->toPlainText(), QStringLiteral("abc"));
    }
    void a_dropped_file_is_not_typed_in_but_dropped_text_is()
    {
        QTest::keyClicks(view(), QStringLiteral("report"));
        m_app->document()->setModified(false);
        QWidget* target = view()->viewport();
        auto drop = [target](QMimeData* data) {
            const QPoint at(5, 5);
            QDragEnterEvent enter(
                at, Qt::CopyAction | Qt::MoveAction, data, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(target, &enter);
            QDropEvent dropped(
                QPointF(at), Qt::CopyAction | Qt::MoveAction, data, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(target, &dropped);
            return enter.isAccepted() || dropped.isAccepted();
        };

        QMimeData file; // what a file manager offers
        file.setUrls({ QUrl::fromLocalFile(QStringLiteral("/tmp/报告.txt")) });
        file.setText(QStringLiteral("file:///tmp/报告.txt"));
        QVERIFY(!drop(&file));
        QCOMPARE(view()->toPlainText(), QStringLiteral("report"));
        QVERIFY(!m_app->document()->isModified());

        QMimeData text;
        text.setText(QStringLiteral("dropped "));
        QVERIFY(drop(&text));
        QVERIFY(view()->toPlainText().contains(QStringLiteral("dropped ")));
        QVERIFY(m_app->document()->isModified());
    }

    void new_and_open_forget_the_undo_history_and_an_append_is_one_step()
    {
        QTest::keyClicks(view(), QStringLiteral("typed"));
        QVERIFY(view()->appendReport("\r\nfirst\r\nsecond\r\n"));
        view()->undo();
        QCOMPARE(view()->toPlainText(), QStringLiteral("typed"));
        view()->redo();
        QVERIFY(view()->document()->isUndoAvailable());

        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("u.txt"));
        QFile out(file);
        QVERIFY(out.open(QIODevice::WriteOnly) && out.write("old") == 3);
        out.close();
        m_app->document()->setModified(false);
        QVERIFY(m_app->OpenDocumentFile(file));
        QVERIFY(!view()->document()->isUndoAvailable());
        QTest::keyClicks(view(), QStringLiteral("x"));
        m_app->document()->setModified(false);
        m_app->OnFileNew();
        QVERIFY(!view()->document()->isUndoAvailable());
        QVERIFY(!view()->document()->isRedoAvailable());
        view()->undo();
        QVERIFY(view()->toPlainText().isEmpty());
    }
};

QORU_GUI_TEST_MAIN(ViewTest)
#include "view_test.moc"
