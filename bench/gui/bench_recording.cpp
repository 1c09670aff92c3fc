#include "gui/benchapp.h"

#include "app/qoruapp.h"
#include "calc/calculators.h"
#include "common/appsettings.h"
#include "common/prompter.h"
#include "mix1/dialog130.h"
#include "mix1/mixdesigndlg.h"
#include "records/recordstore.h"
#include "view/qoruview.h"

#include <benchmark/benchmark.h>

#include <QPushButton>
#include <QTemporaryDir>

#include <memory>

namespace {

// Answers every notice at once, so that no press waits for a person.
class SilentPrompter : public Prompter
{
public:
    SilentPrompter() { install(); }
    ~SilentPrompter() override { uninstall(); }
    Answer notice(QWidget*, Icon, const QString&, const QString&, Buttons) override
    {
        return Answer::Ok;
    }
};

// One press of the method-1 form: recorded into the app's open store, or
// through a switchboard of its own that records nothing. The difference is
// what recording adds to a press.
void PressMix1(benchmark::State& state, bool recorded)
{
    BenchApp();
    SilentPrompter prompter;
    QTemporaryDir dir;
    AppSettings().setValue(
        QStringLiteral("Settings/Database"), dir.filePath(QStringLiteral("bench.sqlite")));
    CQoruApp app;
    app.InitInstance({ QStringLiteral("qoru") });
    if (!app.openRecords(dir.filePath(QStringLiteral("bench.sqlite")))) {
        state.SkipWithError("the records could not be opened");
        return;
    }
    CCalculators bare(app.view());
    QObject::connect(&bare, &CCalculators::reportReady, app.view(), &CQoruView::appendReport);
    CMixDesignDlg form(app.view());
    if (recorded)
        app.calculators()->attach(&form);
    else
        bare.attach(&form);
    form.setModal(false);
    form.show();
    for (auto _ : state) {
        form.button(IDC_CALCULATE)->click();
        state.PauseTiming();
        app.view()->clear(); // every press appends to the same short report
        state.ResumeTiming();
    }
    form.reject();
    app.records().close();
}

void BM_PressMix1Recorded(benchmark::State& state)
{
    PressMix1(state, true);
}
void BM_PressMix1Unrecorded(benchmark::State& state)
{
    PressMix1(state, false);
}
BENCHMARK(BM_PressMix1Recorded)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PressMix1Unrecorded)->Unit(benchmark::kMillisecond);

} // namespace
