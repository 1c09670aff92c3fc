// The materials library's window and the 材料(M)… picker of the forms, on a
// real store file.
#include "adjust/adjustdlg.h"
#include "app/qoruapp.h"
#include "calc/calculators.h"
#include "common/dialogtemplate.h"
#include "guitestmain.h"
#include "materials/materialforms.h"
#include "materials/materiallinks.h"
#include "materials/materialpicker.h"
#include "materials/materialswindow.h"
#include "mix1/mixdesigndlg.h"
#include "mix2/mixdesign2dlg.h"
#include "ordinary/ordinarydlg.h"
#include "records/ledger.h"
#include "records/materials.h"
#include "records/recordstore.h"
#include "testapp.h"
#include "testprompter.h"
#include "view/qoruview.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

#include <functional>
#include <map>
#include <memory>

// The IDs of the four templates name different boxes by the same numbers;
// the test names them by number.
namespace Box {
// method 1 (template 130)
constexpr int M1CementGrade = 1011, M1RhoC = 1001, M1RhoF = 1018, M1RhoK = 1015, M1RhoS = 1009,
              M1RhoG = 1012, M1Alpha = 1098, M1Calculate = 1013;
// method 2 (template 135)
constexpr int M2CementGrade = 1011, M2Surplus = 1015, M2CementDensity = 1002, M2Powder1Kind = 1049,
              M2Powder1Density = 1080, M2Powder2Kind = 1050, M2Powder2Density = 1013,
              M2SandDensity = 1009, M2AggregateKind = 1018, M2CoarseDensity = 1012;
// ordinary (template 170)
constexpr int OCementType = 1412, OCementGrade = 1413, OFce = 1414, ORhoC = 1430, ORhoF = 1431,
              ORhoK = 1432, ORhoS = 1433, OAggregate = 1420, OMaxSize = 1421, ORhoG = 1434,
              OReducer = 1423, OAdmixture = 1424;
// trial batch (template 160)
constexpr int ASandMoisture = 1279, ACoarseMoisture = 1280;
} // namespace Box

namespace {

using Values = std::map<int, QString>;

MaterialValues V(const char* density, const char* strength28 = "", const char* fineness = "",
    const char* maxSize = "", const char* solids = "", const char* waterReduction = "",
    const char* dosage = "")
{
    return { density, strength28, fineness, maxSize, solids, waterReduction, dosage };
}

// What every box and list of a form shows, by ID.
Values Shown(const CFormDialog& form)
{
    Values shown;
    for (auto* box : form.findChildren<QLineEdit*>()) {
        bool number = false;
        const int id = box->objectName().toInt(&number);
        if (number)
            shown[id] = box->text();
    }
    for (auto* list : form.findChildren<QComboBox*>()) {
        bool number = false;
        const int id = list->objectName().toInt(&number);
        if (number)
            shown[id] = list->currentText();
    }
    return shown;
}

// The library of the tests: one batch of each material.
struct Library
{
    QTemporaryDir dir;
    RecordStore store;
    std::map<std::string, std::int64_t> batches; // by material name
    std::map<std::string, std::int64_t> materials;

