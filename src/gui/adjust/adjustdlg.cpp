#include "adjust/adjustdlg.h"

#include "common/exactdecimal.h"
#include "adjust/dialog160.h"
#include "materials/materialfill.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

QString Text(std::int64_t units, int decimals)
{
    return QString::fromStdString(UnitsText(units, decimals));
}

int BoxId(AdjustBox b)
{
    switch (b) {
    case AdjustBox::MeasuredDensity:
        return IDC_ADJ_MEASURED_DENSITY;
    case AdjustBox::SandMoisture:
        return IDC_ADJ_SAND_MOISTURE;
    case AdjustBox::CoarseMoisture:
        return IDC_ADJ_COARSE_MOISTURE;
    case AdjustBox::Volume:
        return IDC_ADJ_VOLUME;
    default:
        return IDC_ADJ_DESIGN + static_cast<int>(b);
    }
}

} // namespace

CAdjustDlg::CAdjustDlg(QWidget* pParent, const AdjustInputs& design)
    : CCalcFormOf(CalcKind::Adjust, AdjustDialogSpec(), pParent)
{
    setEnterButtons({ IDC_ADJ_CALCULATE, IDCANCEL, IDC_MATERIALS });
    // The aggregates' batches give their moisture.
    linkMaterials({ { MaterialRole::Fine, MaterialRole::Coarse },
        { { MaterialRole::Fine, IDC_ADJ_SAND_MOISTURE, MaterialValue::Moisture() },
            { MaterialRole::Coarse, IDC_ADJ_COARSE_MOISTURE, MaterialValue::Moisture() } },
        {} });
    connect(button(IDC_ADJ_CALCULATE), &QPushButton::clicked, this, &CAdjustDlg::OnCalculate);
    connect(button(IDCANCEL), &QPushButton::clicked, this, &QDialog::reject);
    OnInitDialog(design);
}

void CAdjustDlg::OnInitDialog(const AdjustInputs& design)
{
    for (int b = 0; b <= static_cast<int>(AdjustBox::Volume); ++b)
        connect(box(static_cast<AdjustBox>(b)), &QLineEdit::textChanged, this, [this] {
            if (!m_bShowingResults)
                clearResults();
        });
    load(design);
    centreOverOwner();
    box(AdjustBox::Cement)->setFocus(Qt::OtherFocusReason);
}

void CAdjustDlg::load(const AdjustInputs& in)
{
    m_strPowder1Name = in.powder1Name;
    m_strPowder2Name = in.powder2Name;
    const int labels[] = { IDC_ADJ_POWDER1_NAME, IDC_ADJ_POWDER2_NAME };
    qobject_cast<QLabel*>(control(labels[0]))->setText(QString::fromStdString(in.powder1Name));
    qobject_cast<QLabel*>(control(labels[1]))->setText(QString::fromStdString(in.powder2Name));
    // Every box of the table is named by its row and its column.
    const char* rows[] = { "水泥", nullptr, nullptr, "细骨料", "粗骨料", "水", "外加剂" };
    const char* columns[] = { " 设计kg/m3", " 试验室kg/m3", " 施工kg/m3", " 每盘kg" };
    const int firsts[] = { IDC_ADJ_DESIGN, IDC_ADJ_LAB, IDC_ADJ_SITE, IDC_ADJ_BATCH };
    for (int m = 0; m < kAdjustMaterials; ++m) {
        const QString row = rows[m] ? QString::fromUtf8(rows[m])
                                    : qobject_cast<QLabel*>(control(labels[m - 1]))->text();
        for (int col = 0; col < 4; ++col)
            control(firsts[col] + m)->setAccessibleName(row + QString::fromUtf8(columns[col]));
    }

    for (int m = 0; m < kAdjustMaterials; ++m)
        box(static_cast<AdjustBox>(m))
            ->setText(QString::fromStdString(in.masses[static_cast<size_t>(m)]));
    box(AdjustBox::MeasuredDensity)->setText(QString::fromStdString(in.measuredDensity));
    box(AdjustBox::SandMoisture)->setText(QString::fromStdString(in.sandMoisture));
    box(AdjustBox::CoarseMoisture)->setText(QString::fromStdString(in.coarseMoisture));
    box(AdjustBox::Volume)->setText(QString::fromStdString(in.volume));
}

