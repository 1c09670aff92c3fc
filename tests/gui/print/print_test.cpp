// The page routine: header, page number and body where they belong on a
// printer's page, and the body's lines and pages.
#include "app/qoruapp.h"
#include "doc/qorudoc.h"
#include "guitestmain.h"
#include "recordingdevice.h"
#include "testapp.h"
#include "testprompter.h"
#include "print/printcommands.h"
#include "view/qoruview.h"
#include "print/reportpages.h"

#include <QApplication>
#include <QDir>
#include <QFontInfo>
#include <QTemporaryDir>

#include <algorithm>
#include <map>
#include <memory>

namespace {

// A4 at 600 dpi, printable from 100 pixels in on every side: the body is
// 491..4271 across and 491..6326 down (see the margin arithmetic's tests).
PrinterGeometry LaserA4()
{
    PrinterGeometry g;
    g.logPixelsX = g.logPixelsY = 600;
    g.physicalOffsetX = g.physicalOffsetY = 100;
    g.physicalWidth = 4960;
    g.physicalHeight = 7016;
    g.printableWidth = 4760;
    g.printableHeight = 6816;
    return g;
}

constexpr double kPxPerMm = 600 / 25.4;

// One line of text as drawn: the pieces of one baseline, left to right.
struct DrawnLine
{
    QString text;
    double left = 0; // device pixels from the printable corner
    double baseline = 0;
    QFont font;
    double scale = 1;
};

std::vector<DrawnLine> Lines(const QList<RecordingDevice::Text>& texts)
{
    std::map<long, std::vector<RecordingDevice::Text>> rows;
    for (const auto& t : texts)
        rows[std::lround(t.origin.y() * 4)].push_back(t);
    std::vector<DrawnLine> lines;
    for (auto& [y, pieces] : rows) {
        std::sort(pieces.begin(), pieces.end(),
            [](const auto& a, const auto& b) { return a.origin.x() < b.origin.x(); });
        DrawnLine line;
        line.left = pieces.front().origin.x();
        line.baseline = pieces.front().origin.y();
        line.font = pieces.front().font;
        line.scale = pieces.front().scale;
        for (const auto& p : pieces)
            line.text += p.text;
        lines.push_back(line);
    }
    return lines;
}

struct Page
{
    std::vector<DrawnLine> lines;
    const DrawnLine* find(const QString& text) const
    {
        for (const auto& l : lines)
            if (l.text == text)
                return &l;
        return nullptr;
    }
};

Page PaintPage(const PrintSource& source, int page, const PrinterGeometry& g = LaserA4())
{
    RecordingDevice device(g);
    const CReportPages pages(source, g, &device);
    QPainter painter(&device);
    pages.paintPage(painter, page);
    painter.end();
    return { Lines(device.texts) };
}

// Extent of a drawn line in device pixels, measured with its own font.
double Ascent(const DrawnLine& l, const RecordingDevice& d)
{
    return QFontMetricsF(l.font, &d).ascent() * l.scale;
}
double Descent(const DrawnLine& l, const RecordingDevice& d)
{
    return QFontMetricsF(l.font, &d).descent() * l.scale;
}
double Width(const DrawnLine& l, const RecordingDevice& d)
{
    return QFontMetricsF(l.font, &d).horizontalAdvance(l.text) * l.scale;
}

} // namespace

class PrintTest : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestPrompter> m_prompter;
    std::unique_ptr<CQoruApp> m_app;
    QTemporaryDir m_dir;
    RecordingDevice m_device { LaserA4() };

    CQoruView* view() const { return m_app->view(); }
    PrintSource source() const { return m_app->printCommands()->source(); }

