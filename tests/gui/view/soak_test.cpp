// A long day at the laboratory: a thousand calculations, methods 1 and 2 in
// turn, appended to the report, saved and reopened whenever it is full,
// without losing a byte or leaking memory.
#include "app/qoruapp.h"
#include "doc/gbkcodec.h"
#include "doc/qorudoc.h"
#include "guitestmain.h"
#include "mix1/mix1calc.h"
#include "mix2/mix2calc.h"
#include "testprompter.h"
#include "view/qoruview.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>

#include <fstream>
#ifdef __linux__
#include <malloc.h>
#include <unistd.h>
#endif

namespace {

// Resident memory of this process in KiB, or 0 where it cannot be read.
// Freed memory the allocator still holds is handed back first.
long ResidentKiB()
{
#ifndef __linux__
    return 0;
#else
    malloc_trim(0);
    std::ifstream statm("/proc/self/statm");
    long pages = 0, resident = 0;
    if (!(statm >> pages >> resident))
        return 0;
    return resident * (sysconf(_SC_PAGESIZE) / 1024);
#endif
}

std::string Report(int i)
{
    if (i % 2 == 0) {
        Mix1Inputs in;
        in.strengthIndex = i / 2 % 16;
        in.sigma = 2 + (i % 7) * 0.5;
        return CalculateMix1(in).report;
    }
    Mix2Inputs in;
    in.lists.strengthGrade = i / 2 % 16;
    in.members.water = 160 + i % 20;
    return CalculateMix2(in).report;
}

} // namespace

class SoakTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void a_thousand_reports_are_kept_byte_for_byte_without_leaking()
    {
        TestPrompter prompter;
        QTemporaryDir dir;
        CQoruApp app;
        QVERIFY(app.InitInstance({ QStringLiteral("qoru") }));
        CQoruView* view = app.view();
        CQoruDoc* doc = app.document();

        std::string expected; // the report file as it must be saved
        int files = 0;
        long afterHundred = 0;
        auto saveReopenCompare = [&] {
            const QString path = dir.filePath(QStringLiteral("day%1.txt").arg(++files));
            prompter.fileNames.enqueue(path);
            QVERIFY(doc->DoSaveAs());
            app.OnFileNew();
            QVERIFY(app.OpenDocumentFile(path));
            QCOMPARE(view->fileBytes().size(), expected.size());
            QVERIFY(view->fileBytes() == expected);
            QFile file(path);
            QVERIFY(file.open(QIODevice::ReadOnly));
            QVERIFY(file.readAll().toStdString() == expected);
            app.OnFileNew();
            expected.clear();
        };

        for (int i = 0; i < 1000; ++i) {
            const std::string report = Report(i);
            QVERIFY(!report.empty());
            if (!view->appendReport(report)) {
                // Full: the refusal was the notice, nothing changed.
                QCOMPARE(prompter.notices.size(), 1);
                prompter.notices.clear();
                saveReopenCompare();
                if (QTest::currentTestFailed())
                    return;
                QVERIFY(view->appendReport(report));
            }
            QVERIFY(prompter.notices.isEmpty());
            expected += GbkEncode(QString::fromStdString(report).toStdU16String());
            QApplication::processEvents();
            // The first hundred after the report has once been full: from
            // then on every structure has had its largest size.
            if (afterHundred == 0 && files >= 1 && i >= 99) {
                saveReopenCompare();
                if (QTest::currentTestFailed())
                    return;
                afterHundred = ResidentKiB();
                if (afterHundred == 0)
                    afterHundred = -1;
            }
        }
        QVERIFY(files >= 3); // the limit was reached more than once
        saveReopenCompare();
        const long atEnd = ResidentKiB();
        QVERIFY(afterHundred != 0);
        qInfo("resident memory: %ld KiB after the first hundred, %ld KiB at the end", afterHundred, atEnd);
        if (afterHundred > 0)
            QVERIFY2(atEnd <= afterHundred * 11 / 10,
                qPrintable(QStringLiteral("%1 KiB after 100, %2 KiB after 1000").arg(afterHundred).arg(atEnd)));
    }
};

QORU_GUI_TEST_MAIN(SoakTest)
#include "soak_test.moc"