QLineEdit* CAdjustDlg::box(AdjustBox b) const
{
    return edit(BoxId(b));
}

AdjustInputs CAdjustDlg::inputs() const
{
    AdjustInputs in;
    in.powder1Name = m_strPowder1Name;
    in.powder2Name = m_strPowder2Name;
    for (int m = 0; m < kAdjustMaterials; ++m)
        in.masses[static_cast<size_t>(m)] = box(static_cast<AdjustBox>(m))->text().toStdString();
    in.measuredDensity = box(AdjustBox::MeasuredDensity)->text().toStdString();
    in.sandMoisture = box(AdjustBox::SandMoisture)->text().toStdString();
    in.coarseMoisture = box(AdjustBox::CoarseMoisture)->text().toStdString();
    in.volume = box(AdjustBox::Volume)->text().toStdString();
    return in;
}

void CAdjustDlg::OnCalculate()
{
    const AdjustOutcome out = CalculateAdjust(inputs());
    showMessages(out.messages);
    if (out.stopped) {
        clearResults();
        if (out.focus)
            focusBox(box(*out.focus));
        return;
    }
    showResults(out.results);
    handOn(out.report);
}

// The inputs go back as they were taken, so the table reads as the report does.
void CAdjustDlg::showResults(const AdjustResults& r)
{
    m_bShowingResults = true;
    for (int m = 0; m < kAdjustMaterials; ++m) {
        const auto i = static_cast<size_t>(m);
        const int d = AdjustMassDecimals(m);
        edit(IDC_ADJ_DESIGN + m)->setText(Text(r.design[i], d));
        edit(IDC_ADJ_LAB + m)->setText(Text(r.lab[i], d));
        edit(IDC_ADJ_SITE + m)->setText(Text(r.site[i], d));
        edit(IDC_ADJ_BATCH + m)->setText(Text(r.batch[i], kAdjustBatchDecimals));
    }
    box(AdjustBox::MeasuredDensity)
        ->setText(r.measuredDensity ? Text(*r.measuredDensity, 0) : QString());
    box(AdjustBox::SandMoisture)->setText(Text(r.sandMoisture, 1));
    box(AdjustBox::CoarseMoisture)->setText(Text(r.coarseMoisture, 1));
    box(AdjustBox::Volume)->setText(Text(r.volume, 1));

    edit(IDC_ADJ_COMPUTED_DENSITY)->setText(Text(r.computedDensity, 1));
    edit(IDC_ADJ_DEVIATION)->setText(r.deviation ? Text(*r.deviation, 2) : QString());
    edit(IDC_ADJ_DELTA)->setText(r.delta ? Text(*r.delta, 3) : QStringLiteral("不校正"));
    edit(IDC_ADJ_WB)->setText(Text(r.wb, 2));
    edit(IDC_ADJ_RATIO)
        ->setText(QStringLiteral("1：%1：%2：%3")
                      .arg(Text(r.sandRatio, 2), Text(r.coarseRatio, 2), Text(r.waterRatio, 2)));
    m_bShowingResults = false;
}

void CAdjustDlg::clearResults()
{
    for (int m = 0; m < kAdjustMaterials; ++m) {
        for (int first : { IDC_ADJ_LAB, IDC_ADJ_SITE, IDC_ADJ_BATCH })
            edit(first + m)->clear();
    }
    for (int id :
        { IDC_ADJ_COMPUTED_DENSITY, IDC_ADJ_DEVIATION, IDC_ADJ_DELTA, IDC_ADJ_WB, IDC_ADJ_RATIO })
        edit(id)->clear();
}
