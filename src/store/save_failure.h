#pragma once

#include <QString>

// Why a save failed: the step, the path it failed on and the system's words
// for the error; the windows make the player's words of it.
struct SaveFailure
{
    enum class What {
        MakeFolder,
        // Reading the file, or what stands at its path.
        ReadFile, IsFolder, IsPipe, IsSocket, IsDevice, IsOther, LinksLeadNowhere, TooLarge,
        // What stands at the lock's path cannot be removed.
        ClearLock,
        TakeLock,
        // Another program holds the lock: process `holder`, 0 if unknown.
        LockHeld,
        // The steps of the save itself.
        CopyAside, WriteFile, ReplaceFile,
    };
    What what = What::WriteFile;
    QString path;
    QString detail;
    qint64 holder = 0;

    // For the log, about the settings file `file`.
    QString logText(const QString &file) const;
};
