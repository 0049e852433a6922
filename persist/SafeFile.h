#pragma once

#include <QByteArrayView>
#include <QString>

#include <functional>
#include <memory>

class QFile;
class QIODevice;

// Replacing a file so that it is either the new bytes in full or the old
// file byte for byte. The bytes go to a temporary file beside the target,
// named "<target name>.pfsave-XXXXXX" so that a copy left by a killed
// process is recognised as ours; every write, the flush, the sync to disk
// and the close are checked before the temporary file is renamed over the
// target. A successful write removes such leftovers of the same target.
class CSafeFile
{
public:
    // The device the bytes are written through; tests put one in front of
    // the temporary file to make writes fail. Returns nullptr for the file itself.
    using DeviceHook = std::function<std::unique_ptr<QIODevice>(QFile& temporary)>;

    static bool Write(const QString& strPath, QByteArrayView bytes);

    // Writes all bytes to an open device, in pieces, checking every write;
    // a file device is flushed and the flush checked too.
    static bool WriteAll(QIODevice& device, QByteArrayView bytes);

    // Characters a temporary file's name has after its target's name.
    static constexpr qsizetype LeftoverTailSize = 14;

    // True for the name of a temporary file of the target named strTargetName.
    static bool IsLeftoverOf(const QString& strTargetName, const QString& strName);
    // Deletes the leftovers beside the target; returns how many went.
    static int RemoveLeftovers(const QString& strPath);

    // Installs a hook for the writes that follow; returns the one it replaces.
    static DeviceHook SetDeviceHook(DeviceHook hook);
};