private Q_SLOTS:
    void init()
    {
        QVERIFY(StartTestApp(m_prompter, m_app));
    }
    void cleanup()
    {
        StopTestApp(m_prompter, m_app);
    }

    void a_report_never_saved_has_no_header_and_a_saved_one_its_full_path()
    {
        view()->appendReport("\r\n报告\r\n");
        Page page = PaintPage(source(), 1);
        // Only the body's one line and the page number.
        QCOMPARE(page.lines.size(), size_t(2));
        QVERIFY(page.find(QStringLiteral("报告")));
        QVERIFY(page.find(QStringLiteral("- 1 -")));

        const QString path = m_dir.filePath(QStringLiteral("计算书.txt"));
        m_prompter->fileNames.enqueue(path);
        QVERIFY(m_app->document()->DoFileSave());
        page = PaintPage(source(), 1);
        const DrawnLine* header = page.find(QDir::toNativeSeparators(path));
        QVERIFY(header);

        // Its top 20.0 mm below the paper's top edge, centred over the body.
        const double top = 100 + header->baseline - Ascent(*header, m_device);
        QVERIFY2(
            std::abs(top - 20.0 * kPxPerMm) < 0.2 * kPxPerMm, qPrintable(QString::number(top)));
        const double centre = header->left + Width(*header, m_device) / 2;
        QVERIFY2(std::abs(centre - (491 + 4271) / 2.0) < 2, qPrintable(QString::number(centre)));
        // In the header face at 3.2 mm, above the body.
        QCOMPARE(QFontInfo(header->font).family(), QFontInfo(CReportPages::PageFont()).family());
        QCOMPARE(header->font.pixelSize() * header->scale / kPxPerMm, 3.2);
        QVERIFY(header->baseline + Descent(*header, m_device) <= 491);
    }

    void an_opened_report_carries_its_path_on_every_page()
    {
        const QString path = m_dir.filePath(QStringLiteral("opened.txt"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        for (int i = 0; i < 300; ++i)
            file.write("line\r\n");
        file.close();
        QVERIFY(m_app->OpenDocumentFile(path));
        const CReportPages pages(source(), LaserA4(), &m_device);
        QVERIFY(pages.pageCount() > 2);
        for (int n = 1; n <= pages.pageCount(); ++n)
            QVERIFY(PaintPage(source(), n).find(QDir::toNativeSeparators(path)));
    }

    void page_numbers_count_from_one_at_the_right_below_the_body()
    {
        PrintSource s;
        for (int i = 0; i < 300; ++i)
            s.text += QStringLiteral("第%1行\n").arg(i + 1);
        const CReportPages pages(s, LaserA4(), &m_device);
        QVERIFY(pages.pageCount() >= 3);
        for (int n = 1; n <= 3; ++n) {
            const Page page = PaintPage(s, n);
            const DrawnLine* number = page.find(QStringLiteral("- %1 -").arg(n));
            QVERIFY(number);
            // Its right end on the body's right edge.
            const double right = number->left + Width(*number, m_device);
            QVERIFY2(std::abs(right - 4271) < 2, qPrintable(QString::number(right)));
            // Its lower edge 5.0 mm above the printable area's (6816), below the body.
            const double lower = number->baseline + Descent(*number, m_device);
            QVERIFY2(
                std::abs(lower - (6816 - 5.0 * kPxPerMm)) < 2, qPrintable(QString::number(lower)));
            QVERIFY(number->baseline - Ascent(*number, m_device) >= 6326);
        }
    }

    void a_line_longer_than_the_body_wraps_at_its_blanks()
    {
        QString longLine;
        for (int i = 0; i < 60; ++i)
            longLine += QStringLiteral("word%1 ").arg(i, 2, 10, QLatin1Char('0'));
        PrintSource s;
        s.text = longLine.trimmed() + QStringLiteral("\nnext");
        const Page page = PaintPage(s, 1);
        std::vector<const DrawnLine*> body;
        for (const auto& l : page.lines)
            if (l.baseline < 6326)
                body.push_back(&l);
        QVERIFY(body.size() > 2);
        QString joined;
        for (std::size_t i = 0; i + 1 < body.size(); ++i) {
            const DrawnLine& l = *body[i];
            QVERIFY(l.left >= 491 - 0.5);
            QVERIFY2(l.left + Width(l, m_device) <= 4271 + 0.5, qPrintable(l.text));
            // Broken between words: no line starts with a blank or cuts a word.
            QVERIFY(!l.text.startsWith(QLatin1Char(' ')));
            QVERIFY2(
                l.text.trimmed().split(QLatin1Char(' ')).last().size() == 6, qPrintable(l.text));
            joined += (joined.isEmpty() ? QString() : QStringLiteral(" ")) + l.text.trimmed();
        }
        QCOMPARE(joined, longLine.trimmed());
        QCOMPARE(body.back()->text, QStringLiteral("next"));
        // Lines follow each other at one pitch.
        const double pitch = QFontMetricsF(QFont(s.bodyFont, &m_device), &m_device).lineSpacing();
        QVERIFY(std::abs(body[1]->baseline - body[0]->baseline - pitch) < 0.01);
    }

    void a_known_text_fills_whole_pages_and_ends_with_its_last_line()
    {
        // 247.0 mm of body (297 − 2 × 25) over the default font's pitch.
        const double pitch = QFontMetricsF(QFont(QFont(), &m_device), &m_device).lineSpacing();
        const int perPage = static_cast<int>((6326 - 491) / pitch);
        PrintSource s;
        const int lines = 2 * perPage + 1;
        for (int i = 1; i <= lines; ++i)
            s.text += QStringLiteral("L%1\r\n").arg(i);
        const CReportPages pages(s, LaserA4(), &m_device);
        QCOMPARE(pages.linesPerPage(), perPage);
        QCOMPARE(pages.pageCount(), 3);
        QVERIFY(PaintPage(s, 2).find(QStringLiteral("L%1").arg(perPage + 1)));
        QVERIFY(PaintPage(s, 2).find(QStringLiteral("L%1").arg(2 * perPage)));
        const Page last = PaintPage(s, 3);
        QCOMPARE(last.lines.size(), size_t(2)); // the last line and the number
        QVERIFY(last.find(QStringLiteral("L%1").arg(lines)));

        // One line less: the final line break starts no page of its own.
        s.text.chop(QStringLiteral("L%1\r\n").arg(lines).size());
        QCOMPARE(CReportPages(s, LaserA4(), &m_device).pageCount(), 2);
        // An empty report still prints its one page.
        QCOMPARE(CReportPages(PrintSource(), LaserA4(), &m_device).pageCount(), 1);
    }

    void the_body_follows_the_font_command_and_the_header_and_number_do_not()
    {
        const QString path = m_dir.filePath(QStringLiteral("font.txt"));
        view()->appendReport("\r\n水胶比 0.34\r\n");
        m_prompter->fileNames.enqueue(path);
        QVERIFY(m_app->document()->DoFileSave());
        const QString headerText = QDir::toNativeSeparators(path);

        Page before = PaintPage(source(), 1);
        const DrawnLine* body = before.find(QStringLiteral("水胶比 0.34"));
        QVERIFY(body);
        // No font chosen: the printer's default font, whatever the view shows.
        QCOMPARE(body->font.family(), QFont().family());
        QCOMPARE(body->font.pointSizeF(), QFont().pointSizeF());
        const DrawnLine headerBefore = *before.find(headerText);
        const DrawnLine numberBefore = *before.find(QStringLiteral("- 1 -"));

        // A font of 26 screen pixels prints 26/96 inch high, as on the screen.
        QFont chosen(QStringLiteral("AR PL UMing CN"));
        chosen.setPixelSize(26);
        m_prompter->fonts.enqueue(chosen);
        view()->OnChooseFont();
        const Page after = PaintPage(source(), 1);
        body = after.find(QStringLiteral("水胶比 0.34"));
        QVERIFY(body);
        QCOMPARE(body->font.family(), QStringLiteral("AR PL UMing CN"));
        QCOMPARE(body->font.pointSizeF(), 26 * 72.0 / view()->logicalDpiY());
        const DrawnLine* header = after.find(headerText);
        const DrawnLine* number = after.find(QStringLiteral("- 1 -"));
        QVERIFY(header && number);
        QCOMPARE(header->font, headerBefore.font);
        QCOMPARE(header->baseline, headerBefore.baseline);
        QCOMPARE(number->font, numberBefore.font);
        QCOMPARE(number->left, numberBefore.left);
    }

    void unprintable_bytes_and_lone_line_ends_never_upset_the_page()
    {
        // A lone LF, a lone CR and bytes that are no GBK, as a file may hold.
        const std::string bytes("a\nb\rc\xff\xff"
                                "d\r\n\xb0",
            11);
        view()->loadFileBytes(bytes);
        const CReportPages pages(source(), LaserA4(), &m_device);
        QCOMPARE(pages.pageCount(), 1);
        QCOMPARE(pages.lineCount(), std::size_t(4));
        QCOMPARE(pages.lineText(2), QStringLiteral("cd"));
        QCOMPARE(pages.lineText(3), QString());
        QCOMPARE(view()->fileBytes(), bytes);
    }

    void a_deep_unprintable_bottom_keeps_the_number_clear_of_the_body()
    {
        // 30 mm unprintable at the bottom: the body reaches the printable edge.
        PrinterGeometry g = LaserA4();
        g.printableHeight = 7016 - 100 - static_cast<int>(30 * kPxPerMm);
        PrintSource s;
        for (int i = 0; i < 200; ++i)
            s.text += QStringLiteral("row\n");
        RecordingDevice device(g);
        const Page page = PaintPage(s, 1, g);
        const DrawnLine* number = page.find(QStringLiteral("- 1 -"));
        QVERIFY(number);
        double lowestBody = 0;
        for (const auto& l : page.lines)
            if (&l != number)
                lowestBody = std::max(lowestBody, l.baseline + Descent(l, device));
        QVERIFY(lowestBody <= g.printableHeight + 0.5);
        QVERIFY(lowestBody > g.printableHeight - 200); // within the last line's pitch
        QVERIFY(number->baseline - Ascent(*number, device) >= lowestBody - 1);
    }
};

QORU_GUI_TEST_MAIN(PrintTest)
#include "print_test.moc"
