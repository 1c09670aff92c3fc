#pragma once

#include "common/calckind.h"
#include "common/formdialog.h"
#include "common/message.h"
#include "records/inputsjson.h"
#include "records/ledger.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

class CMaterialLinks;
class RecordStore;
struct MaterialTable;

// Every calculator form: built from its template table over a parent widget,
// it reads its boxes by the number-box rule, runs its core calculation on a
// press, shows the outcome's messages in order and hands a completed
// calculation on through its signals. Where the report goes is not its
// business: the switchboard connects it.
class CCalcForm : public CFormDialog
{
    Q_OBJECT

public:
    CCalcForm(CalcKind kind, const DialogSpec& dialog, QWidget* parent);

    CalcKind kind() const { return m_kind; }

    // Each message in turn, the calculator's as notices, the input rule's as
    // the framework's.
    void showMessages(const Messages& messages);

    // The inputs as the JSON a record keeps, and the form filled from such
    // JSON (false, the form untouched, when it is none).
    virtual std::string inputsJson() const = 0;
    virtual bool loadJson(const std::string& json) = 0;
    // Takes the inputs the form holds now as those 恢复默认 puts back.
    virtual void keepOpening() = 0;
    // Puts back the inputs the form opened with (恢复默认).
    virtual void restoreDefaults() = 0;

    // The records the 材料(M)… button picks from; none, or a store that is
    // not open, and the button says so.
    void setRecords(RecordStore* store) { m_pRecords = store; }
    // The batches chosen with 材料(M)… whose boxes still hold their values;
    // empty on a form without the button.
    std::vector<UsedBatch> usedBatches() const;
    // The chosen batches and the boxes they filled; null without the button.
    CMaterialLinks* materials() const { return m_pMaterials; }

Q_SIGNALS:
    // A report for the document: UTF-8, "\r\n" line ends, beginning with its
    // own line break.
    void reportReady(const std::string& report);
    // A press went through; its report, if it writes one, has just been
    // handed on. The form's inputs() are those the press worked on.
    void calculated(CalcKind kind);

protected:
    // A box read as exact decimals, rounded half up to `decimals`; a box
    // without a number is refused as UpdateData refuses it.
    std::optional<std::int64_t> readUnits(int id, int decimals);
    // Hands a completed calculation on: its report (none for an empty one),
    // then the news that it went through.
    void handOn(const std::string& report);
    // Gives the 材料(M)… button (IDC_MATERIALS) its picker: the roles it
    // offers and the boxes each fills.
    void linkMaterials(MaterialTable table);

private:
    void OnMaterials();

    CalcKind m_kind;
    RecordStore* m_pRecords = nullptr;
    CMaterialLinks* m_pMaterials = nullptr;
};

// A calculator form with its core inputs struct: what it would calculate on
// now, and filling the form from such a struct (reopening a recorded
// calculation, restoring defaults).
template <typename Inputs> class CCalcFormOf : public CCalcForm
{
public:
    using InputsType = Inputs;
    using CCalcForm::CCalcForm;

    virtual Inputs inputs() const = 0;
    virtual void load(const Inputs& in) = 0;

    std::string inputsJson() const override { return toJson(inputs()); }
    bool loadJson(const std::string& json) override
    {
        const std::optional<Inputs> in = fromJson<Inputs>(json);
        if (in)
            load(*in);
        return in.has_value();
    }
    void keepOpening() override { m_opening = inputs(); }
    void restoreDefaults() override { load(m_opening.value_or(Inputs {})); }

private:
    std::optional<Inputs> m_opening;
};
