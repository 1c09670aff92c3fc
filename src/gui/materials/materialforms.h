#pragma once

#include "records/materials.h"

#include <QDialog>
#include <QHash>

#include <cstdint>

class QComboBox;
class QFormLayout;
class QLineEdit;

// The small forms of a material and of a batch. 确定 checks the number boxes
// by the number-box rule, then writes through the library; a refusal is
// shown, its box gets the focus, nothing is written and the form stays open.
class CRecordForm : public QDialog
{
    Q_OBJECT

public:
    // The box the store names a value by ("name", "density", "arrivalDate" …).
    QWidget* box(const QString& key) const { return m_boxes.value(key); }
    std::int64_t savedId() const { return m_savedId; }

    void accept() override;

protected:
    CRecordForm(MaterialLibrary& library, QWidget* parent);
    QLineEdit* addText(const QString& key, const QString& label, const std::string& text);
    QLineEdit* addNumber(const QString& key, const QString& label, const std::string& text);
    QComboBox* addChoice(const QString& key, const QString& label,
        const std::vector<std::string>& items, const std::string& text, bool editable = false);
    QString text(const QString& key) const; // "" for a box the form lacks
    void addButtons();
    // Writes the form; the id written, or the store's refusal.
    virtual Result<std::int64_t> save() = 0;

    MaterialLibrary& m_library;
    QFormLayout* m_pLayout;

private:
    QHash<QString, QWidget*> m_boxes;
    QList<QLineEdit*> m_numbers;
    std::int64_t m_savedId = 0;
};

class CMaterialDlg : public CRecordForm
{
    Q_OBJECT

public:
    // A material of `kind` to add (id 0) or one to edit.
    CMaterialDlg(MaterialLibrary& library, const Material& material, QWidget* parent);
    Material material() const;

protected:
    Result<std::int64_t> save() override;

private:
    Material m_material;
};

class CBatchDlg : public CRecordForm
{
    Q_OBJECT

public:
    // A batch of `material` to add (id 0) or one to edit.
    CBatchDlg(
        MaterialLibrary& library, const Material& material, const Batch& batch, QWidget* parent);
    Batch batch() const;

protected:
    Result<std::int64_t> save() override;

private:
    Material m_material;
    Batch m_batch;
};
