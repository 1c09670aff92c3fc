#pragma once

#include "records/documentfields.h"
#include "records/ledger.h"

#include <QString>
#include <QStringList>

#include <cstdint>
#include <vector>

class RecordStore;

// The laboratory's name on every document: 设置 → 试验室名称.
inline const char* const kLabNameSettingKey = "Settings/LabName";
QString LabName();
void SetLabName(const QString& name);

// The document fields the ledger does not hold, by the names kept in the store.
inline const char* const kFieldNoticeNumber = "通知单编号";
inline const char* const kFieldClient = "委托单位";
inline const char* const kFieldPlacing = "浇筑方式";
inline const char* const kFieldImpermeability = "抗渗等级";
inline const char* const kFieldSlump = "坍落度/扩展度";
inline const char* const kFieldSandRatio = "砂率";
inline const char* const kFieldDate = "日期";
// In the order the small form asks for them.
const std::vector<const char*>& DocumentFieldNames();

// Printed where the entry has no value.
inline const char* const kMissing = "—";

enum class DocumentKind
{
    Notice, // 配合比通知单
    Report // 配合比设计报告
};
QString DocumentTitle(DocumentKind kind);

struct DocumentMaterial
{
    QString role; // 水泥, 粉体一 … 水
    QString specText; // 品种规格
    QString origin; // 产地
    QString batchNo; // 批号
    QString reportNo; // 检验报告编号
    QStringList values; // the batch's test values, "密度 3.10 g/cm³" …
    QString mass; // 用量 kg/m³
    QString ratio; // to the binder
    QString moisture; // 含水率 %, site mix
    QString siteMass; // corrected mass, site mix
};

// Everything a document of one entry prints, "—" where the entry has nothing.
struct DocumentData
{
    QString labName;
    bool draft = true;
    bool siteMix = false;
    QString kindName; // 类型
    QString noticeNumber, designNumber, client, project, part, placing;
    QString grade, impermeability, slump, waterBinder, sandRatio, verdict;
    QString note, date, operatorName, time;
    std::vector<DocumentMaterial> materials;
    QString ratioText; // 胶凝材料：细骨料：粗骨料：水 …
    QStringList requirements; // "强度等级 C30" …
    QStringList trials; // the trial batches and corrections recorded under the entry
    QString report; // 计算书
};

// Reads what the documents need from the entry's recorded figures, which
// are the "results" qoru-calc prints for its kind (a design's cementMass,
// flyAshMass or powder1Mass, slagMass or powder2Mass, sandMass, coarseMass,
// waterMass, admixtureMass; a trial batch's "lab" and "site" masses), its
// inputs (sandMoisture, coarseMoisture of a site mix), the batches'
// snapshots and the document fields.
DocumentData MakeDocumentData(const Entry& entry, const DocumentFieldMap& fields,
    const QString& labName, const std::vector<Entry>& children = {});

// The same, loaded from the store; false with the message when it cannot be.
bool LoadDocumentData(RecordStore& store, std::int64_t entryId, const QString& labName,
    DocumentData* data, QString* error);

// A ledger kind as the user reads it: 方法一配合比 …
QString EntryKindName(const std::string& kind);
