#include "ledger/comparedlg.h"

#include "common/prompter.h"
#include "documents/documentdata.h"
#include "documents/noticelayout.h"
#include "records/ledger.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include <utility>
#include <vector>

namespace {

const char* const kTitle = "比较";
const QColor kTint(255, 236, 179); // a pale amber, readable in print and on screen
constexpr int kKindRole = Qt::UserRole + 1; // a section row, or whether a value row differs

enum RowKind
{
    kSection,
    kSame,
    kDiffers
};

using Pairs = std::vector<std::pair<QString, QString>>;

QString ValueText(const QJsonValue& v)
{
    switch (v.type()) {
    case QJsonValue::String:
        return v.toString();
    case QJsonValue::Double:
        return QString::number(v.toDouble(), 'g', 15);
    case QJsonValue::Bool:
        return v.toBool() ? QStringLiteral("是") : QStringLiteral("否");
    default:
        return QString::fromUtf8(kMissing);
    }
}

// Every value of a JSON object by its path: "lab.cement", "trials[0].wb".
void Flatten(const QJsonValue& v, const QString& path, Pairs& out)
{
    if (v.isObject()) {
        const QJsonObject o = v.toObject();
        for (auto it = o.begin(); it != o.end(); ++it)
            Flatten(
                it.value(), path.isEmpty() ? it.key() : path + QLatin1Char('.') + it.key(), out);
    } else if (v.isArray()) {
        const QJsonArray a = v.toArray();
        for (int i = 0; i < a.size(); ++i)
            Flatten(a.at(i), path + QLatin1Char('[') + QString::number(i) + QLatin1Char(']'), out);
    } else {
        out.emplace_back(path, ValueText(v));
    }
}

Pairs Flattened(const std::string& json)
{
    Pairs out;
    Flatten(QJsonDocument::fromJson(QByteArray::fromStdString(json)).object(), QString(), out);
    return out;
}

// The rows of both sides: the left's names in order, then those only the right has.
std::vector<std::pair<QString, std::pair<QString, QString>>> Aligned(
    const Pairs& left, const Pairs& right)
{
    std::vector<std::pair<QString, std::pair<QString, QString>>> rows;
    const QString missing = QString::fromUtf8(kMissing);
    auto find = [](const Pairs& side, const QString& name) -> const QString* {
        for (const auto& p : side)
            if (p.first == name)
                return &p.second;
        return nullptr;
    };
    for (const auto& [name, value] : left) {
        const QString* other = find(right, name);
        rows.push_back({ name, { value, other ? *other : missing } });
    }
    for (const auto& [name, value] : right)
        if (!find(left, name))
            rows.push_back({ name, { missing, value } });
    return rows;
}

QString Text(const std::string& s)
{
    const QString t = QString::fromStdString(s).trimmed();
    return t.isEmpty() ? QString::fromUtf8(kMissing) : t;
}

} // namespace

