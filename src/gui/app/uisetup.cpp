#include "app/uisetup.h"

#include <QApplication>
#include <QFont>
#include <QFontDatabase>
#include <QIcon>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <clocale>

namespace {

// Installed faces that can stand in for the Windows ones, best first.
const char* const kSongSubstitutes[] = { "AR PL UMing CN", "AR PL UMing TW", "Noto Serif CJK SC",
    "Noto Sans CJK SC", "WenQuanYi Zen Hei", "SimSun" };
// The interface face where the default one has no Chinese glyphs: Hei, then Song.
const char* const kInterfaceFaces[] = { "Noto Sans CJK SC", "AR PL UMing CN", "Microsoft YaHei",
    "SimSun" };
const char* const kKaiSubstitutes[] = { "AR PL UKai CN", "AR PL UKai TW", "KaiTi",
    "Noto Serif CJK SC", "AR PL UMing CN", "Noto Sans CJK SC" };

void Substitute(const QString& face, const char* const* candidates, int count)
{
    const QStringList installed = QFontDatabase::families();
    if (installed.contains(face))
        return;
    QStringList present;
    for (int i = 0; i < count; ++i) {
        const QString name = QString::fromUtf8(candidates[i]);
        if (installed.contains(name))
            present << name;
    }
    if (!present.isEmpty())
        QFont::insertSubstitutions(face, present);
}

} // namespace

void SetUpUserInterface(QApplication& app)
{
    Q_INIT_RESOURCE(qoru);
    QIcon icon;
    for (int size : { 16, 32, 48, 64, 128 })
        icon.addFile(QStringLiteral(":/icons/qoru-%1.png").arg(size), QSize(size, size));
    QApplication::setWindowIcon(icon);

    // QApplication takes the user's locale for the C library; the reports
    // and number boxes need the C one.
    std::setlocale(LC_NUMERIC, "C");
    QLocale::setDefault(QLocale(QLocale::Chinese, QLocale::China));

    const QString dir = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    for (const char* name : { "qtbase_zh_CN", "qt_zh_CN" }) {
        auto* translator = new QTranslator(&app);
        if (translator->load(QString::fromLatin1(name), dir))
            QApplication::installTranslator(translator);
        else
            delete translator;
    }

    Substitute(QStringLiteral("宋体"), kSongSubstitutes, std::size(kSongSubstitutes));
    Substitute(QStringLiteral("楷体_GB2312"), kKaiSubstitutes, std::size(kKaiSubstitutes));
    // The windows and the printed body draw Chinese in a Hei or Song face
    // whatever the locale: a default face without Chinese glyphs (such as the
    // "Sans Serif" alias) leaves them to the system's fallback, which under a
    // non-Chinese locale picks a calligraphic Kai face.
    QFont font = QApplication::font();
    if (!QFontDatabase::writingSystems(font.family()).contains(QFontDatabase::SimplifiedChinese)) {
        QStringList families { font.family() };
        for (const char* face : kInterfaceFaces)
            if (QFontDatabase::families().contains(QString::fromUtf8(face)))
                families << QString::fromUtf8(face);
        font.setFamilies(families);
    }
    QApplication::setFont(font);
}
