// store_writer FILE COUNT TAG: records COUNT entries in the store FILE, each
// with a cement and a sand batch of its own material TAG, and prints each
// entry's number once it is committed. For the tests of several processes.

#include "records/ledger.h"
#include "records/materials.h"
#include "records/recordstore.h"

#include <QCoreApplication>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

int Fail(const StoreError& error)
{
    std::fprintf(stderr, "%s\n", error.message.c_str());
    return 1;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc != 4) {
        std::fprintf(stderr, "usage: store_writer FILE COUNT TAG\n");
        return 2;
    }
    const long count = std::strtol(argv[2], nullptr, 10);
    const std::string tag = argv[3];
    RecordStore store;
    auto opened = store.open(argv[1]);
    if (!opened)
        return Fail(opened.error());

    MaterialLibrary library(store);
    Material cement;
    cement.kind = MaterialKind::Cement;
    cement.name = "水泥 " + tag;
    cement.values.density = "3.10";
    Material sand;
    sand.kind = MaterialKind::FineAggregate;
    sand.name = "河砂 " + tag;
    sand.values.density = "2650";
    std::int64_t batches[2] = {};
    int n = 0;
    for (const Material& m : { cement, sand }) {
        auto material = library.addMaterial(m);
        if (!material)
            return Fail(material.error());
        Batch b;
        b.materialId = *material;
        b.batchNo = tag + "-01";
        b.arrivalDate = "2026-03-01";
        auto batch = library.addBatch(b);
        if (!batch)
            return Fail(batch.error());
        batches[n++] = *batch;
    }

    DesignLedger ledger(store);
    const std::string report(2000, 'x');
    for (long i = 0; i < count; ++i) {
        NewEntry e;
        e.kind = "mix1";
        e.operatorName = tag;
        e.inputsJson = "{\"writer\":\"" + tag + "\",\"n\":" + std::to_string(i) + "}";
        e.grade = "C30";
        e.report = report;
        e.batches = { { MaterialRole::Cement, batches[0] }, { MaterialRole::Fine, batches[1] } };
        auto row = ledger.recordEntry(e);
        if (!row)
            return Fail(row.error());
        std::printf("%s\n", row->number.c_str());
        std::fflush(stdout);
    }
    return 0;
}
