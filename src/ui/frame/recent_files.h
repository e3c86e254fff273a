#pragma once

// The list of recently opened or saved drawings, newest first, kept in the
// program's settings between runs.

#include <QStringList>

class RecentFiles
{
public:
    static constexpr int MaximumCount = 4;

    // The list with path at the top, named once, cut to MaximumCount.
    static QStringList WithFile(QStringList list, const QString& path);

    static QStringList List();
    static void Add(const QString& path);
    static void Remove(const QString& path);

private:
    static void Store(const QStringList& list);
};
