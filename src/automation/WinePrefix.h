#pragma once
#include <QString>

// What the launcher needs to know about a Wine prefix besides its registry: whether Wine is
// running in it, and where a Windows path of it lies on this system.
namespace wine {

// The folder of this user's wineservers: "/tmp/.wine-<uid>".
QString ServerRoot();
// True while a wineserver serves `prefix`: it holds the lock in its server folder under `root`,
// a folder named after the prefix folder's device and inode.
bool ServerRunning(const QString &prefix, const QString &root = ServerRoot());
// The folder that holds the file of a Windows path ("c:\games\x\x.exe") in the prefix, each part
// found ignoring letter case as Wine finds it; "" when the drive or a folder is not there.
QString UnixFolder(const QString &windowsPath, const QString &prefix);

} // namespace wine
