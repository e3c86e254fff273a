#include "ui/frame/recent_files.h"

#include <QDir>
#include <QSettings>

namespace {

// Named here as well as by the application: the settings are the same
// whether or not an application name was set.
QSettings Settings()
{
    return QSettings(QStringLiteral("Local AppWizard-Generated Applications"), QStringLiteral("Korvani"));
}

const QString Group = QStringLiteral("Recent File List");

QString Key(int index)
{
    return QStringLiteral("File%1").arg(index + 1);
}

// Two spellings of one file are one entry.
QString Canonical(const QString& path)
{
    return QDir::cleanPath(QDir::current().absoluteFilePath(path));
}

} // namespace

QStringList RecentFiles::WithFile(QStringList list, const QString& path)
{
    list.removeAll(path);
    list.prepend(path);
    while (list.size() > MaximumCount)
        list.removeLast();
    return list;
}

QStringList RecentFiles::List()
{
    QSettings settings = Settings();
    settings.beginGroup(Group);
    QStringList list;
    for (int i = 0; i < MaximumCount; ++i) {
        const QString path = settings.value(Key(i)).toString();
        if (!path.isEmpty() && !list.contains(path))
            list << path;
    }
    return list;
}

void RecentFiles::Add(const QString& path)
{
    Store(WithFile(List(), Canonical(path)));
}

void RecentFiles::Remove(const QString& path)
{
    QStringList list = List();
    list.removeAll(path);
    Store(list);
}

void RecentFiles::Store(const QStringList& list)
{
    QSettings settings = Settings();
    settings.beginGroup(Group);
    settings.remove(QString());
    for (int i = 0; i < list.size(); ++i)
        settings.setValue(Key(i), list[i]);
}
