#include "app/recentfiles.h"

#include <QSettings>

namespace {

const char* const kSection = "Recent File List";

QString Key(int i) { return QStringLiteral("File%1").arg(i + 1); }

} // namespace

void CRecentFileList::load(QSettings& settings)
{
    m_paths.clear();
    settings.beginGroup(QString::fromLatin1(kSection));
    for (int i = 0; i < kSize; ++i) {
        const QString path = settings.value(Key(i)).toString();
        if (!path.isEmpty() && !m_paths.contains(path))
            m_paths.append(path);
    }
    settings.endGroup();
}

void CRecentFileList::save(QSettings& settings) const
{
    settings.beginGroup(QString::fromLatin1(kSection));
    for (int i = 0; i < kSize; ++i) {
        if (i < m_paths.size())
            settings.setValue(Key(i), m_paths.at(i));
        else
            settings.remove(Key(i));
    }
    settings.endGroup();
}

void CRecentFileList::add(const QString& path)
{
    m_paths.removeAll(path);
    m_paths.prepend(path);
    while (m_paths.size() > kSize)
        m_paths.removeLast();
}

void CRecentFileList::remove(const QString& path) { m_paths.removeAll(path); }
