#include "settings_store.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <QStringList>

#include <cstdio>

namespace {

// The name as it already stands among `names`, or `name` itself when none
// matches without regard to case.
QString existingSpelling(const QStringList &names, const QString &name)
{
    for (const QString &candidate : names) {
        if (candidate.compare(name, Qt::CaseInsensitive) == 0)
            return candidate;
    }
    return name;
}

// Group and key names are used as they are; QSettings treats slashes and
// backslashes as separators, so they are kept out of names.
bool usableName(const QString &name)
{
    return !name.isEmpty() && !name.contains(u'/') && !name.contains(u'\\');
}

QString asText(const QVariant &value, const QString &defaultValue)
{
    // A hand-written value with unquoted commas reads as a list: take it back
    // as the text that was written. Anything that is no text at all (a
    // rectangle, say) reads as the default.
    if (value.typeId() == QMetaType::QStringList)
        return value.toStringList().join(QStringLiteral(", "));
    if (value.typeId() == QMetaType::QVariantList) {
        // Qt reads some lists back as lists of variants; of texts, they are
        // the same list.
        QStringList items;
        for (const QVariant &item : value.toList()) {
            if (item.typeId() != QMetaType::QString)
                return defaultValue;
            items << item.toString();
        }
        return items.join(QStringLiteral(", "));
    }
    if (value.isValid() && value.canConvert<QString>())
        return value.toString();
    return defaultValue;
}

// Whether the last sync reached the file. A file that was damaged when read
// keeps reporting its format error, which says nothing about the save; it was
// saved when the file (or, for a new file, its folder) can be written.
bool saved(const QSettings &settings, const QString &path)
{
    switch (settings.status()) {
    case QSettings::NoError:
        return true;
    case QSettings::AccessError:
        return false;
    case QSettings::FormatError:
        break;
    }
    const QFileInfo file(path);
    return file.exists() ? file.isWritable() : QFileInfo(file.path()).isWritable();
}

// Opens the file of an application. Writes are atomic where the folder
// allows it, and go straight to the file where it does not.
std::unique_ptr<QSettings> openFile(const QString &path)
{
    auto settings = std::make_unique<QSettings>(path, QSettings::IniFormat);
    settings->setAtomicSyncRequired(false);
    return settings;
}

void report(const QString &what, const QString &path)
{
    std::fprintf(stderr, "Game: could not %s the settings file %s\n", qPrintable(what),
                 qPrintable(QDir::toNativeSeparators(path)));
    std::fflush(stderr);
}

} // namespace

SettingsStore::SettingsStore(QString folder)
    : m_folder(std::move(folder))
{
}

SettingsStore::~SettingsStore() = default;

QString SettingsStore::defaultFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
           + QStringLiteral("/taviq");
}

QString SettingsStore::filePath(const QString &application) const
{
    // One file per application; the file name is lower-cased so that every
    // spelling of the application name finds the same file.
    QString name;
    for (QChar c : application.toLower()) {
        if ((c >= u'a' && c <= u'z') || (c >= u'0' && c <= u'9') || c == u'-' || c == u'_')
            name.append(c);
        else
            name.append(QStringLiteral("%%1").arg(c.unicode(), 4, 16, QChar(u'0')));
    }
    if (name.isEmpty())
        name = QStringLiteral("default");
    return m_folder + u'/' + name + QStringLiteral(".ini");
}

QString SettingsStore::read(const QString &application, const QString &section,
                            const QString &key, const QString &defaultValue) const
{
    if (!usableName(section) || !usableName(key))
        return defaultValue;
    const QString path = filePath(application);
    if (!QFileInfo(path).isFile())
        return defaultValue;
    const auto settings = openFile(path);
    const QString group = existingSpelling(settings->childGroups(), section);
    settings->beginGroup(group);
    const QString name = existingSpelling(settings->childKeys(), key);
    if (!settings->contains(name))
        return defaultValue;
    return asText(settings->value(name), defaultValue);
}

bool SettingsStore::write(const QString &application, const QString &section,
                          const QString &key, const QString &value)
{
    const QString path = filePath(application);
    if (!usableName(section) || !usableName(key)) {
        report(QStringLiteral("write a badly named entry to"), path);
        return false;
    }
    if (!QDir().mkpath(m_folder)) {
        report(QStringLiteral("create the folder of"), path);
        return false;
    }
    const auto settings = openFile(path);
    settings->beginGroup(existingSpelling(settings->childGroups(), section));
    const QString name = existingSpelling(settings->childKeys(), key);
    const QVariant before = settings->value(name);
    settings->setValue(name, value);
    settings->sync();
    if (!saved(*settings, path)) {
        // Qt keeps the unsaved change in memory for the file; take it back so
        // that nobody reads, or later saves, what never reached the disk.
        if (before.isValid())
            settings->setValue(name, before);
        else
            settings->remove(name);
        report(QStringLiteral("write"), path);
        return false;
    }
    return true;
}

bool SettingsStore::deleteSection(const QString &application, const QString &section)
{
    const QString path = filePath(application);
    if (!usableName(section) || !QFileInfo(path).isFile())
        return false;
    const auto settings = openFile(path);
    const QStringList groups = settings->childGroups();
    const QString group = existingSpelling(groups, section);
    if (!groups.contains(group))
        return false;
    settings->beginGroup(group);
    QList<std::pair<QString, QVariant>> before;
    for (const QString &key : settings->allKeys())
        before.append({key, settings->value(key)});
    settings->endGroup();
    settings->remove(group);
    settings->sync();
    if (!saved(*settings, path)) {
        // Put the section back in memory: the file still has it.
        settings->beginGroup(group);
        for (const auto &[key, value] : before)
            settings->setValue(key, value);
        settings->endGroup();
        report(QStringLiteral("change"), path);
        return false;
    }
    return true;
}
