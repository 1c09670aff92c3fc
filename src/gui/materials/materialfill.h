#pragma once

#include "records/materials.h"

#include <QString>

#include <functional>
#include <map>
#include <string>
#include <vector>

// A box or list of a form that a material's role determines, and what it
// takes from the chosen batch: the text to write (a box) or the entry to
// choose (a list). "" leaves it as it is, as for a value the batch lacks.
struct MaterialFill
{
    using Value = std::function<QString(const BatchChoice&)>;
    MaterialRole role;
    int id;
    Value value;
};

// What a form offers in its picker: the roles in row order, the boxes each
// fills, and the one variety a role takes where the form's column is fixed
// (method 1's 粉体一 is fly ash).
struct MaterialTable
{
    std::vector<MaterialRole> roles;
    std::vector<MaterialFill> fills;
    std::map<MaterialRole, std::string> varieties;
};

// The pieces of a batch the tables take.
namespace MaterialValue {
// A measured value (the batch's, else the material's), its decimal point
// moved `shift` places: +3 turns g/cm³ into kg/m³, -3 back.
MaterialFill::Value Field(std::string MaterialValues::*member, int shift = 0);
MaterialFill::Value Variety(); // 品种 / 种类 as the library names it
// The variety under another name, "" where the map has none.
MaterialFill::Value Variety(std::map<std::string, std::string> names);
MaterialFill::Value Grade(); // 强度等级
MaterialFill::Value Moisture(); // 含水率 %
// 28 d strength over the grade (γc), to two decimals.
MaterialFill::Value StrengthRatio();
} // namespace MaterialValue

// A decimal text with its point moved `shift` places, written plainly
// ("3.10", +3 → "3100"; "2650", -3 → "2.65"); "" for no number.
QString ShiftDecimal(const QString& text, int shift);
