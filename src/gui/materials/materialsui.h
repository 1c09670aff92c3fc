#pragma once

#include "records/materials.h"

#include <QString>

#include <vector>

class QWidget;

// The dialog font of the forms (宋体 and its substitutes), for the library's
// windows.
void SetDialogFont(QWidget* widget);

// The values a kind keeps, in the order its boxes and columns show them:
// the key the store names a refused box by, and the label with its unit.
struct MaterialValueField
{
    const char* key;
    std::string MaterialValues::*member;
    QString label;
};
std::vector<MaterialValueField> MaterialValueFields(MaterialKind kind);

// "品种" for cement, "种类" for the others that have one.
QString VarietyLabel(MaterialKind kind);
bool IsAggregateKind(MaterialKind kind);
