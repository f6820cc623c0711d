#pragma once

// The two spreadsheet readers the tests check .xls files with: python3 with xlrd, and gnumeric's
// ssconvert. Debian's python3 comes first: a python3 earlier in PATH (a pyenv one) may lack xlrd.

#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QString>

namespace vk::test {

// A python3 that imports xlrd; empty when there is none.
inline QString pythonWithXlrd() {
    static const QString found = [] {
        for (const QString& candidate :
             {QStringLiteral("/usr/bin/python3"), QStandardPaths::findExecutable(QStringLiteral("python3"))}) {
            if (candidate.isEmpty() || !QFileInfo(candidate).isExecutable())
                continue;
            QProcess p;
            p.start(candidate, {QStringLiteral("-c"), QStringLiteral("import xlrd")});
            if (p.waitForFinished(30000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0)
                return candidate;
        }
        return QString();
    }();
    return found;
}

inline QString ssconvertPath() {
    return QStandardPaths::findExecutable(QStringLiteral("ssconvert"));
}

} // namespace vk::test
