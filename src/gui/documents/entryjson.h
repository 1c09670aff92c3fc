#pragma once

#include "records/ledger.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <vector>

class RecordStore;

// An entry as JSON: the object qoru-calc --json prints for its kind
// ("stopped", "messages", "report", and "results" — or, for stddev and
// evaluate, their own fields at the top), with what the ledger adds: "kind",
// "inputs" and "entry" (number, time, operator, grade, waterBinder, verdict,
// project, part, note).
QByteArray EntryJson(const Entry& entry);

// Reads a file written by EntryJson or by qoru-calc … --json (its kind told
// from its fields). Every field is checked; false with a message naming the
// file and the field.
bool ParseEntryJson(const QByteArray& bytes, const QString& fileName, const std::string& user,
    NewEntry* entry, QString* error);

// Imports the files as new entries, all of them or, when any file or field
// is refused, none; gives the numbers of the new entries.
bool ImportEntryJsonFiles(RecordStore& store, const QStringList& paths, const std::string& user,
    QStringList* numbers, QString* error);

bool WriteEntryJson(const Entry& entry, const QString& path, QString* error);
