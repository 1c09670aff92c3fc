#include "adjust/adjustcalc.h"
#include "cli/adjustjson.h"
#include "cli/clioptions.h"
#include "cli/clioutput.h"
#include "cli/commands.h"

#include <QFile>
#include <QJsonDocument>

#include <optional>

namespace {

const char kHelp[]
    = R"(qoru-calc adjust [--design FILE|-] [--MATERIAL kg ...] [--json] [--encoding utf-8|gbk]
  Trial batch, density correction and site mix of a designed mix, as the
  Calculate button of its form.
    --design FILE|-           the design per m3 from the JSON that
                              "qoru-calc mix1 --json" or "mix2 --json" printed
                              (a file, or standard input with "-"):
                              qoru-calc mix1 --json | qoru-calc adjust --design -
  Masses per m3 of concrete, kg; each overrides the design's. Without
  --design, cement, sand, coarse and water must be given; the others are 0:
    --cement --powder1 --powder2 --sand --coarse --water --admixture
    --powder1-name NAME, --powder2-name NAME
                              the powders' names in the report [the design's,
                              or 粉体一, 粉体二]
    --measured-density D      measured fresh density, kg/m3 [none: no
                              correction; 0 is none too]
    --sand-moisture W         moisture of the sand, % [0]
    --coarse-moisture W       moisture of the coarse aggregate, % [0]
    --volume V                batch volume, L [25]
  Numbers are read by the rule of the form's boxes, then taken half up to
  0.1 kg (admixture 0.01 kg), 1 kg/m3, 0.1 % and 0.1 L.
  JSON "results" (empty when stopped): computedDensity, measuredDensity,
    deviation (%), delta (null when not measured or not corrected),
    corrected, lab, site (kg/m3), batch (kg) each with cement powder1
    powder2 sand coarse water admixture; ratio with wb sand coarse water
    (per unit of binder)
)";

const char* const kMassOptions[kAdjustMaterials]
    = { "cement", "powder1", "powder2", "sand", "coarse", "water", "admixture" };

QString OptionOf(AdjustBox box)
{
    switch (box) {
    case AdjustBox::MeasuredDensity:
        return "measured-density";
    case AdjustBox::SandMoisture:
        return "sand-moisture";
    case AdjustBox::CoarseMoisture:
        return "coarse-moisture";
    case AdjustBox::Volume:
        return "volume";
    default:
        return kMassOptions[static_cast<int>(box)];
    }
}

std::optional<std::string> ReadAll(const QString& path)
{
    QFile file;
    const bool opened = path == QLatin1String("-")
        ? file.open(stdin, QIODevice::ReadOnly)
        : (file.setFileName(path), file.open(QIODevice::ReadOnly));
    if (!opened) {
        UsageError(
            "cannot read \"" + path.toStdString() + "\": " + file.errorString().toStdString());
        return std::nullopt;
    }
    return file.readAll().toStdString();
}

int RunAdjust(const QStringList& arguments)
{
    QCommandLineParser parser;
    AddCommonOptions(parser);
    for (const char* name : { "design", "cement", "powder1", "powder1-name", "powder2",
             "powder2-name", "sand", "coarse", "water", "admixture", "measured-density",
             "sand-moisture", "coarse-moisture", "volume" })
        parser.addOption(QCommandLineOption(name, QString(), "value"));
    const std::optional<CommonOptions> options = ParseCommandLine(parser, arguments);
    if (!options)
        return kExitUsage;
    if (options->help) {
        std::fputs(kHelp, stdout);
        return kExitReport;
    }

    AdjustInputs in;
    if (parser.isSet("design")) {
        const std::optional<std::string> text = ReadAll(parser.value("design"));
        if (!text)
            return kExitUsage;
        std::string error;
        const std::optional<AdjustInputs> design = AdjustDesignFromJson(*text, error);
        if (!design)
            return UsageError("--design: " + error);
        in = *design;
    } else {
        for (int m : { kAdjustPowder1, kAdjustPowder2, kAdjustAdmixture })
            in.masses[static_cast<size_t>(m)] = "0";
        for (int m : { kAdjustCement, kAdjustSand, kAdjustCoarse, kAdjustWater })
            if (!parser.isSet(kMassOptions[m]))
                return UsageError(
                    std::string("--") + kMassOptions[m] + " is needed without --design");
    }
    for (int m = 0; m < kAdjustMaterials; ++m)
        if (parser.isSet(kMassOptions[m]))
            in.masses[static_cast<size_t>(m)] = parser.value(kMassOptions[m]).toStdString();
    const struct
    {
        const char* name;
        std::string& text;
    } texts[] = {
        { "powder1-name", in.powder1Name },
        { "powder2-name", in.powder2Name },
        { "measured-density", in.measuredDensity },
        { "sand-moisture", in.sandMoisture },
        { "coarse-moisture", in.coarseMoisture },
        { "volume", in.volume },
    };
    for (const auto& t : texts)
        if (parser.isSet(t.name))
            t.text = parser.value(t.name).toStdString();

    const AdjustOutcome out = CalculateAdjust(in);
    if (out.notANumber) {
        const QString name = OptionOf(*out.focus);
        if (!parser.isSet(name))
            return UsageError("--design: its " + name.toStdString() + " is out of range");
        return UsageError("--" + name.toStdString() + ": \"" + parser.value(name).toStdString()
            + "\" is not a number");
    }
    const QJsonObject results = out.stopped
        ? QJsonObject()
        : QJsonDocument::fromJson(QByteArray::fromStdString(AdjustResultsJson(out.results).dump()))
              .object();
    return FinishCalculation(
        { out.stopped, out.messages, out.report, results }, options->json, options->encoding);
}

} // namespace

const CliCommand kAdjustCommand = {
    "adjust",
    "trial batch, density correction and site mix of a designed mix",
    kHelp,
    RunAdjust,
};
