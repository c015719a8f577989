#pragma once

// Helpers for running the game over damaged settings files: one run of the
// program on a given store folder, the contents of hand-made broken files,
// and a reading of every entry of a settings file as a fresh program would
// see it.

#include "scripted_dialogs.h"
#include "game_fixture.h"
#include "store_files.h"

#include "game/game_state.h"
#include "store/score_variables.h"
#include "store/settings_store.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QSettings>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QVariant>

#include <iterator>
#include <random>

namespace corpus {

// The game's settings file inside a store folder.
inline const QString kFileName = QStringLiteral("taviqgame.ini");

using ::ProgramRun;

// An entry path that names something: no empty group or key name in it. A
// damaged file can yield paths such as "/" or "Times/x/" that no reader can
// ask for.
inline bool addressable(const QString &path)
{
    if (path.isEmpty())
        return false;
    for (const QString &part : path.split(u'/')) {
        if (part.isEmpty())
            return false;
    }
    return true;
}

// A list of texts, whichever of the two list types a reader made of it.
inline QVariant normalized(const QVariant &value)
{
    if (value.typeId() != QMetaType::QVariantList)
        return value;
    QStringList texts;
    for (const QVariant &item : value.toList()) {
        if (item.typeId() != QMetaType::QString)
            return value;
        texts << item.toString();
    }
    return texts;
}

// Everything a settings reader finds in a file: each key path ("Group/key")
// with its value, and whether the file parsed cleanly.
struct Entries
{
    QMap<QString, QVariant> values;
    QSettings::Status status = QSettings::NoError;
    bool readable = false;
    // Whether the file held paths that name nothing (left out of `values`),
    // and what they come to with the empty names left out: a writer may keep
    // them in that form.
    bool unaddressable = false;
    QStringList collapsed;
};

// A copy of a file as the store's file in a folder of its own: a file already
// opened in this process under its own path would be served from memory.
struct FileCopy
{
    explicit FileCopy(const QString &path)
        : dir(scratchTemplate())
    {
        ok = dir.isValid() && QFileInfo(path).isFile() && putFile(file(), fileBytes(path));
    }
    QString folder() const { return dir.path(); }
    QString file() const { return dir.filePath(kFileName); }

