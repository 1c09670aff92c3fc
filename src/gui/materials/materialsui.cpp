#include "materials/materialsui.h"

#include <QFont>
#include <QWidget>

void SetDialogFont(QWidget* widget)
{
    QFont font(QStringLiteral("宋体"));
    font.setPointSize(12);
    widget->setFont(font);
}

std::vector<MaterialValueField> MaterialValueFields(MaterialKind kind)
{
    switch (kind) {
    case MaterialKind::Cement:
        return { { "density", &MaterialValues::density, QStringLiteral("密度(g/cm³)") },
            { "strength28", &MaterialValues::strength28, QStringLiteral("28 d 实测强度(MPa)") } };
    case MaterialKind::Mineral:
        return { { "density", &MaterialValues::density, QStringLiteral("密度(g/cm³)") } };
    case MaterialKind::FineAggregate:
        return { { "fineness", &MaterialValues::fineness, QStringLiteral("细度模数") },
            { "density", &MaterialValues::density, QStringLiteral("表观密度(kg/m³)") } };
    case MaterialKind::CoarseAggregate:
        return { { "maxSize", &MaterialValues::maxSize, QStringLiteral("最大公称粒径(mm)") },
            { "density", &MaterialValues::density, QStringLiteral("表观密度(kg/m³)") } };
    case MaterialKind::Admixture:
        return { { "solids", &MaterialValues::solids, QStringLiteral("固含量(%)") },
            { "waterReduction", &MaterialValues::waterReduction, QStringLiteral("减水率(%)") },
            { "dosage", &MaterialValues::dosage, QStringLiteral("推荐掺量(%)") } };
    case MaterialKind::Water:
        break;
    }
    return {};
}

QString VarietyLabel(MaterialKind kind)
{
    switch (kind) {
    case MaterialKind::Cement:
        return QStringLiteral("品种");
    case MaterialKind::Water:
        return {};
    default:
        return QStringLiteral("种类");
    }
}

bool IsAggregateKind(MaterialKind kind)
{
    return kind == MaterialKind::FineAggregate || kind == MaterialKind::CoarseAggregate;
}
