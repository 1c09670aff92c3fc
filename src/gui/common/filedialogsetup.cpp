#include "common/filedialogsetup.h"

#include <QFileDialog>
#include <QFileSystemModel>
#include <QFontMetrics>
#include <QHeaderView>
#include <QLocale>
#include <QScreen>
#include <QTreeView>

namespace {

// The columns of the file system model.
constexpr int kSizeColumn = 1;
constexpr int kDateColumn = 3;

} // namespace

QVariant CFileListModel::data(const QModelIndex& index, int role) const
{
    const auto* files = qobject_cast<const QFileSystemModel*>(sourceModel());
    if (!files || role != Qt::DisplayRole
        || (index.column() != kSizeColumn && index.column() != kDateColumn))
        return QIdentityProxyModel::data(index, role);
    const QModelIndex source = mapToSource(index);
    const QLocale locale; // the program's, not the system's
    if (index.column() == kDateColumn)
        return locale.toString(files->lastModified(source), QLocale::ShortFormat);
    if (files->isDir(source))
        return QString();
    // KB and MB of 1024, written as the Chinese Windows Explorer writes them.
    return locale.formattedDataSize(files->size(source), 2, QLocale::DataSizeTraditionalFormat)
        .replace(QLatin1String("kB"), QLatin1String("KB"));
}

void SetUpFileDialog(QFileDialog& dialog)
{
    dialog.setProxyModel(new CFileListModel(&dialog));
    const QFontMetrics fm(dialog.font());
    const int x = fm.horizontalAdvance(QLatin1Char('x'));
    QSize size(110 * x, 30 * fm.height());
    if (const QScreen* screen = dialog.screen())
        size = size.boundedTo(screen->availableGeometry().size() * 9 / 10);
    dialog.resize(size);

    // The detail columns wide enough for "1023.99 KB", "纯文本文档" and a
    // date; the name takes the rest.
    if (auto* tree = dialog.findChild<QTreeView*>(QStringLiteral("treeView"))) {
        QHeaderView* header = tree->header();
        const int pad = 3 * x;
        const int widths[] = { fm.horizontalAdvance(QStringLiteral("1023.99 KB")),
            fm.horizontalAdvance(QStringLiteral("纯文本文档文档")),
            fm.horizontalAdvance(QStringLiteral("2026/12/31 23:59")) };
        header->setStretchLastSection(false);
        header->setSectionResizeMode(0, QHeaderView::Stretch);
        for (int column = 1; column <= 3; ++column)
            header->resizeSection(column, widths[column - 1] + pad);
    }
}
