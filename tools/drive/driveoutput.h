// The driver's output: one line at a time on standard output, flushed at once, so that
// the lines of the events and of the script interleave in the order they happen.
#pragma once

#include <QString>
#include <QStringList>

namespace drive {

// Writes one line. A line that starts with "error " makes the run fail.
void writeLine(const QString &line);
// Writes "error DETAIL" and, on standard error, where in the script it happened.
void writeError(const QString &detail, const QString &explanation = QString());
bool runFailed();
// Tests: collect the lines (and no longer write them) while lines is set; clears the
// failure.
void captureOutput(QStringList *lines);

// The script line being executed, for the explanations on standard error.
void setCurrentLine(int number);

} // namespace drive