    bool open()
    {
        if (!dir.isValid() || !store.open(dir.filePath(QStringLiteral("m.sqlite")).toStdString()))
            return false;
        MaterialLibrary library(store);
        const struct
        {
            MaterialKind kind;
            const char* name;
            const char* variety;
            const char* grade;
            MaterialValues values;
            const char* moisture;
        } rows[] = {
            { MaterialKind::Cement, "冀东 P·II 52.5", "P·II", "52.5", V("3.05", "56.2"), "" },
            { MaterialKind::Cement, "海螺 P·O 42.5", "P·O", "42.5", V("3.12", "48.0"), "" },
            { MaterialKind::CoarseAggregate, "碎石5-25", "碎石", "", V("2710", "", "", "25"),
                "1.0" },
            { MaterialKind::Mineral, "华能Ⅱ级灰", "粉煤灰", "Ⅱ级", V("2.25"), "" },
            { MaterialKind::Mineral, "首钢S95", "矿渣粉", "S95", V("2.88"), "" },
            { MaterialKind::Mineral, "埃肯硅灰", "硅灰", "", V("2.20"), "" },
            { MaterialKind::Mineral, "石灰石粉", "石灰石粉", "", V("2.71"), "" },
            { MaterialKind::FineAggregate, "赣江中砂", "河砂", "", V("2640", "", "2.6"), "3.5" },
            { MaterialKind::CoarseAggregate, "卵石5-20", "卵石", "", V("2720", "", "", "20"),
                "0.8" },
            { MaterialKind::Admixture, "聚羧酸减水剂", "", "", V("", "", "", "", "20", "28", "1.8"),
                "" },
        };
        for (const auto& r : rows) {
            Material m;
            m.kind = r.kind;
            m.name = r.name;
            m.variety = r.variety;
            m.grade = r.grade;
            m.values = r.values;
            auto id = library.addMaterial(m);
            if (!id)
                return false;
            Batch b;
            b.materialId = *id;
            b.batchNo = "B-01";
            b.arrivalDate = "2026-03-01";
            b.moisture = r.moisture;
            auto batch = library.addBatch(b);
            if (!batch)
                return false;
            materials[r.name] = *id;
            batches[r.name] = *batch;
        }
        return true;
    }
};

// Chooses a batch for a role through the form's picker, as a user does;
// false when the picker did not open or did not offer the batch. Batch 0 is （不选）.
bool Pick(CCalcForm& form, MaterialRole role, std::int64_t batch)
{
    bool offered = false;
    QTimer::singleShot(0, [&] {
        auto* picker = qobject_cast<CMaterialPickerDlg*>(QApplication::activeModalWidget());
        if (!picker)
            return;
        QComboBox* list = picker->list(role);
        const int index = !list ? -1
            : batch == 0        ? 0 // （不选）
                                : list->findData(QVariant::fromValue<qlonglong>(batch));
        offered = index >= 0;
        if (offered)
            list->setCurrentIndex(index);
        picker->accept();
    });
    form.button(IDC_MATERIALS)->click();
    return offered;
}

} // namespace

class MaterialsTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { m_prompter = std::make_unique<TestPrompter>(); }
    void cleanup() { m_prompter.reset(); }

    // Each form's picker fills exactly the boxes of the role, in the form's units.
    void pickerFillsTheBoxesOfItsRole_data()
    {
        QTest::addColumn<QString>("form");
        QTest::addColumn<int>("role");
        QTest::addColumn<QString>("material");
        QTest::addColumn<Values>("filled");
        const auto row = [](const char* name, const char* form, MaterialRole role,
                             const char* material, Values filled) {
            QTest::newRow(name) << QString::fromLatin1(form) << static_cast<int>(role)
                                << QString::fromUtf8(material) << filled;
        };
        using R = MaterialRole;
        using namespace Box;
        row("mix1 cement", "mix1", R::Cement, "海螺 P·O 42.5",
            { { M1CementGrade, "42.5" }, { M1RhoC, "3120" } });
        row("mix1 fly ash", "mix1", R::Powder1, "华能Ⅱ级灰", { { M1RhoF, "2250" } });
        row("mix1 slag", "mix1", R::Powder2, "首钢S95", { { M1RhoK, "2880" } });
        row("mix1 sand", "mix1", R::Fine, "赣江中砂", { { M1RhoS, "2640" } });
        row("mix1 stone", "mix1", R::Coarse, "卵石5-20", { { M1RhoG, "2720" } });
        row("mix1 admixture", "mix1", R::Admixture, "聚羧酸减水剂", { { M1Alpha, "1.8" } });
        row("mix2 cement", "mix2", R::Cement, "冀东 P·II 52.5",
            { { M2CementGrade, "52.5" }, { M2Surplus, "1.07" }, { M2CementDensity, "3.05" } });
        row("mix2 silica fume", "mix2", R::Powder1, "埃肯硅灰",
            { { M2Powder1Kind, "硅粉" }, { M2Powder1Density, "2.20" } });
        row("mix2 limestone", "mix2", R::Powder2, "石灰石粉",
            { { M2Powder2Kind, "惰性料" }, { M2Powder2Density, "2.71" } });
        row("mix2 sand", "mix2", R::Fine, "赣江中砂", { { M2SandDensity, "2.64" } });
        row("mix2 stone", "mix2", R::Coarse, "碎石5-25",
            { { M2AggregateKind, "碎石" }, { M2CoarseDensity, "2.71" } });
        row("mix2 admixture", "mix2", R::Admixture, "聚羧酸减水剂", {});
        row("ordinary cement", "ordinary", R::Cement, "冀东 P·II 52.5",
            { { OCementType, "P·I/P·II" }, { OCementGrade, "52.5" }, { OFce, "56.2" },
                { ORhoC, "3.05" } });
        row("ordinary fly ash", "ordinary", R::Powder1, "华能Ⅱ级灰", { { ORhoF, "2.25" } });
        row("ordinary slag", "ordinary", R::Powder2, "首钢S95", { { ORhoK, "2.88" } });
        row("ordinary sand", "ordinary", R::Fine, "赣江中砂", { { ORhoS, "2.64" } });
        row("ordinary stone", "ordinary", R::Coarse, "卵石5-20",
            { { OAggregate, "卵石" }, { OMaxSize, "20" }, { ORhoG, "2.72" } });
        row("ordinary admixture", "ordinary", R::Admixture, "聚羧酸减水剂",
            { { OReducer, "28" }, { OAdmixture, "1.8" } });
        row("adjust sand", "adjust", R::Fine, "赣江中砂", { { ASandMoisture, "3.5" } });
        row("adjust stone", "adjust", R::Coarse, "卵石5-20", { { ACoarseMoisture, "0.8" } });
    }
    void pickerFillsTheBoxesOfItsRole()
    {
        QFETCH(QString, form);
        QFETCH(int, role);
        QFETCH(QString, material);
        QFETCH(Values, filled);
        Library library;
        QVERIFY(library.open());
        QWidget host;
        std::unique_ptr<CCalcForm> f;
        if (form == QLatin1String("mix1"))
            f = std::make_unique<CMixDesignDlg>(&host);
        else if (form == QLatin1String("mix2"))
            f = std::make_unique<CMixDesign2Dlg>(&host);
        else if (form == QLatin1String("ordinary"))
            f = std::make_unique<COrdinaryDlg>(&host);
        else
            f = std::make_unique<CAdjustDlg>(&host);
        f->setRecords(&library.store);
        const Values before = Shown(*f);
        const auto r = static_cast<MaterialRole>(role);
        const std::int64_t batch = library.batches.at(material.toStdString());
        QVERIFY(Pick(*f, r, batch));

        Values changed;
        for (const auto& [id, text] : Shown(*f))
            if (before.at(id) != text)
                changed[id] = text;
        QCOMPARE(changed, filled);
        // What the form records: the role's batch, its boxes unedited.
        const std::vector<UsedBatch> used = f->usedBatches();
        QCOMPARE(used.size(), size_t(1));
        QCOMPARE(used[0].batchId, batch);
        QCOMPARE(static_cast<int>(used[0].role), role);
    }

    // An edited box is tinted and named for its batch, and the design no
    // longer claims the batch; typing the batch's value back undoes both.
    void editedBoxIsMarkedUntilItMatchesAgain()
    {
        Library library;
        QVERIFY(library.open());
        QWidget host;
        CMixDesignDlg form(&host);
        form.setRecords(&library.store);
        QVERIFY(Pick(form, MaterialRole::Cement, library.batches.at("冀东 P·II 52.5")));
        QLineEdit* rhoC = form.edit(Box::M1RhoC);
        const QPalette plain = rhoC->palette();
        QVERIFY(!form.materials()->isMarked(Box::M1RhoC));

        rhoC->setText(QStringLiteral("3000"));
        QVERIFY(form.materials()->isMarked(Box::M1RhoC));
        QVERIFY(rhoC->palette().color(QPalette::Base) != plain.color(QPalette::Base));
        QVERIFY(rhoC->toolTip().contains(QStringLiteral("冀东 P·II 52.5")));
        QVERIFY(form.usedBatches().empty());

        rhoC->setText(QStringLiteral("3050.0")); // the same number, written otherwise
        QVERIFY(!form.materials()->isMarked(Box::M1RhoC));
        QCOMPARE(rhoC->palette().color(QPalette::Base), plain.color(QPalette::Base));
        QVERIFY(rhoC->toolTip().isEmpty());
        QCOMPARE(form.usedBatches().size(), size_t(1));

        // （不选） forgets the batch and leaves the box as it is.
        QVERIFY(Pick(form, MaterialRole::Cement, 0));
        QVERIFY(form.usedBatches().empty());
        QCOMPARE(rhoC->text(), QStringLiteral("3050.0"));
    }

    // Choosing a batch whose list rewrites the form (method 2's aggregate
    // kind) keeps the boxes an earlier batch filled.
    void laterChoiceKeepsEarlierFills()
    {
        Library library;
        QVERIFY(library.open());
        QWidget host;
        CMixDesign2Dlg form(&host);
        form.setRecords(&library.store);
        QVERIFY(Pick(form, MaterialRole::Cement, library.batches.at("冀东 P·II 52.5")));
        QVERIFY(Pick(form, MaterialRole::Coarse, library.batches.at("碎石5-25")));
        QCOMPARE(form.edit(Box::M2CementDensity)->text(), QStringLiteral("3.05"));
        QVERIFY(!form.materials()->isMarked(Box::M2CementDensity));
        QCOMPARE(form.usedBatches().size(), size_t(2));
    }

    // Without an open store the button says so and changes nothing.
    void pickerWithoutStoreSaysSo()
    {
        RecordStore closed;
        QWidget host;
        CMixDesignDlg form(&host);
        form.setRecords(&closed);
        const Values before = Shown(form);
        form.button(IDC_MATERIALS)->click();
        QCOMPARE(m_prompter->notices.size(), 1);
        QVERIFY(m_prompter->notices[0].text.contains(QStringLiteral("原材料库未打开")));
        QCOMPARE(Shown(form), before);
    }

    // The small forms refuse a bad value naming its box, and write nothing.
    void formsRefuseNamingTheBox_data()
    {
        QTest::addColumn<bool>("batch");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("said");
        QTest::newRow("empty name") << false << "name"
                                    << "  "
                                    << "名称";
        QTest::newRow("name used in its kind") << false << "name"
                                               << "冀东 P·II 52.5"
                                               << "已有";
        QTest::newRow("negative density") << false << "density"
                                          << "-3.1"
                                          << "密度";
        QTest::newRow("not a number") << false << "density"
                                      << "3,1"
                                      << "请键入一个数";
        QTest::newRow("date that does not exist") << true << "arrivalDate"
                                                  << "2026-02-30"
                                                  << "进场日期";
        QTest::newRow("empty batch number") << true << "batchNo"
                                            << ""
                                            << "批号";
    }
    void formsRefuseNamingTheBox()
    {
        QFETCH(bool, batch);
        QFETCH(QString, field);
        QFETCH(QString, text);
        QFETCH(QString, said);
        Library library;
        QVERIFY(library.open());
        MaterialLibrary materials(library.store);
        const std::int64_t cement = library.materials.at("冀东 P·II 52.5");
        const auto count = [&] {
            return materials.materials(MaterialKind::Cement)->size()
                + materials.batches(cement)->size();
        };
        const size_t before = count();

        Material m;
        m.kind = MaterialKind::Cement;
        m.name = "海螺 P·O 42.5";
        Batch b;
        b.materialId = cement;
        b.batchNo = "B-02";
        std::unique_ptr<CRecordForm> form;
        if (batch)
            form = std::make_unique<CBatchDlg>(materials, *materials.material(cement), b, nullptr);
        else
            form = std::make_unique<CMaterialDlg>(materials, m, nullptr);
        form->show();
        auto* box = qobject_cast<QLineEdit*>(form->box(field));
        QVERIFY(box);
        box->setText(text);
        form->accept();

        QCOMPARE(m_prompter->notices.size(), 1);
        QVERIFY2(
            m_prompter->notices[0].text.contains(said), qPrintable(m_prompter->notices[0].text));
        QCOMPARE(form->focusWidget(), box);
        QVERIFY(form->isVisible()); // still open to mend the value
        QCOMPARE(count(), before);
    }

    // A batch a saved design uses is not deleted: the window says to 停用 it,
    // which takes it out of the pickers.
    void batchInUseIsRefusedDeleting()
    {
        Library library;
        QVERIFY(library.open());
        const std::int64_t batch = library.batches.at("冀东 P·II 52.5");
        NewEntry entry;
        entry.kind = "mix1";
        entry.operatorName = "张工";
        entry.inputsJson = "{}";
        entry.report = "\r\n计算书";
        entry.batches = { { MaterialRole::Cement, batch } };
        const auto recorded = DesignLedger(library.store).recordEntry(entry);
        QVERIFY2(recorded.ok(), recorded.error().message.c_str());

        CMaterialsWindow window(library.store);
        window.setKind(MaterialKind::Cement);
        window.selectMaterial(library.materials.at("冀东 P·II 52.5"));
        window.selectBatch(batch);
        QCOMPARE(window.selectedBatch(), std::optional<std::int64_t>(batch));
        window.OnDeleteBatch();
        QCOMPARE(m_prompter->notices.size(), 1);
        QVERIFY(m_prompter->notices[0].text.contains(QStringLiteral("停用")));
        MaterialLibrary materials(library.store);
        QCOMPARE(materials.batches(library.materials.at("冀东 P·II 52.5"))->size(), size_t(1));

        window.OnToggleBatch();
        for (const BatchChoice& c : *materials.batchesInUse(MaterialKind::Cement))
            QVERIFY(c.batch.id != batch);
        QVERIFY(!materials.batch(batch)->active);
    }

    // A recorded calculation keeps the batches chosen on its form whose
    // boxes still hold their values.
    void recordKeepsTheChosenBatches()
    {
        m_prompter.reset();
        std::unique_ptr<TestPrompter> prompter;
        std::unique_ptr<CQoruApp> app;
        QVERIFY(StartTestApp(prompter, app));
        QTemporaryDir dir;
        QVERIFY(app->openRecords(dir.filePath(QStringLiteral("r.sqlite"))));
        Library names; // the rows, added to the app's store
        {
            MaterialLibrary library(app->records());
            Material cement;
            cement.kind = MaterialKind::Cement;
            cement.name = "冀东 P·II 52.5";
            cement.grade = "52.5";
            cement.values.density = "3.05";
            Material sand;
            sand.kind = MaterialKind::FineAggregate;
            sand.name = "赣江中砂";
            sand.values.density = "2640";
            Batch b;
            b.batchNo = "B-01";
            b.materialId = *library.addMaterial(cement);
            names.batches["cement"] = *library.addBatch(b);
            b.materialId = *library.addMaterial(sand);
            names.batches["sand"] = *library.addBatch(b);
        }
        {
            CMixDesignDlg form(app->view());
            app->calculators()->attach(&form);
            form.setRecords(&app->records());
            QVERIFY(Pick(form, MaterialRole::Cement, names.batches["cement"]));
            QVERIFY(Pick(form, MaterialRole::Fine, names.batches["sand"]));
            form.edit(Box::M1RhoS)->setText(QStringLiteral("2600")); // no longer the sand's
            form.button(Box::M1Calculate)->click();

            DesignLedger ledger(app->records());
            auto rows = ledger.listEntries(LedgerFilter {}, 0, 1);
            QVERIFY(rows && rows->size() == 1);
            auto recorded = ledger.entry(rows->front().id);
            QVERIFY(recorded.ok());
            QCOMPARE(recorded->batches.size(), size_t(1));
            QCOMPARE(recorded->batches[0].batchId, names.batches["cement"]);
            QCOMPARE(recorded->batches[0].role, MaterialRole::Cement);
        }
        StopTestApp(prompter, app);
    }

    // What each role may do: a tester no purge, a login without a role no change.
    void roleHidesWhatItMayNotDo()
    {
        Library library;
        QVERIFY(library.open());
        CMaterialsWindow window(library.store);
        window.show();
        const auto shown = [&](const char* name) {
            return window.actionButton(QString::fromLatin1(name))->isVisible();
        };
        QVERIFY(shown("newMaterial") && shown("deleteBatch")); // a local file: its owner
        window.setRole(UserRole::None);
        QVERIFY(!shown("newMaterial") && !shown("deleteBatch") && !shown("toggleBatch"));
        window.setRole(UserRole::Tester);
        window.showBin(true);
        QVERIFY(shown("restoreMaterial") && !shown("purgeMaterial") && !shown("purgeBatch"));
        window.setRole(UserRole::Admin);
        QVERIFY(shown("purgeMaterial") && shown("purgeBatch"));
    }

    // 工具 → 原材料库 opens one window; a second press raises the same one.
    void menuOpensOneWindow()
    {
        m_prompter.reset();
        std::unique_ptr<TestPrompter> prompter;
        std::unique_ptr<CQoruApp> app;
        QVERIFY(StartTestApp(prompter, app));
        app->OnToolsMaterials();
        CMaterialsWindow* first = app->materialsWindow();
        QVERIFY(first && first->isVisible());
        QCOMPARE(first->windowTitle(), QStringLiteral("原材料库"));
        app->OnToolsMaterials();
        QCOMPARE(app->materialsWindow(), first);
        StopTestApp(prompter, app);
    }

private:
    std::unique_ptr<TestPrompter> m_prompter;
};

QORU_GUI_TEST_MAIN(MaterialsTest)
#include "materialswindow_test.moc"
