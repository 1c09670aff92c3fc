#pragma once

#include "records/ledger.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <vector>

class RecordStore;

// The ledger as a table for a workbook or a CSV file: one row an entry, one
// column a field.
struct ExportCell
{
    enum Type
    {
        Text,
        Number, // `text` is the number as the report printed it
        DateTime // `text` is 'yyyy-MM-dd HH:mm:ss'
    };
    QString text;
    Type type = Text;
    int decimals = 0; // of a Number
};

struct ExportTable
{
    QStringList header;
    std::vector<std::vector<ExportCell>> rows;
};

ExportTable LedgerTable(const std::vector<Entry>& entries);

// The entries that pass the filter, newest first; false with the message.
bool LoadLedgerEntries(
    RecordStore& store, const LedgerFilter& filter, std::vector<Entry>* entries, QString* error);

enum class CsvEncoding
{
    Utf8Bom, // what Excel on a Chinese Windows opens without 乱码
    Gbk
};

// RFC 4180: CRLF between records, a field quoted when it holds a comma, a
// quote or a line break, its quotes doubled.
QByteArray LedgerCsv(const ExportTable& table, CsvEncoding encoding);

// False with the message (naming the file) when it cannot be written; a
// failed write leaves no half file behind.
bool WriteLedgerCsv(
    const ExportTable& table, const QString& path, CsvEncoding encoding, QString* error);
bool WriteLedgerXlsx(const ExportTable& table, const QString& path, QString* error);
