#pragma once

#include <QIdentityProxyModel>

class QFileDialog;

// The file list of Qt's own file dialog with sizes and dates in the
// program's locale: the list itself formats them in the system's, which on
// an English system reads "9 Dec" and "KiB" in an otherwise Chinese dialog.
class CFileListModel : public QIdentityProxyModel
{
    Q_OBJECT

public:
    using QIdentityProxyModel::QIdentityProxyModel;

    QVariant data(const QModelIndex& index, int role) const override;
};

// Makes a file dialog read in the program's locale and opens it at a size at
// which the name, size, type and date columns are readable.
void SetUpFileDialog(QFileDialog& dialog);
