#pragma once

#include "adjust/adjustcalc.h"
#include "common/calckind.h"

#include <QObject>

#include <cstdint>
#include <optional>
#include <string>

class CCalcForm;
class CMixDesignDlg;
class CMixDesign2Dlg;
class COrdinaryDlg;
class QWidget;
class RecordStore;

// The calculator switchboard: the commands that open the forms, what the
// forms hand on, and the state of the run they share (the last design).
// It knows the forms; the view knows none of them and only takes the reports
// this passes on.
class CCalculators : public QObject
{
    Q_OBJECT

public:
    // The forms open over `formParent` (the report view).
    explicit CCalculators(QWidget* formParent, QObject* parent = nullptr);

    // The last design a mix form calculated in this run, which the
    // trial-batch command opens with.
    const std::optional<AdjustInputs>& lastDesign() const { return m_lastDesign; }
    void setLastDesign(const AdjustInputs& design) { m_lastDesign = design; }

    // Connects a form as the commands connect theirs: its reports and
    // calculations are passed on, a mix form's design is kept and its 调整
    // opens the trial-batch form over it.
    void attach(CCalcForm* form);
    void attach(CMixDesignDlg* form);
    void attach(CMixDesign2Dlg* form);
    void attach(COrdinaryDlg* form);

    // Passes a report recorded earlier on to the document, as a form's
    // would go; replaying() is true meanwhile, so that it is not taken for
    // the report of the calculation about to be recorded.
    void appendRecorded(const std::string& report);
    bool replaying() const { return m_replaying; }

    // Settings key under which a kind's form keeps the inputs of its last
    // calculation, so that it opens with them, also in the next run.
    static QString memoryKey(CalcKind kind);

    // The records every form's 材料(M)… picks from.
    void setRecords(RecordStore* store) { m_pRecords = store; }

Q_SIGNALS:
    // Every form's report, for the document.
    void reportReady(const std::string& report);
    // Every completed calculation, by the form it came from: its kind() and
    // inputs() tell what was calculated.
    void calculated(CCalcForm* form);
    // The entry the next record of a form opened from the ledger belongs
    // under (a trial batch of a design), or none once that form has closed.
    void nextParent(std::optional<std::int64_t> entryId);

public Q_SLOTS:
    void OnCalcMix();
    void OnCalcStdDev();
    void OnCalcMix2();
    void OnCalcOrdinary();
    void OnCalcEvaluate();
    void OnCalcAdjust();
    // Opens `kind`'s form loaded with recorded inputs (not the remembered
    // ones); every press in it is recorded under `parent` when given.
    // False, with nothing opened, when the JSON is not that kind's inputs.
    bool openEntry(CalcKind kind, const std::string& inputsJson,
        std::optional<std::int64_t> parent = std::nullopt);

private:
    template <typename MixForm> void attachMix(MixForm* form);
    // The trial-batch form for `design`, modal over `over`.
    // `recall`: open with the last calculation's inputs rather than `design`.
    void openAdjust(QWidget* over, const AdjustInputs& design, bool recall = false);
    // Runs a form modally; it is destroyed when it closes. With `recall` it
    // opens with the inputs of its kind's last calculation; 恢复默认 puts
    // back what it opened with before that, unless the caller kept the
    // opening values itself (`keepOpening` false).
    template <typename Form> void run(Form& form, bool recall = true, bool keepOpening = true);
    template <typename Form>
    bool runEntry(Form& form, const std::string& inputsJson, std::optional<std::int64_t> parent);

    QWidget* m_pFormParent;
    std::optional<AdjustInputs> m_lastDesign;
    bool m_replaying = false;
    RecordStore* m_pRecords = nullptr;
};
