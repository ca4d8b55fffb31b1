// Expected files for the QtTest programs, as support/golden.h keeps them for the others:
// compared byte for byte, written again when ORVO_UPDATE_EXPECTED is set.
#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>
#include <functional>

namespace orvo::testing {

// The bytes of the file at path; empty when it cannot be read.
inline QByteArray FileBytes(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

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

// A table file under tests/data/ that is its own expectation: each line is an answer, a tab and
// the input it answers ("#" lines stay as they are). Gives the file with every answer worked out
// again by `answer`, to be compared with the file itself.
inline QByteArray Reanswered(const QString& relative,
                             const std::function<QString(const QString&)>& answer) {
  QFile file(QStringLiteral(ORVO_SOURCE_DIR "/tests/data/") + relative);
  if (!file.open(QIODevice::ReadOnly)) return "cannot read " + relative.toUtf8();
  QByteArray out;
  for (const QByteArray& line : file.readAll().split('\n')) {
    if (line.isEmpty()) continue;
    const QString text = QString::fromUtf8(line);
    out += (text.startsWith(u'#') ? text
                                  : answer(text.section(u'\t', 1)) + u'\t' + text.section(u'\t', 1))
               .toUtf8() +
           '\n';
  }
  return out;
}

}  // namespace orvo::testing

// Fails the running QtTest function unless `actual` is the expected file `relative`.
#define ORVO_COMPARE_EXPECTED(relative, actual)                               \
  do {                                                                        \
    const QString why = orvo::testing::DiffersFromExpected(relative, actual); \
    QVERIFY2(why.isEmpty(), qPrintable(why));                                 \
  } while (false)
