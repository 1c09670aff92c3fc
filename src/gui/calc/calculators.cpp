#include "calc/calculators.h"

#include "adjust/adjustdlg.h"
#include "common/appsettings.h"
#include "mix1/mixdesigndlg.h"
#include "mix2/mixdesign2dlg.h"
#include "ordinary/ordinarydlg.h"
#include "stats/evaluatedlg.h"
#include "stats/stddevdlg.h"

CCalculators::CCalculators(QWidget* formParent, QObject* parent)
    : QObject(parent)
    , m_pFormParent(formParent)
{ }

void CCalculators::attach(CCalcForm* form)
{
    connect(form, &CCalcForm::reportReady, this, &CCalculators::reportReady);
    connect(form, &CCalcForm::calculated, this, [this, form] {
        AppSettings().setValue(memoryKey(form->kind()), QString::fromStdString(form->inputsJson()));
        Q_EMIT calculated(form);
    });
}

QString CCalculators::memoryKey(CalcKind kind)
{
    return QStringLiteral("Forms/") + QString::fromStdString(CalcKindName(kind));
}

template <typename MixForm> void CCalculators::attachMix(MixForm* form)
{
    attach(static_cast<CCalcForm*>(form));
    connect(form, &MixForm::designed, this, &CCalculators::setLastDesign);
    connect(form, &MixForm::adjustRequested, this, [this, form](const AdjustInputs& design) {
        m_lastDesign = design;
        openAdjust(form, design);
    });
}

void CCalculators::attach(CMixDesignDlg* form)
{
    attachMix(form);
}

void CCalculators::attach(CMixDesign2Dlg* form)
{
    attachMix(form);
}

void CCalculators::attach(COrdinaryDlg* form)
{
    attachMix(form);
}

template <typename Form> void CCalculators::run(Form& form, bool recall)
{
    attach(&form);
    form.setRecords(m_pRecords);
    form.keepOpening();
    if (recall) {
        const QString kept = AppSettings().value(memoryKey(form.kind())).toString();
        if (!kept.isEmpty())
            form.loadJson(kept.toStdString());
    }
    form.exec();
}

void CCalculators::openAdjust(QWidget* over, const AdjustInputs& design, bool recall)
{
    CAdjustDlg dlg(over, design);
    run(dlg, recall);
}

void CCalculators::OnCalcMix()
{
    CMixDesignDlg dlg(m_pFormParent);
    run(dlg);
}

void CCalculators::OnCalcStdDev()
{
    CStdDevDlg dlg(m_pFormParent);
    run(dlg);
}

void CCalculators::OnCalcMix2()
{
    CMixDesign2Dlg dlg(m_pFormParent);
    run(dlg);
}

void CCalculators::OnCalcOrdinary()
{
    COrdinaryDlg dlg(m_pFormParent);
    run(dlg);
}

void CCalculators::OnCalcEvaluate()
{
    CEvaluateDlg dlg(m_pFormParent);
    run(dlg);
}

void CCalculators::OnCalcAdjust()
{
    if (m_lastDesign) {
        openAdjust(m_pFormParent, *m_lastDesign);
        return;
    }
    // Without a design of this run, the last trial batch; without one either,
    // the powders and the admixture at 0, as they are most often absent, so
    // cement, sand, stone and water are enough to start.
    AdjustInputs empty;
    for (int m : { kAdjustPowder1, kAdjustPowder2, kAdjustAdmixture })
        empty.masses[static_cast<size_t>(m)] = "0";
    openAdjust(m_pFormParent, empty, true);
}