    QTemporaryDir dir;
    bool ok = false;
};

inline Entries readEntries(const QString &path)
{
    Entries entries;
    FileCopy copy(path);
    if (!copy.ok)
        return entries;
    QSettings settings(copy.file(), QSettings::IniFormat);
    for (const QString &key : settings.allKeys()) {
        if (addressable(key))
            entries.values.insert(key, normalized(settings.value(key)));
        else {
            entries.unaddressable = true;
            entries.collapsed << key.split(u'/', Qt::SkipEmptyParts).join(u'/');
        }
    }
    // Groups are parsed as they are first asked for: the status is complete
    // only now.
    entries.status = settings.status();
    entries.readable = true;
    return entries;
}

// A value as a text, the way a reader of texts takes it: a value with commas
// reads as a list and stands for its items joined by ", ".
inline QString valueText(const QVariant &value)
{
    if (value.typeId() == QMetaType::QStringList)
        return value.toStringList().join(QStringLiteral(", "));
    return value.toString();
}

// --- Broken files made on the spot -----------------------------------------

// Random bytes from a fixed seed, every byte value possible and NUL bytes
// guaranteed.
inline QByteArray randomBytes(unsigned seed, int size)
{
    std::mt19937 generator(seed);
    std::uniform_int_distribution<int> byte(0, 255);
    QByteArray bytes(size, '\0');
    for (int i = 0; i < size; ++i)
        bytes[i] = i % 61 == 0 ? '\0' : static_cast<char>(byte(generator));
    return bytes;
}

// Random bytes biased towards what an INI reader reacts to: brackets,
// equals signs, line ends, quotes, escapes, commas, and NUL bytes, mixed with
// the names the game uses.
inline QByteArray randomIniLikeBytes(unsigned seed, int size)
{
    static const QByteArray specials("[]=\n\r\"\\;#%@,/ \t");
    static const QByteArray words[] = {"[Difficulty]", "[Times]", "[Names]", "diff", "Timelimit",
                                       "Easy", "Medium", "Hard", "@Variant(", "@ByteArray(",
                                       "\\x", "%U", "%General"};
    std::mt19937 generator(seed);
    std::uniform_int_distribution<int> percent(0, 99);
    std::uniform_int_distribution<int> byte(0, 255);
    std::uniform_int_distribution<int> special(0, int(specials.size()) - 1);
    std::uniform_int_distribution<int> word(0, int(std::size(words)) - 1);
    QByteArray bytes;
    while (bytes.size() < size) {
        const int p = percent(generator);
        if (p < 10)
            bytes.append('\0');
        else if (p < 40)
            bytes.append(specials.at(special(generator)));
        else if (p < 55)
            bytes.append(words[word(generator)]);
        else
            bytes.append(static_cast<char>(byte(generator)));
    }
    bytes.truncate(size);
    return bytes;
}

// Byte sequences that are not UTF-8 in names of sections and keys and in
// values: stray continuation bytes, overlong forms, lone surrogates, code
// points beyond U+10FFFF, a sequence cut short at the end of a value.
inline QByteArray invalidUtf8()
{
    return QByteArray("[Difficulty]\n"
                      "diff=Med\xff" "ium\n"
                      "[Times]\n"
                      "Timelimit=\xc0\xaf 5\n"
                      "Easy=\xed\xa0\x80" "95\n"
                      "[Names]\n"
                      "Easy=\xed\xa0\x80 lone surrogate\n"
                      "Medium=\xf4\x90\x80\x80 beyond\n"
                      "Hard=cut\xe2\x82\n"
                      "\xc3(=\xfe\xfe\n"
                      "[\xff\xfeSection]\n"
                      "key\x80=\xc1\xbf\n");
}

// A file of which one line is one megabyte long, between entries that
// still matter.
inline QByteArray megabyteLine()
{
    std::mt19937 generator(4242);
    std::uniform_int_distribution<int> printable(32, 126);
    QByteArray line;
    line.reserve(1 << 20);
    while (line.size() < (1 << 20))
        line.append(static_cast<char>(printable(generator)));
    return QByteArray("[Difficulty]\ndiff=Hard\n") + line + QByteArray("\n[Times]\nTimelimit=7\n[Names]\nMedium=Grace\n");
}

// Values of one megabyte: a name that must survive untouched and a best
// time whose digits no number type holds.
inline QByteArray megabyteValues()
{
    return QByteArray("[Difficulty]\ndiff=Medium\n[Names]\nHard=") + QByteArray(1 << 20, 'N')
           + QByteArray("\nEasy=Ada\n[Times]\nMedium=") + QByteArray(1 << 20, '9')
           + QByteArray("\nEasy=\" 95\"\nTimelimit=\" 3\"\n");
}

// Numbers that no 64-bit integer holds, in every entry that holds a number.
inline QByteArray beyond64Bits()
{
    return QByteArray("[Difficulty]\ndiff=Hard\n[Times]\n"
                      "Timelimit=18446744073709551616\n"
                      "Easy=-9223372036854775809\n"
                      "Medium=")
           + QByteArray(400, '9')
           + QByteArray("\nHard=340282366920938463463374607431768211456\n"
                        "[Names]\nHard=Linus\n");
}

// A complete file such as the game writes, for the case in which it may not
// be written.
inline QByteArray completeFile()
{
    return QByteArray("[Difficulty]\ndiff=Medium\n"
                      "[Names]\nEasy=Ada\nMedium=Grace\nHard=Linus\n"
                      "[Times]\nEasy=\" 95\"\nHard=\" 300\"\nMedium=\" 300\"\nTimelimit=\" 12\"\n");
}

} // namespace corpus
