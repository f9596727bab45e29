#pragma once
// A file a test writes into its throwaway folder, to open it as a user would.

#include <gtest/gtest.h>

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

namespace veltrane::performance::test {

/// Writes `bytes` to `name` in `folder` and gives its path.
inline QString WriteTestFile(const QTemporaryDir& folder, const char* name,
                             const QByteArray& bytes) {
    const QString path = folder.filePath(QString::fromLatin1(name));
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    return path;
}

}  // namespace veltrane::performance::test
