#pragma once

#include "materials/materialfill.h"

#include <QDialog>

#include <cstdint>
#include <map>
#include <optional>

class QComboBox;
class RecordStore;

// 选择材料: one list a role, of the batches in use of its kind (newest
// arrival first) and "（不选）". Reading the library failed: the lists hold
// only "（不选）" and the dialog says why.
class CMaterialPickerDlg : public QDialog
{
    Q_OBJECT

public:
    CMaterialPickerDlg(RecordStore& store, const MaterialTable& table,
        const std::map<MaterialRole, std::int64_t>& current, QWidget* parent);

    // The list of a role (object name "role<n>", n its place in the roles).
    QComboBox* list(MaterialRole role) const;
    std::optional<BatchChoice> choice(MaterialRole role) const;

private:
    std::map<MaterialRole, QComboBox*> m_lists;
    std::map<std::int64_t, BatchChoice> m_batches;
};
