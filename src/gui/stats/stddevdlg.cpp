#include "stats/stddevdlg.h"

#include "common/prompter.h"
#include "stats/dialog150.h"

#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>

#include <algorithm>

namespace {

constexpr int kColumnWidth = 170; // pixels

} // namespace

CStdDevDlg::CStdDevDlg(QWidget* pParent)
    : CCalcFormOf(CalcKind::StdDev, StdDevDialogSpec(), pParent)
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
        ShowMessage(this, entry.notice);
        if (entry.focusBox)
            focusBox(m_editStrength);
        return;
    }

    addRow(entry.value);
    m_fStrength = 0;
    m_nCount = m_listStrength->rowCount();
    UpdateData(false);
    focusBox(m_editStrength); // the next value replaces the 0
}

void CStdDevDlg::addRow(float value)
{
    auto* item = new QTableWidgetItem(QString::fromStdString(StrengthRowText(value)));
    item->setData(Qt::UserRole, static_cast<double>(value));
    item->setTextAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    const int row = m_listStrength->rowCount();
    m_listStrength->insertRow(row);
    m_listStrength->setItem(row, 0, item);
}

void CStdDevDlg::load(const StdDevInputs& in)
{
    m_listStrength->setRowCount(0);
    for (double s : in.strengths)
        addRow(static_cast<float>(s));
    m_nCount = m_listStrength->rowCount();
    UpdateData(false);
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
    const StdDevOutcome out = ComputeStdDev(inputs().strengths, m_dSigma);
    showMessages(out.messages);
    if (out.stopped)
        return;
    m_dSigma = out.sigma;
    m_nCount = out.count;
    UpdateData(false);
    handOn(std::string()); // σ is shown, not reported
}
