#pragma once

#include "documents/documentdata.h"

#include <QString>

#include <memory>

class QPrinter;
class QTextDocument;
class QWidget;

// The 配合比通知单 and 配合比设计报告 of a ledger entry, on paper, as PDF and
// as an OpenDocument text for a word processor.

// A table document of the data: what the .odt holds, and what the report
// prints (the notice prints its own one-page layout).
std::unique_ptr<QTextDocument> BuildDocument(DocumentKind kind, const DocumentData& data);

// Sets the printer up for the document: A4, the title as job name and PDF title.
void PreparePrinter(QPrinter* printer, DocumentKind kind, const DocumentData& data);
// Prints on a printer set up by PreparePrinter; false when the job cannot start.
bool PrintDocument(QPrinter* printer, DocumentKind kind, const DocumentData& data);

// False with the message (naming the file) when it cannot be written.
bool WriteDocumentPdf(
    DocumentKind kind, const DocumentData& data, const QString& path, QString* error);
bool WriteDocumentOdt(
    DocumentKind kind, const DocumentData& data, const QString& path, QString* error);

// The print preview of the document, `pages` (1 or 2, as the settings keep
// for the report) at a time; its print button prints on `printer`.
void PreviewDocument(
    QPrinter* printer, DocumentKind kind, const DocumentData& data, int pages, QWidget* parent);
