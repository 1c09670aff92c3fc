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

void CCalculators::appendRecorded(const std::string& report)
{
    m_replaying = true;
    Q_EMIT reportReady(report);
    m_replaying = false;
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

template <typename Form> void CCalculators::run(Form& form, bool recall, bool keepOpening)
{
    attach(&form);
    form.setRecords(m_pRecords);
    if (keepOpening)
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

template <typename Form>
bool CCalculators::runEntry(
    Form& form, const std::string& inputsJson, std::optional<std::int64_t> parent)
{
    // 恢复默认 puts back the form's own opening values, not the entry's.
    form.keepOpening();
    if (!form.loadJson(inputsJson))
        return false;
    if (parent) {
        // Connected before attach(), so the parent is set before the
        // calculation is passed on to be recorded.
        connect(&form, &CCalcForm::calculated, this, [this, parent] { Q_EMIT nextParent(parent); });
    }
    run(form, false, false);
    if (parent)
        Q_EMIT nextParent(std::nullopt);
    return true;
}

bool CCalculators::openEntry(
    CalcKind kind, const std::string& inputsJson, std::optional<std::int64_t> parent)
{
    switch (kind) {
    case CalcKind::Mix1: {
        CMixDesignDlg dlg(m_pFormParent);
        return runEntry(dlg, inputsJson, parent);
    }
    case CalcKind::Mix2: {
        CMixDesign2Dlg dlg(m_pFormParent);
        return runEntry(dlg, inputsJson, parent);
    }
    case CalcKind::Ordinary: {
        COrdinaryDlg dlg(m_pFormParent);
        return runEntry(dlg, inputsJson, parent);
    }
    case CalcKind::StdDev: {
        CStdDevDlg dlg(m_pFormParent);
        return runEntry(dlg, inputsJson, parent);
    }
    case CalcKind::Evaluate: {
        CEvaluateDlg dlg(m_pFormParent);
        return runEntry(dlg, inputsJson, parent);
    }
    case CalcKind::Adjust: {
        CAdjustDlg dlg(m_pFormParent);
        return runEntry(dlg, inputsJson, parent);
    }
    }
    return false;
}
