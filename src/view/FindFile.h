#pragma once
#include <QString>

// A file or folder named `name` in `folder`, found ignoring letter case (files made on systems that
// ignore it, or named by users who do); the exact path when none.
QString FindIgnoringCase(const QString &folder, const QString &name);
