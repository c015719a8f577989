#pragma once

#include <QByteArrayView>
#include <QList>
#include <QString>

// What the store can tell of a settings file's text without parsing its
// values: where its sections begin, whether the text can be kept as it stands,
// and whether one section can be replaced without touching the others.
struct IniLayout
{
    struct Section
    {
        // Where the header line begins; the section runs to the next header.
        qsizetype begin = 0;
        // The name between the brackets, blanks around it left out.
        qsizetype nameBegin = 0;
        qsizetype nameLength = 0;
    };

    // Valid UTF-8 without a byte-order mark or NUL bytes, every line blank, a
    // comment, a [section] header or key=value. A file that is not would lose
    // content when the store writes it again.
    bool carriesOver = true;
    // Every line stands on its own (no quoted value or escape runs over into
    // the next line) and every header names a section plainly, so sections can
    // be replaced one by one and the others kept byte for byte.
    bool plain = true;
    // The headers in file order. The lines before the first belong to none.
    QList<Section> sections;
};

IniLayout scanIni(QByteArrayView text);

// Whether a section name as it stands in the file is `wanted`, without regard
// to letter case.
bool sameSectionName(QByteArrayView name, const QString &wanted);

// Whether the bytes are valid UTF-8: no overlong forms, no surrogates, nothing
// beyond U+10FFFF.
bool isValidUtf8(QByteArrayView bytes);
