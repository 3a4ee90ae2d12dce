// Reading and the atomic write: every failure leaves the target as it was.
//
// The tests run as root in CI, and root may write a read-only file: the permission cases
// run in a child process that has dropped to the unprivileged user 65534, and the full
// disk is a small tmpfs mounted in the child's own mount namespace.
#include "app/documentfile.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <csignal>
#include <functional>
#include <grp.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

constexpr int kSkip = 77;

QByteArray contents(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

void put(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ASSERT_EQ(f.write(bytes), bytes.size());
}

QStringList entries(const QString &dir) { return QDir(dir).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden); }

// Runs fn in a child process; returns its exit code (fn's result), or -signal.
int inChild(const std::function<int()> &fn)
{
    const pid_t pid = fork();
    if (pid == 0) {
        const int rc = fn();
        _exit(rc);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -WTERMSIG(status);
}

// Drops to the unprivileged user (when running as root).
bool dropPrivileges()
{
    if (geteuid() != 0)
        return true;
    return setgroups(0, nullptr) == 0 && setgid(65534) == 0 && setuid(65534) == 0 && geteuid() == 65534;
}

// The two atomic writers: with the flush to disk of every file, and without (a run over
// many files flushes once at its end). Both keep the same promises.
struct Writer {
    const char *name;
    bool (*write)(const QString &, QByteArrayView, QString *);
};
const Writer kWriters[] = {{"flushed", &writeFileAtomic}, {"unflushed", &writeFileAtomicUnflushed}};

struct FaultGuard {
    explicit FaultGuard(WriteFault f) { setWriteFault(std::move(f)); }
    ~FaultGuard() { setWriteFault({}); }
};

} // namespace

TEST(AtomicWrite, WritesReplacesAndKeepsPermissions)
{
    for (const Writer &w : kWriters) {
        SCOPED_TRACE(w.name);
        auto write = [&w](const QString &path, QByteArrayView bytes, QString *error = nullptr) {
            return w.write(path, bytes, error);
        };
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("page.html"));
        ASSERT_TRUE(write(path, "first"));
        EXPECT_EQ(contents(path), "first");
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup);
        ASSERT_TRUE(write(path, QByteArray("second\0x", 8)));
        EXPECT_EQ(contents(path), QByteArray("second\0x", 8));
        EXPECT_EQ(int(QFileInfo(path).permissions() & 0xF0FF), int(QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup));
        ASSERT_TRUE(write(path, ""));
        EXPECT_EQ(contents(path), "");
        EXPECT_EQ(entries(dir.path()), QStringList{QStringLiteral("page.html")});

        // A symbolic link is followed: the file it points to gets the new bytes.
        const QString link = dir.filePath(QStringLiteral("link.html"));
        ASSERT_TRUE(QFile::link(path, link));
        ASSERT_TRUE(write(link, "through the link"));
        EXPECT_TRUE(QFileInfo(link).isSymLink());
        EXPECT_EQ(contents(path), "through the link");
    }
}

TEST(AtomicWrite, InjectedFailureAtEveryStageLeavesTheTarget)
{
    for (const Writer &w : kWriters) {
        SCOPED_TRACE(w.name);
        auto write = [&w](const QString &path, QByteArrayView bytes, QString *error = nullptr) {
            return w.write(path, bytes, error);
        };
        for (WriteStage failing : {WriteStage::Open, WriteStage::Write, WriteStage::Commit}) {
            SCOPED_TRACE(int(failing));
            QTemporaryDir dir;
            const QString path = dir.filePath(QStringLiteral("page.html"));
            put(path, "old bytes");
            QList<WriteStage> seen;
            FaultGuard guard([&](WriteStage s, const QString &) {
                seen << s;
                return s != failing;
            });
            QString error;
            EXPECT_FALSE(write(path, QByteArray(1 << 20, 'n'), &error));
            EXPECT_FALSE(error.isEmpty());
            EXPECT_EQ(contents(path), "old bytes");
            EXPECT_EQ(seen.last(), failing);
            EXPECT_EQ(entries(dir.path()), QStringList{QStringLiteral("page.html")}) << "no temporary file is left";
            // A new file that fails is not created at all.
            const QString fresh = dir.filePath(QStringLiteral("new.html"));
            EXPECT_FALSE(write(fresh, "x"));
            EXPECT_FALSE(QFileInfo::exists(fresh));
        }
    }
}

TEST(AtomicWrite, RealFailuresLeaveTheTarget)
{
    for (const Writer &w : kWriters) {
        SCOPED_TRACE(w.name);
        auto write = [&w](const QString &path, QByteArrayView bytes, QString *error = nullptr) {
            return w.write(path, bytes, error);
        };
        QTemporaryDir dir;
        ASSERT_TRUE(QFile::setPermissions(dir.path(), QFileDevice::Permissions(0x7777)));

        // The folder has vanished.
        EXPECT_FALSE(write(dir.filePath(QStringLiteral("gone/page.html")), "x"));
        EXPECT_FALSE(QFileInfo::exists(dir.filePath(QStringLiteral("gone"))));
        // The target is a folder.
        ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("sub")));
        EXPECT_FALSE(write(dir.filePath(QStringLiteral("sub")), "x"));
        EXPECT_TRUE(QFileInfo(dir.filePath(QStringLiteral("sub"))).isDir());

        // Permissions, as an unprivileged user: a read-only file in a writable folder, and a
        // writable file in a read-only folder. The writable file in the writable folder
        // shows that the unprivileged writer works at all.
        const QString readOnly = dir.filePath(QStringLiteral("readonly.html"));
        const QString writable = dir.filePath(QStringLiteral("writable.html"));
        put(readOnly, "read-only");
        put(writable, "writable");
        QFile::setPermissions(readOnly, QFileDevice::Permissions(0x4444));
        QFile::setPermissions(writable, QFileDevice::Permissions(0x6666));
        ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("locked")));
        const QString inLocked = dir.filePath(QStringLiteral("locked/page.html"));
        put(inLocked, "locked");
        QFile::setPermissions(inLocked, QFileDevice::Permissions(0x6666));
        QFile::setPermissions(dir.filePath(QStringLiteral("locked")), QFileDevice::Permissions(0x5555));

        const int rc = inChild([&] {
            if (!dropPrivileges())
                return 10;
            if (write(readOnly, "new"))
                return 11;
            if (write(inLocked, "new"))
                return 12;
            if (!write(writable, "new"))
                return 13;
            return 0;
        });
        EXPECT_EQ(rc, 0);
        EXPECT_EQ(contents(readOnly), "read-only");
        EXPECT_EQ(contents(inLocked), "locked");
        EXPECT_EQ(contents(writable), "new");
        QFile::setPermissions(dir.filePath(QStringLiteral("locked")), QFileDevice::Permissions(0x7777));
    }
}

