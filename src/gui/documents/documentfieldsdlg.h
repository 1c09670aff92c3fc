#pragma once

#include "records/documentfields.h"

#include <QDialog>

#include <cstdint>
#include <map>

class QLineEdit;
class RecordStore;

// The small form of a document's fields the ledger does not hold
// (通知单编号, 委托单位, 浇筑方式, 抗渗等级 …), filled before printing.
class CDocumentFieldsDlg : public QDialog
{
    Q_OBJECT

public:
    CDocumentFieldsDlg(const DocumentFieldMap& fields, QWidget* parent = nullptr);

    DocumentFieldMap fields() const;
    QLineEdit* edit(const char* name) const;

private:
    std::map<std::string, QLineEdit*> m_edits;
};

// Shows the form for the entry and keeps what was typed with it. A refused
// save is told and the form shown again with what was typed; false when
// cancelled, or when the fields could not be read (the user has been told).
bool EditDocumentFields(QWidget* parent, RecordStore& store, std::int64_t entryId);
