#pragma once

#include "records/materials.h"
#include "records/serveradmin.h"

#include <QWidget>

#include <cstdint>
#include <optional>

class QLabel;
class QLineEdit;
class QPushButton;
class QTabBar;
class QTableWidget;
class RecordStore;

// 原材料库: the materials of one kind at a time (a tab each), found by name
// as one types, and below the chosen material its batches. A window of its
// own beside the report; it reads the store again whenever it is shown or
// told the records changed.
class CMaterialsWindow : public QWidget
{
    Q_OBJECT

public:
    CMaterialsWindow(RecordStore& store, QWidget* parent = nullptr);

    // Hides what the role may not do: purging for all but 管理员 and the
    // owner, every change for a login without a role.
    void setRole(UserRole role);

    MaterialKind kind() const;
    void setKind(MaterialKind kind);
    // 回收站: the materials and batches deleted, to 还原 or 彻底删除.
    void showBin(bool bin);
    bool showingBin() const { return m_bBin; }

    QLineEdit* searchBox() const { return m_pSearch; }
    QTableWidget* materialTable() const { return m_pMaterials; }
    QTableWidget* batchTable() const { return m_pBatches; }
    QPushButton* actionButton(const QString& name) const; // by object name
    // The material and batch selected, when there is one.
    std::optional<std::int64_t> selectedMaterial() const;
    std::optional<std::int64_t> selectedBatch() const;
    void selectMaterial(std::int64_t id);
    void selectBatch(std::int64_t id);

public Q_SLOTS:
    // Reads the store again, keeping the selection where it can.
    void reload();

    void OnNewMaterial();
    void OnEditMaterial();
    void OnCopyMaterial();
    void OnDeleteMaterial();
    void OnRestoreMaterial();
    void OnPurgeMaterial();
    void OnNewBatch();
    void OnEditBatch();
    void OnCopyBatch();
    void OnToggleBatch();
    void OnDeleteBatch();
    void OnRestoreBatch();
    void OnPurgeBatch();

protected:
    void showEvent(QShowEvent* event) override;

private:
    // The role of the store's login, read when the window opens.
    void takeStoreRole();
    void loadMaterials();
    void loadBatches();
    void updateButtons();
    // A store failure shown; true when there was none.
    bool report(const StoreError& error);
    std::optional<Material> currentMaterial();
    QPushButton* addButton(
        QLayout* row, const QString& name, const QString& text, void (CMaterialsWindow::*slot)());

    RecordStore& m_store;
    MaterialLibrary m_library;
    QTabBar* m_pKinds;
    QLineEdit* m_pSearch;
    QPushButton* m_pBinButton;
    QTableWidget* m_pMaterials;
    QTableWidget* m_pBatches;
    QLabel* m_pBatchTitle;
    QLabel* m_pStatus;
    bool m_bBin = false;
    UserRole m_role = UserRole::Owner;
    bool m_bLoading = false;
};
