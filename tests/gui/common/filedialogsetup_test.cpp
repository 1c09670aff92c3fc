// Qt's file dialog in the program's locale: sizes and dates of the file list
// read in Chinese even on an English system.
#include "common/filedialogsetup.h"
#include "guitestmain.h"

#include <QFile>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QTemporaryDir>
#include <QTreeView>

class FileDialogSetupTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void sizes_and_dates_follow_the_program_locale_not_the_system_one()
    {
        QLocale::setDefault(QLocale(QLocale::Chinese, QLocale::China)); // as the program does
        QTemporaryDir dir;
        QFile file(dir.filePath(QStringLiteral("报告.txt")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(QByteArray(2000, 'x'));
        file.flush();
        QVERIFY(file.setFileTime(
            QDateTime(QDate(2026, 12, 9), QTime(15, 13)), QFileDevice::FileModificationTime));
        file.close();

        QFileSystemModel files;
        const QModelIndex root = files.setRootPath(dir.path());
        CFileListModel list;
        list.setSourceModel(&files);
        QTRY_COMPARE(files.rowCount(root), 1);
        const QModelIndex report
            = list.mapFromSource(files.index(dir.filePath(QStringLiteral("报告.txt"))));

        QCOMPARE(report.siblingAtColumn(1).data().toString(), QStringLiteral("1.95 KB"));
        QCOMPARE(report.siblingAtColumn(3).data().toString(), QStringLiteral("2026/12/9 15:13"));
    }

    void the_dialog_opens_wide_enough_for_its_columns()
    {
        QFileDialog dialog;
        dialog.setOption(QFileDialog::DontUseNativeDialog);
        const QSize before = dialog.size();
        SetUpFileDialog(dialog);
        QVERIFY(qobject_cast<CFileListModel*>(dialog.proxyModel()));
        QVERIFY2(dialog.width() > before.width() && dialog.width() >= 600,
            qPrintable(QString::number(dialog.width())));
        // No column clips a size, a type or a date.
        const QHeaderView* header
            = dialog.findChild<QTreeView*>(QStringLiteral("treeView"))->header();
        const QFontMetrics fm(dialog.font());
        const QString widest[] = { QStringLiteral("1023.99 KB"), QStringLiteral("纯文本文档"),
            QStringLiteral("2026/12/31 23:59") };
        for (int column = 1; column <= 3; ++column)
            QVERIFY2(header->sectionSize(column) > fm.horizontalAdvance(widest[column - 1]),
                qPrintable(widest[column - 1]));
    }
};

QORU_GUI_TEST_MAIN(FileDialogSetupTest)
#include "filedialogsetup_test.moc"
