#pragma once

#include "materials/materialfill.h"
#include "records/ledger.h"

#include <QObject>
#include <QPalette>

#include <cstdint>
#include <map>
#include <optional>
#include <vector>

class CFormDialog;
class RecordStore;

// The batches chosen on one form and the boxes they filled. A filled box
// stays editable; while its value differs from its batch's it is tinted and
// its tooltip names the batch, and it looks as before once it matches again.
class CMaterialLinks : public QObject
{
    Q_OBJECT

public:
    CMaterialLinks(CFormDialog* form, MaterialTable table);

    const MaterialTable& table() const { return m_table; }

    // Fills the role's boxes from the batch; none forgets the role's batch
    // and leaves its boxes as they are.
    void choose(MaterialRole role, const std::optional<BatchChoice>& choice);
    // Several roles at once, as the picker's 确定 does.
    void choose(const std::map<MaterialRole, std::optional<BatchChoice>>& choices);
    std::optional<std::int64_t> chosen(MaterialRole role) const;
    // Every box the role's batch filled still holds its value.
    bool matches(MaterialRole role) const;
    bool isMarked(int id) const;
    // The chosen batches whose boxes still match: a role with an edited box
    // no longer says which batch the design used.
    std::vector<UsedBatch> usedBatches() const;

    // The picker over the form; the store must be open.
    void pick(RecordStore& store);

private:
    struct Filled
    {
        MaterialRole role = MaterialRole::Cement;
        int id = 0;
        QString text; // as written or chosen
        bool marked = false;
        QPalette palette; // the box's own, while marked
        QString toolTip;
    };
    struct Chosen
    {
        BatchChoice choice;
        std::vector<Filled> boxes;
    };
    void write(QWidget* box, const QString& text);
    bool holds(const Filled& f) const;
    void check(int id);
    void mark(Filled& f, const BatchChoice& choice, bool on);

    CFormDialog* m_pForm;
    MaterialTable m_table;
    std::map<MaterialRole, Chosen> m_chosen;
};

// A batch as a picker and the library list it: 名称 · 批号 · 进场日期.
QString BatchCaption(const BatchChoice& choice);
