#pragma once

#include "records/result.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

class RecordStore;

// 原材料库: materials by kind, each with its delivery batches (批次).

enum class MaterialKind
{
    Cement,
    Mineral,
    FineAggregate,
    CoarseAggregate,
    Admixture,
    Water
};
inline constexpr MaterialKind kMaterialKinds[]
    = { MaterialKind::Cement, MaterialKind::Mineral, MaterialKind::FineAggregate,
          MaterialKind::CoarseAggregate, MaterialKind::Admixture, MaterialKind::Water };

// 水泥, 矿物掺合料, 细骨料, 粗骨料, 外加剂, 水.
std::string MaterialKindName(MaterialKind kind);
// The 品种/种类 a kind allows (P·I … for cement, 粉煤灰 … for mineral
// admixtures …); empty when any text goes (外加剂, 水).
const std::vector<std::string>& MaterialVarieties(MaterialKind kind);
// 32.5, 42.5, 52.5, 62.5.
const std::vector<std::string>& CementGrades();

// What a mix form takes a material for. 粉体一 and 粉体二 are mineral admixtures.
enum class MaterialRole
{
    Cement,
    Powder1,
    Powder2,
    Fine,
    Coarse,
    Admixture
};
inline constexpr MaterialRole kMaterialRoles[] = { MaterialRole::Cement, MaterialRole::Powder1,
    MaterialRole::Powder2, MaterialRole::Fine, MaterialRole::Coarse, MaterialRole::Admixture };
// 水泥, 粉体一, 粉体二, 细骨料, 粗骨料, 外加剂.
std::string MaterialRoleName(MaterialRole role);
MaterialKind RoleKind(MaterialRole role);

// Measured values as exact decimal text, with the digits typed ("3.10"
// stays "3.10"); "" when not given. A kind keeps only its own values:
//   水泥      density (密度 g/cm³), strength28 (28 d 实测强度 MPa)
//   矿物掺合料 density (密度 g/cm³)
//   细骨料    density (表观密度 kg/m³), fineness (细度模数)
//   粗骨料    density (表观密度 kg/m³), maxSize (最大公称粒径 mm)
//   外加剂    solids (固含量 %), waterReduction (减水率 %), dosage (推荐掺量 %)
struct MaterialValues
{
    std::string density;
    std::string strength28;
    std::string fineness;
    std::string maxSize;
    std::string solids;
    std::string waterReduction;
    std::string dosage;
};

// A batch's measured value where it has one, else the material's.
MaterialValues EffectiveValues(const MaterialValues& material, const MaterialValues& batch);

struct Material
{
    std::int64_t id = 0;
    MaterialKind kind = MaterialKind::Cement;
    std::string name; // unique within its kind
    std::string maker; // 生产厂家/产地
    std::string specText; // 规格
    std::string note;
    std::string variety; // 品种 / 种类
    std::string grade; // 强度等级 (水泥), 等级 (矿物掺合料)
    std::string sizeRange; // 公称粒径 (粗骨料), e.g. "5–20"
    MaterialValues values;
    std::string deletedAt; // when it went to 回收站; "" while in use
};

struct Batch
{
    std::int64_t id = 0;
    std::int64_t materialId = 0;
    std::string batchNo; // 批号, unique within its material
    std::string arrivalDate; // 进场日期 yyyy-MM-dd, "" when not given
    std::string reportNo; // 检验报告编号
    std::string testDate; // 检验日期 yyyy-MM-dd
    MaterialValues measured; // override the material's values
    std::string moisture; // 含水率 %, aggregates only
    bool active = true; // 在用 / 停用
    std::string deletedAt;
};

// A batch as the picker and the ledger show it.
struct BatchChoice
{
    Material material;
    Batch batch;
    MaterialValues effective;
};

enum class Shelf
{
    InUse,
    Bin
};

// Every change is one transaction. A refused value writes nothing and its
// error names the box (StoreError::field: "name", "density", "arrivalDate" …).
class MaterialLibrary
{
public:
    explicit MaterialLibrary(RecordStore& store)
        : m_store(store)
    { }

    Result<std::int64_t> addMaterial(const Material& material);
    Result<void> updateMaterial(const Material& material); // by id; not in 回收站
    // A new material with the same values named "<name>（副本）", without batches.
    Result<std::int64_t> copyMaterial(std::int64_t id);
    // To 回收站, with its batches; refused while a saved design uses one of them.
    Result<void> deleteMaterial(std::int64_t id);
    Result<void> restoreMaterial(std::int64_t id);
    Result<void> purgeMaterial(std::int64_t id); // for good, from 回收站 only

    Result<Material> material(std::int64_t id);
    // By kind, by name.
    Result<std::vector<Material>> materials(MaterialKind kind, Shelf shelf = Shelf::InUse);
    // Names containing `text` (any case), those starting with it first; all
    // kinds when none is given. Not those in 回收站.
    Result<std::vector<Material>> searchMaterials(
        const std::string& text, std::optional<MaterialKind> kind = std::nullopt);

    Result<std::int64_t> addBatch(const Batch& batch);
    Result<void> updateBatch(const Batch& batch);
    // The same values under 批号 "<batchNo>（副本）", 在用.
    Result<std::int64_t> copyBatch(std::int64_t id);
    Result<void> setBatchActive(std::int64_t id, bool active); // 在用 / 停用
    // To 回收站; refused while a saved design uses it (停用 it instead).
    Result<void> deleteBatch(std::int64_t id);
    Result<void> restoreBatch(std::int64_t id);
    Result<void> purgeBatch(std::int64_t id);

    Result<Batch> batch(std::int64_t id);
    // A material's batches, newest arrival first.
    Result<std::vector<Batch>> batches(std::int64_t materialId, Shelf shelf = Shelf::InUse);
    // Batches in 回收站 whose material is not.
    Result<std::vector<BatchChoice>> binnedBatches();
    // For the picker: the 在用 batches of a kind, newest arrival first.
    Result<std::vector<BatchChoice>> batchesInUse(MaterialKind kind);
    Result<BatchChoice> batchChoice(std::int64_t batchId);

private:
    RecordStore& m_store;
};
