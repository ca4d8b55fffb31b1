// Expected files for the QtTest programs, as support/golden.h keeps them for the others:
// compared byte for byte, written again when ORVO_UPDATE_EXPECTED is set.
#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>

namespace orvo::testing {

// Empty when `actual` is the file tests/data/<relative>; else why not.
inline QString DiffersFromExpected(const QString& relative, const QByteArray& actual) {
  const QString path = QStringLiteral(ORVO_SOURCE_DIR "/tests/data/") + relative;
  QFile file(path);
  if (qEnvironmentVariableIsSet("ORVO_UPDATE_EXPECTED")) {
    QDir().mkpath(QFileInfo(path).path());
    if (!file.open(QIODevice::WriteOnly) || file.write(actual) != actual.size())
      return "cannot write " + path;
    return {};
  }
  if (!file.open(QIODevice::ReadOnly)) return path + " is missing: run with ORVO_UPDATE_EXPECTED=1";
  const QByteArray expected = file.readAll();
  if (expected == actual) return {};
  return path + " differs; actual text:\n" + QString::fromUtf8(actual);
}

}  // namespace orvo::testing

// Fails the running QtTest function unless `actual` is the expected file `relative`.
#define ORVO_COMPARE_EXPECTED(relative, actual)                               \
  do {                                                                        \
    const QString why = orvo::testing::DiffersFromExpected(relative, actual); \
    QVERIFY2(why.isEmpty(), qPrintable(why));                                 \
  } while (false)
