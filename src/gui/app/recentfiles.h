#pragma once

#include <QStringList>

class QSettings;

// The recent-file list: full paths, most recent first, four at most, kept in
// the settings section "Recent File List" as File1 to File4.
class CRecentFileList
{
public:
    static constexpr int kSize = 4;

    void load(QSettings& settings);
    void save(QSettings& settings) const;

    // Puts the path at the top; an entry already in the list moves there.
    void add(const QString& path);
    void remove(const QString& path);

    const QStringList& paths() const { return m_paths; }

private:
    QStringList m_paths;
};
