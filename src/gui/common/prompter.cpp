#include "common/prompter.h"

#include "common/filedialogsetup.h"

#include <QFileDialog>
#include <QFontDialog>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPageSetupDialog>
#include <QPrintDialog>

namespace {

Prompter g_default;
Prompter* g_current = &g_default;

} // namespace

Prompter* Prompter::current() { return g_current; }

void Prompter::install()
{
    m_previous = g_current;
    g_current = this;
    m_installed = true;
}

void Prompter::uninstall()
{
    if (m_installed && g_current == this)
        g_current = m_previous;
    m_installed = false;
}

Prompter::Answer Prompter::notice(QWidget* parent, Icon icon, const QString& title,
    const QString& text, Buttons buttons)
{
    const QMessageBox::Icon boxIcon = icon == Icon::Information
        ? QMessageBox::Information
        : (icon == Icon::Question ? QMessageBox::Question : QMessageBox::Warning);
    QMessageBox box(boxIcon, title, text, QMessageBox::NoButton, parent);
    if (buttons == Buttons::YesNoCancel) {
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        box.setDefaultButton(QMessageBox::Yes);
        box.setEscapeButton(QMessageBox::Cancel);
    } else if (buttons == Buttons::YesNo) {
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(QMessageBox::Yes);
        box.setEscapeButton(QMessageBox::No);
    } else {
        box.setStandardButtons(QMessageBox::Ok);
    }
    switch (box.exec()) {
    case QMessageBox::Yes: return Answer::Yes;
    case QMessageBox::No: return Answer::No;
    case QMessageBox::Cancel: return Answer::Cancel;
    default:
        if (buttons == Buttons::YesNo)
            return Answer::No;
        return buttons == Buttons::Ok ? Answer::Ok : Answer::Cancel;
    }
}

QString Prompter::openFileName(QWidget* parent, const FileRequest& request)
{
    QFileDialog dialog(parent, request.title);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilters(request.filters);
    if (!request.proposedPath.isEmpty())
        dialog.selectFile(request.proposedPath);
    SetUpFileDialog(dialog);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

QStringList Prompter::openFileNames(QWidget* parent, const FileRequest& request)
{
    QFileDialog dialog(parent, request.title);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFiles);
    dialog.setNameFilters(request.filters);
    SetUpFileDialog(dialog);
    if (dialog.exec() != QDialog::Accepted)
        return {};
    return dialog.selectedFiles();
}

QString Prompter::saveFileName(QWidget* parent, const FileRequest& request)
{
    QFileDialog dialog(parent, request.title);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilters(request.filters);
    dialog.setDefaultSuffix(request.defaultSuffix);
    if (!request.confirmReplace)
        dialog.setOption(QFileDialog::DontConfirmOverwrite);
    dialog.selectFile(request.proposedPath);
    SetUpFileDialog(dialog);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

bool Prompter::askText(QWidget* parent, const QString& title, const QString& label, QString* text)
{
    bool ok = false;
    const QString answer
        = QInputDialog::getText(parent, title, label, QLineEdit::Normal, *text, &ok);
    if (ok)
        *text = answer;
    return ok;
}

bool Prompter::chooseFont(QWidget* parent, QFont* font)
{
    bool ok = false;
    const QFont chosen = QFontDialog::getFont(&ok, QFont(), parent);
    if (ok)
        *font = chosen;
    return ok;
}

bool Prompter::printDialog(QWidget* parent, QPrinter* printer, int maxPage)
{
    QPrintDialog dialog(printer, parent);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, true);
    dialog.setMinMax(1, maxPage);
    return dialog.exec() == QDialog::Accepted;
}

bool Prompter::pageSetupDialog(QWidget* parent, QPrinter* printer)
{
    QPageSetupDialog dialog(printer, parent);
    return dialog.exec() == QDialog::Accepted;
}

Prompter::Answer ShowNotice(QWidget* parent, Prompter::Icon icon, const QString& title,
    const QString& text, Prompter::Buttons buttons)
{
    return Prompter::current()->notice(parent, icon, title, text, buttons);
}

void ShowInfo(QWidget* parent, const QString& text)
{
    ShowNotice(parent, Prompter::Icon::Information, QString::fromUtf8(kNoticeTitle), text);
}

void ShowExclamation(QWidget* parent, const QString& text)
{
    ShowNotice(parent, Prompter::Icon::Exclamation, QString::fromUtf8(kAppTitle), text);
}

void ShowMessage(QWidget* parent, const Message& message)
{
    const QString text = QString::fromStdString(message.text);
    if (message.source == MessageSource::Input)
        ShowExclamation(parent, text);
    else
        ShowInfo(parent, text);
}
