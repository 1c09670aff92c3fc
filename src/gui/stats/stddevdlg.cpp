#include "stats/stddevdlg.h"

#include "common/prompter.h"
#include "stats/dialog150.h"
#include "stats/stddev.h"

#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>

#include <algorithm>

namespace {

constexpr int kColumnWidth = 170; // pixels

Prompter::Icon IconOf(NoticeIcon icon)
{
    return icon == NoticeIcon::Exclamation ? Prompter::Icon::Exclamation
                                           : Prompter::Icon::Information;
}

} // namespace

CStdDevDlg::CStdDevDlg(QWidget* pParent)
    : CFormDialog(StdDevDialogSpec(), pParent)
{
    m_editStrength = edit(IDC_STRENGTH_INPUT);
    m_listStrength = qobject_cast<QTableWidget*>(control(IDC_STRENGTH_LIST));
    // The input box is read by the strength rule itself (OnAdd); the
    // exchange only writes it.
    bindFloat(IDC_STRENGTH_INPUT, &m_fStrength);
    bindDouble(IDC_SIGMA, &m_dSigma);
    bindInt(IDC_COUNT, &m_nCount);
    setEnterButtons({ IDC_CALC, IDCANCEL, IDC_ADD, IDC_DELETE });

    connect(button(IDC_ADD), &QPushButton::clicked, this, &CStdDevDlg::OnAdd);
    connect(button(IDC_DELETE), &QPushButton::clicked, this, &CStdDevDlg::OnDelete);
    connect(button(IDC_CALC), &QPushButton::clicked, this, &CStdDevDlg::OnCompute);
    connect(button(IDCANCEL), &QPushButton::clicked, this, &QDialog::reject);

    OnInitDialog();
}

void CStdDevDlg::OnInitDialog()
{
    UpdateData(false);

    QTableWidget* list = m_listStrength;
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->horizontalHeader()->setStretchLastSection(false);

    auto* header = new QTableWidgetItem(QStringLiteral("试件强度(MPa)"));
    header->setTextAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    list->setHorizontalHeaderItem(0, header);
    list->setColumnWidth(0, kColumnWidth);
    list->setRowCount(0);

    centreOverOwner();
    // Typing at once replaces the 0 in the box.
    m_editStrength->selectAll();
}

std::vector<double> CStdDevDlg::strengths() const
{
    std::vector<double> values;
    const int rows = m_listStrength->rowCount();
    values.reserve(static_cast<size_t>(rows));
    for (int row = 0; row < rows; ++row)
        values.push_back(m_listStrength->item(row, 0)->data(Qt::UserRole).toDouble());
    return values;
}

void CStdDevDlg::OnAdd()
{
    const StrengthEntry entry = ReadStrengthBox(m_editStrength->text().toStdString());
    if (entry.check != StrengthCheck::NotANumber)
        m_fStrength = entry.value;
    if (entry.check != StrengthCheck::Accepted) {
        ShowNotice(this, IconOf(entry.notice.icon), QString::fromStdString(entry.notice.title),
            QString::fromStdString(entry.notice.text));
        if (entry.focusBox) {
            m_editStrength->setFocus(Qt::OtherFocusReason);
            m_editStrength->selectAll();
        }
        return;
    }

    auto* item = new QTableWidgetItem(QString::fromStdString(StrengthRowText(entry.value)));
    item->setData(Qt::UserRole, static_cast<double>(entry.value));
    item->setTextAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    const int row = m_listStrength->rowCount();
    m_listStrength->insertRow(row);
    m_listStrength->setItem(row, 0, item);

    m_fStrength = 0;
    m_nCount = m_listStrength->rowCount();
    UpdateData(false);
    m_editStrength->setFocus(Qt::OtherFocusReason);
    m_editStrength->selectAll(); // the next value replaces the 0
}

void CStdDevDlg::OnDelete()
{
    const QModelIndexList selected = m_listStrength->selectionModel()->selectedRows();
    if (!selected.isEmpty()) {
        int first = selected.first().row();
        for (const QModelIndex& index : selected)
            first = std::min(first, index.row());
        m_listStrength->removeRow(first);
        m_listStrength->clearSelection();
    }
    m_nCount = m_listStrength->rowCount();
    // Not read first: what was typed since the last add gives way to the member.
    UpdateData(false);
}

void CStdDevDlg::OnCompute()
{
    const StdDevOutcome out = ComputeStdDev(strengths(), m_dSigma);
    for (const Message& m : out.messages)
        ShowInfo(this, QString::fromStdString(m.text));
    if (out.stopped)
        return;
    m_dSigma = out.sigma;
    m_nCount = out.count;
    UpdateData(false);
}
