// The last four documents, shown in the File menu and kept in "files.txt" (plain text in
// the ANSI code page: the four display names, then the four paths, one a line).
#pragma once

#include <QString>
#include <QStringList>
#include <array>
#include <functional>

struct RecentEntry {
    QString name; // display name: the file-name part of the path
    QString path; // full path
};

class RecentFiles
{
public:
    static constexpr int Count = 4;

    // An entry is empty, and its menu item hidden, while its display name is blank.
    bool shown(int n) const;
    bool anyShown() const;
    const RecentEntry &entry(int n) const { return m_entries[size_t(n)]; }

    void clear();
    // Takes the lines of "files.txt". When there are at least two lines, every line from 4
    // on that names no existing file is emptied, and so is the line four above it; then
    // an entry with a path but no display name takes the path's file-name part.
    void load(QStringList lines, const std::function<bool(const QString &)> &fileExists);
    // A path already listed (ASCII case ignored) keeps its place; otherwise it goes into
    // the empty entry with the highest number, or, when none is empty, on top while the
    // others move down and the last one drops out. True when the list changed.
    bool add(const QString &path);
    // The eight lines of "files.txt".
    QStringList lines() const;

private:
    std::array<RecentEntry, Count> m_entries;
};

// The caption a menu shows for a display name (an "&" stays an "&").
QString menuCaption(const QString &name);