CEntryCompareDlg::CEntryCompareDlg(
    DesignLedger& ledger, std::int64_t left, std::int64_t right, QWidget* parent)
    : QDialog(parent)
{
    setWindowTitle(QString::fromUtf8(kTitle));
    setFont(DocumentFont(10.5));
    auto* layout = new QVBoxLayout(this);
    m_pTable = new QTableWidget(0, 3, this);
    m_pTable->setObjectName(QStringLiteral("compareTable"));
    m_pTable->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_pTable->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_pTable->verticalHeader()->hide();
    m_pTable->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    m_pTable->horizontalHeader()->setStretchLastSection(true);
    layout->addWidget(m_pTable);

    m_pOnlyDiff = new QCheckBox(QStringLiteral("仅显示不同(&D)"), this);
    m_pOnlyDiff->setObjectName(QStringLiteral("onlyDifferences"));
    connect(m_pOnlyDiff, &QCheckBox::toggled, this, &CEntryCompareDlg::showOnlyDifferences);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    buttons->button(QDialogButtonBox::Close)->setText(QStringLiteral("关闭"));
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(m_pOnlyDiff);
    bottom->addStretch();
    bottom->addWidget(buttons);
    layout->addLayout(bottom);
    resize(640, 600);

    const Result<Entry> a = ledger.entry(left);
    const Result<Entry> b = ledger.entry(right);
    if (!a || !b) {
        m_refusal = QString::fromStdString((a ? b : a).error().message);
        return;
    }
    if (a->row.kind != b->row.kind) {
        m_refusal = QStringLiteral("只能比较同一类型的两个记录：%1是%2，%3是%4。")
                        .arg(Text(a->row.number), EntryKindName(a->row.kind), Text(b->row.number),
                            EntryKindName(b->row.kind));
        return;
    }
    setWindowTitle(QString::fromUtf8(kTitle) + QStringLiteral(" — ") + EntryKindName(a->row.kind));
    m_pTable->setHorizontalHeaderLabels(
        { QStringLiteral("项目"), Text(a->row.number), Text(b->row.number) });

    addSection(QStringLiteral("记录"));
    const std::pair<const char*, std::pair<std::string, std::string>> header[] = {
        { "编号", { a->row.number, b->row.number } },
        { "日期", { a->row.time, b->row.time } },
        { "操作人", { a->row.operatorName, b->row.operatorName } },
        { "状态", { EntryStateName(a->row.state), EntryStateName(b->row.state) } },
        { "工程名称", { a->row.project, b->row.project } },
    };
    for (const auto& [name, values] : header)
        addRow(QString::fromUtf8(name), Text(values.first), Text(values.second));

    addSection(QStringLiteral("输入"));
    for (const auto& [name, values] : Aligned(Flattened(a->inputsJson), Flattened(b->inputsJson)))
        addRow(name, values.first, values.second);

    addSection(QStringLiteral("结果"));
    addRow(QStringLiteral("水胶比"), Text(a->waterBinder), Text(b->waterBinder));
    addRow(QStringLiteral("结论"), Text(a->verdict), Text(b->verdict));
    for (const auto& [name, values] : Aligned(Flattened(a->figuresJson), Flattened(b->figuresJson)))
        addRow(name, values.first, values.second);

    m_pTable->resizeColumnsToContents();
}

void CEntryCompareDlg::addSection(const QString& title)
{
    const int row = m_pTable->rowCount();
    m_pTable->insertRow(row);
    auto* item = new QTableWidgetItem(title);
    QFont bold = font();
    bold.setBold(true);
    item->setFont(bold);
    item->setData(kKindRole, kSection);
    m_pTable->setItem(row, 0, item);
    m_pTable->setSpan(row, 0, 1, 3);
}

void CEntryCompareDlg::addRow(const QString& name, const QString& left, const QString& right)
{
    const int row = m_pTable->rowCount();
    m_pTable->insertRow(row);
    const bool differs = left != right;
    const QString texts[] = { name, left, right };
    for (int column = 0; column < 3; ++column) {
        auto* item = new QTableWidgetItem(texts[column]);
        item->setData(kKindRole, differs ? kDiffers : kSame);
        if (differs) {
            item->setBackground(kTint);
            QFont bold = font();
            bold.setBold(true);
            item->setFont(bold);
        }
        m_pTable->setItem(row, column, item);
    }
}

void CEntryCompareDlg::showOnlyDifferences(bool only)
{
    for (int row = 0; row < m_pTable->rowCount(); ++row)
        m_pTable->setRowHidden(
            row, only && m_pTable->item(row, 0)->data(kKindRole).toInt() == kSame);
}

QStringList CEntryCompareDlg::differingRows() const
{
    QStringList names;
    for (int row = 0; row < m_pTable->rowCount(); ++row)
        if (m_pTable->item(row, 0)->data(kKindRole).toInt() == kDiffers)
            names << m_pTable->item(row, 0)->text();
    return names;
}

void CEntryCompareDlg::Show(
    DesignLedger& ledger, std::int64_t left, std::int64_t right, QWidget* parent)
{
    CEntryCompareDlg dialog(ledger, left, right, parent);
    if (!dialog.refusal().isEmpty()) {
        ShowNotice(
            parent, Prompter::Icon::Exclamation, QString::fromUtf8(kTitle), dialog.refusal());
        return;
    }
    dialog.exec();
}