TEST(AtomicWrite, FullDiskLeavesTheTarget)
{
    for (const Writer &w : kWriters) {
        SCOPED_TRACE(w.name);
        auto write = [&w](const QString &path, QByteArrayView bytes, QString *error = nullptr) {
            return w.write(path, bytes, error);
        };
        QTemporaryDir dir;
        const QString mountPoint = dir.path();
        const QString path = mountPoint + QStringLiteral("/page.html");
        const QByteArray small(40 * 1024, 's');
        const int rc = inChild([&] {
            // A 64 KiB tmpfs, seen by this child only.
            if (unshare(CLONE_NEWNS) != 0 || mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0)
                return kSkip;
            if (mount("tmpfs", mountPoint.toLocal8Bit().constData(), "tmpfs", 0, "size=64k") != 0)
                return kSkip;
            if (!write(path, small))
                return 10;
            if (write(path, QByteArray(100 * 1024, 'b')))
                return 11;
            if (contents(path) != small)
                return 12;
            if (QDir(mountPoint).entryList(QDir::Files | QDir::Hidden).size() != 1)
                return 13;
            return 0;
        });
        if (rc == kSkip)
            GTEST_SKIP() << "cannot mount a tmpfs here";
        EXPECT_EQ(rc, 0);
    }
}

// A save killed at any moment leaves the old file or the new one, never a mix or a
// truncation: a child saves two 50 MB documents over each other without pause and is
// killed with SIGKILL at moments spread over one save.
TEST(AtomicWrite, KilledSaveLeavesOldOrNewFile)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("big.html"));
    const qsizetype size = 50 * 1024 * 1024;
    QByteArray a(size, 'a'), b(size, 'b');
    a.replace(0, 6, "<html>");
    b.replace(0, 6, "<HTML>");
    ASSERT_TRUE(writeFileAtomic(path, a));

    QElapsedTimer timer;
    timer.start();
    ASSERT_TRUE(writeFileAtomic(dir.filePath(QStringLiteral("probe")), b));
    const qint64 oneSave = std::max<qint64>(timer.elapsed(), 20);
    QFile::remove(dir.filePath(QStringLiteral("probe")));

    int sawOld = 0, sawNew = 0;
    for (double at : {0.2, 0.5, 0.8, 1.1, 1.7}) {
        const pid_t pid = fork();
        if (pid == 0) {
            for (;;) {
                writeFileAtomic(path, b);
                writeFileAtomic(path, a);
            }
        }
        usleep(useconds_t(at * double(oneSave) * 1000));
        kill(pid, SIGKILL);
        int status = 0;
        waitpid(pid, &status, 0);
        ASSERT_TRUE(WIFSIGNALED(status));
        const QByteArray now = contents(path);
        ASSERT_EQ(now.size(), size) << "killed at " << at << " of a save";
        const bool old = now == a, fresh = now == b;
        EXPECT_TRUE(old || fresh) << "killed at " << at << " of a save";
        sawOld += old;
        sawNew += fresh;
    }
    EXPECT_GT(sawOld + sawNew, 0);

    // Killed exactly between the complete temporary file and the rename.
    const int rc = inChild([&] {
        setWriteFault([](WriteStage s, const QString &) {
            if (s == WriteStage::Commit)
                raise(SIGKILL);
            return true;
        });
        writeFileAtomic(path, QByteArray(size, 'n'));
        return 0;
    });
    EXPECT_EQ(rc, -SIGKILL);
    const QByteArray after = contents(path);
    EXPECT_TRUE(after == a || after == b);
}

TEST(ReadFile, FailuresReportAndReadNothing)
{
    QTemporaryDir dir;
    ASSERT_TRUE(QFile::setPermissions(dir.path(), QFileDevice::Permissions(0x7777)));
    QByteArray bytes("stale");
    QString error;
    EXPECT_FALSE(readFileBytes(dir.filePath(QStringLiteral("missing.html")), &bytes, &error));
    EXPECT_TRUE(bytes.isEmpty());
    EXPECT_FALSE(error.isEmpty());
    EXPECT_FALSE(readFileBytes(dir.path(), &bytes));
    EXPECT_FALSE(readFileBytes(QStringLiteral("/dev/zero"), &bytes)) << "a device is no document";

    const QString secret = dir.filePath(QStringLiteral("secret.html"));
    put(secret, "secret");
    QFile::setPermissions(secret, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    const int rc = inChild([&] {
        if (!dropPrivileges())
            return 10;
        QByteArray b;
        return readFileBytes(secret, &b) ? 11 : 0;
    });
    EXPECT_EQ(rc, 0);

    ASSERT_TRUE(readFileBytes(secret, &bytes));
    EXPECT_EQ(bytes, "secret");
}
