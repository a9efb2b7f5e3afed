#include "app/binaryfile.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <deque>
#include <filesystem>
#include <mutex>
#include <random>
#include <system_error>

#include "app/systemerror.h"
#include "app/utf8path.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <process.h>
#include <sys/stat.h>
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <signal.h>
#include <csignal>
#endif

namespace fs = std::filesystem;

namespace velmora {
namespace {

std::string ReasonOf(const std::error_code& error) {
    return SystemErrorText(error.default_error_condition().value());
}

std::string CannotOpen(const std::string& path, const std::string& reason) {
    return "Die Datei '" + path + "' kann nicht geöffnet werden: " + reason;
}

std::string CannotRead(const std::string& path, const std::string& reason) {
    return "Die Datei '" + path + "' kann nicht gelesen werden: " + reason;
}

std::string CannotCreate(const std::string& path, const std::string& reason) {
    return "Die Datei '" + path + "' kann nicht angelegt werden: " + reason;
}

std::string CannotWrite(const std::string& path, const std::string& reason) {
    return "Die Datei '" + path + "' kann nicht geschrieben werden: " + reason;
}

// Why an entry that exists is not a file the program can read or replace, or "".
std::string NotARegularFile(fs::file_type type) {
    switch (type) {
        case fs::file_type::regular:
            return {};
        case fs::file_type::directory:
            return SystemErrorText(EISDIR);
        case fs::file_type::fifo:
            return "Das ist eine benannte Pipe, keine gewöhnliche Datei.";
        case fs::file_type::character:
        case fs::file_type::block:
            return "Das ist ein Gerät, keine gewöhnliche Datei.";
        case fs::file_type::socket:
            return "Das ist ein Socket, keine gewöhnliche Datei.";
        default:
            return "Das ist keine gewöhnliche Datei.";
    }
}

// A link whose target is missing: the plain "does not exist" would point at the wrong name.
std::string MissingReason(const std::string& path) {
    std::error_code error;
    if (fs::is_symlink(fs::symlink_status(PathOf(path), error)))
        return "Die Verknüpfung zeigt auf eine Datei, die nicht existiert.";
    return SystemErrorText(ENOENT);
}

// ---------------------------------------------------------------------------------------------
// Names of temporary files

std::mutex testNamesMutex;
std::deque<std::string> testNames;

std::uint64_t Mix(std::uint64_t x) {
    x ^= x >> 30;
    x *= 0xbf58476d1ce4e5b9ULL;
    x ^= x >> 27;
    x *= 0x94d049bb133111ebULL;
    return x ^ (x >> 31);
}

std::uint64_t ProcessId() {
#ifdef _WIN32
    return static_cast<std::uint64_t>(_getpid());
#else
    return static_cast<std::uint64_t>(::getpid());
#endif
}

// Twelve hexadecimal digits, different for every call, thread and process.
std::string NextMiddlePart() {
    {
        const std::lock_guard<std::mutex> lock(testNamesMutex);
        if (!testNames.empty()) {
            std::string next = std::move(testNames.front());
            testNames.pop_front();
            return next;
        }
    }
    static const std::uint64_t seed = [] {
        std::uint64_t value =
            static_cast<std::uint64_t>(std::chrono::system_clock::now().time_since_epoch().count());
        try {
            std::random_device device;
            value ^= (static_cast<std::uint64_t>(device()) << 32) ^ device();
        } catch (...) {
            // The clock and the counter still make the name new; a taken one is skipped.
        }
        return value;
    }();
    static std::atomic<std::uint64_t> counter{0};
    const std::uint64_t value = Mix(seed ^ Mix(ProcessId()) ^ Mix(++counter));
    char digits[13];
    std::snprintf(digits, sizeof digits, "%012llx",
                  static_cast<unsigned long long>(value & 0xffffffffffffULL));
    return digits;
}

// ---------------------------------------------------------------------------------------------
// Temporary files of saves in progress, for the stop signals. A fixed table of slots that a
// signal handler may read: a slot's path is complete whenever its state says "armed", and it
// is not rewritten while a handler may be removing it.

enum SlotState : int { kFree = 0, kFilling = 1, kArmed = 2, kRemoving = 3 };

constexpr std::size_t kSlotCount = 16;
constexpr std::size_t kPathRoom = 4096;

struct PendingTemporary {
    std::atomic<int> state{kFree};
    char path[kPathRoom] = {};
};
static_assert(std::atomic<int>::is_always_lock_free, "a signal handler reads the states");

PendingTemporary pending[kSlotCount];

// Returns the slot now holding the name, or nullptr when none is free (the save goes on
// without the clean-up on signals).
PendingTemporary* Remember(const std::string& temporary) {
    if (temporary.size() >= kPathRoom)
        return nullptr;
    for (PendingTemporary& slot : pending) {
        int expected = kFree;
        if (slot.state.compare_exchange_strong(expected, kFilling)) {
            std::memcpy(slot.path, temporary.c_str(), temporary.size() + 1);
            slot.state.store(kArmed);
            return &slot;
        }
    }
    return nullptr;
}

void Forget(PendingTemporary* slot) {
    if (slot == nullptr)
        return;
    int expected = kArmed;
    // A handler removing the file ends the program; this thread waits for that.
    while (!slot->state.compare_exchange_weak(expected, kFree))
        expected = kArmed;
}

// Holds SIGINT and SIGTERM back in this thread while it lives.
class StopSignalsDeferred {
  public:
#ifdef _WIN32
    StopSignalsDeferred() {}  // Windows has no such signals to hold
#else
    StopSignalsDeferred() {
        sigset_t stopSignals;
        sigemptyset(&stopSignals);
        sigaddset(&stopSignals, SIGINT);
        sigaddset(&stopSignals, SIGTERM);
        held_ = ::pthread_sigmask(SIG_BLOCK, &stopSignals, &previous_) == 0;
    }
    ~StopSignalsDeferred() {
        if (held_)
            ::pthread_sigmask(SIG_SETMASK, &previous_, nullptr);
    }

  private:
    sigset_t previous_{};
    bool held_ = false;
#endif
    StopSignalsDeferred(const StopSignalsDeferred&) = delete;
    StopSignalsDeferred& operator=(const StopSignalsDeferred&) = delete;
};

#ifndef _WIN32
void RemoveTemporariesAndStop(int signal) {
    const int savedErrno = errno;
    for (PendingTemporary& slot : pending) {
        int expected = kArmed;
        if (slot.state.compare_exchange_strong(expected, kRemoving))
            ::unlink(slot.path);
    }
    errno = savedErrno;
    // The handler was reset to the default on entry, so this ends the program.
    std::raise(signal);
}
#endif

// ---------------------------------------------------------------------------------------------
// The file a save replaces

struct Target {
    std::string path;  // the file to replace or create
    bool exists = false;
    fs::perms permissions = fs::perms::none;
    std::string error;  // the reason the save cannot go on
};

#ifndef _WIN32
// The rule the system applies to links in shared folders such as /tmp, applied everywhere:
// a link is followed only when it belongs to the user or to the owner of its folder.
// Otherwise anyone who may write to the folder could send the save to any file of the user.
bool MayFollow(const std::string& link) {
    struct stat linkStatus {};
    struct stat folderStatus {};
    const fs::path parent = fs::path(link).parent_path();
    const std::string folder = parent.empty() ? "." : parent.string();
    if (::lstat(link.c_str(), &linkStatus) != 0 || ::stat(folder.c_str(), &folderStatus) != 0)
        return false;
    return linkStatus.st_uid == ::geteuid() || linkStatus.st_uid == folderStatus.st_uid;
}
#endif

// Follows symbolic links from the given name to the file they lead to, so that a save
// replaces that file and leaves every link a link.
Target ResolveTarget(const std::string& path) {
    constexpr int kMaxLinks = 40;
    Target target;
    target.path = path;
    for (int links = 0;; ++links) {
        std::error_code error;
        const fs::file_status status = fs::symlink_status(PathOf(target.path), error);
        if (status.type() == fs::file_type::not_found)
            return target;  // a new file, created under this name
        if (error) {
            target.error = ReasonOf(error);
            return target;
        }
        if (status.type() != fs::file_type::symlink) {
            target.error = NotARegularFile(status.type());
            target.exists = true;
            target.permissions = status.permissions() & fs::perms::all;
            return target;
        }
        if (links == kMaxLinks) {
            target.error = SystemErrorText(ELOOP);
            return target;
        }
#ifndef _WIN32
        if (!MayFollow(target.path)) {
            target.error =
                "Die Datei ist eine Verknüpfung, die einem anderen Benutzer gehört; ihr wird "
                "beim Speichern nicht gefolgt.";
            return target;
        }
#endif
        const fs::path leadsTo = fs::read_symlink(PathOf(target.path), error);
        if (error) {
            target.error = ReasonOf(error);
            return target;
        }
        target.path =
            NameOf(leadsTo.is_absolute() ? leadsTo : PathOf(target.path).parent_path() / leadsTo);
    }
}

// ---------------------------------------------------------------------------------------------
// Descriptors

#ifdef _WIN32
int OpenExclusively(const std::string& name, fs::perms) {
    return ::_wopen(PathOf(name).c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY | _O_NOINHERIT,
                    _S_IREAD | _S_IWRITE);
}
bool WriteAll(int fd, std::span<const std::uint8_t> bytes) {
    while (!bytes.empty()) {
        const unsigned chunk = static_cast<unsigned>(std::min<std::size_t>(bytes.size(), 1 << 30));
        const int written = ::_write(fd, bytes.data(), chunk);
        if (written <= 0)
            return false;
        bytes = bytes.subspan(static_cast<std::size_t>(written));
    }
    return true;
}
bool Flush(int fd) {
    return ::_commit(fd) == 0;
}
bool Close(int fd) {
    return ::_close(fd) == 0;
}
int RemoveFile(const std::string& name) {
    return ::_wunlink(PathOf(name).c_str());
}
bool Replace(const std::string& temporary, const std::string& target, std::string& reason) {
    if (MoveFileExW(PathOf(temporary).c_str(), PathOf(target).c_str(),
                    MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return true;
    const DWORD code = GetLastError();
    reason = code == ERROR_ACCESS_DENIED || code == ERROR_SHARING_VIOLATION
                 ? SystemErrorText(EACCES)
                 : "Unbekannter Systemfehler Nr. " + std::to_string(code) + ".";
    return false;
}
#else
int OpenExclusively(const std::string& name, fs::perms permissions) {
    // Never wider than the old file while the rows are written; its exact bits follow.
    return ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC,
                  static_cast<mode_t>(permissions & fs::perms::all));
}
bool WriteAll(int fd, std::span<const std::uint8_t> bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        bytes = bytes.subspan(static_cast<std::size_t>(written));
    }
    return true;
}
bool Flush(int fd) {
    // Some file systems cannot sync; the file is then as safe as they make it.
    return ::fsync(fd) == 0 || errno == EINVAL || errno == ENOTSUP;
}
bool Close(int fd) {
    return ::close(fd) == 0 || errno == EINTR;
}
int RemoveFile(const std::string& name) {
    return ::unlink(name.c_str());
}
bool Replace(const std::string& temporary, const std::string& target, std::string& reason) {
    if (::rename(temporary.c_str(), target.c_str()) != 0) {
        reason = SystemErrorText(errno);
        return false;
    }
    // The new name itself is kept safe by syncing the folder; where that fails the file
    // is written all the same.
    const fs::path parent = fs::path(target).parent_path();
    const int folder =
        ::open(parent.empty() ? "." : parent.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder >= 0) {
        ::fsync(folder);
        ::close(folder);
    }
    return true;
}
#endif

}  // namespace

FileBytes ReadWholeFile(const std::string& path) {
    FileBytes result;
#ifdef _WIN32
    std::error_code ignored;
    const fs::file_status status = fs::status(PathOf(path), ignored);
    if (fs::exists(status)) {
        if (std::string reason = NotARegularFile(status.type()); !reason.empty()) {
            result.error = CannotOpen(path, reason);
            return result;
        }
    }
    std::FILE* file = OpenFile(path, "rb");
    if (file == nullptr) {
        const int error = errno;
        result.error =
            CannotOpen(path, error == ENOENT ? MissingReason(path) : SystemErrorText(error));
        return result;
    }
    char buffer[1 << 16];
    std::size_t got = 0;
    while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0)
        result.bytes.insert(result.bytes.end(), buffer, buffer + got);
    const bool failed = std::ferror(file) != 0;
    const int error = errno;
    std::fclose(file);
    if (failed) {
        result.bytes.clear();
        result.error = CannotRead(path, SystemErrorText(error));
    }
#else
    // Opened without waiting: a named pipe or a device in place of a file would block here.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        const int error = errno;
        result.error =
            CannotOpen(path, error == ENOENT ? MissingReason(path) : SystemErrorText(error));
        return result;
    }
    struct stat status {};
    if (::fstat(fd, &status) != 0) {
        result.error = CannotRead(path, SystemErrorText(errno));
    } else if (!S_ISREG(status.st_mode)) {
        const fs::file_type type = S_ISDIR(status.st_mode) ? fs::file_type::directory
                                   : S_ISFIFO(status.st_mode) ? fs::file_type::fifo
                                   : S_ISCHR(status.st_mode) ? fs::file_type::character
                                   : S_ISBLK(status.st_mode) ? fs::file_type::block
                                   : S_ISSOCK(status.st_mode) ? fs::file_type::socket
                                                              : fs::file_type::unknown;
        result.error = CannotOpen(path, NotARegularFile(type));
    } else {
        result.bytes.reserve(static_cast<std::size_t>(status.st_size));
        std::uint8_t buffer[1 << 16];
        for (;;) {
            const ssize_t got = ::read(fd, buffer, sizeof buffer);
            if (got < 0 && errno == EINTR)
                continue;
            if (got < 0) {
                result.bytes.clear();
                result.error = CannotRead(path, SystemErrorText(errno));
                break;
            }
            if (got == 0)
                break;
            result.bytes.insert(result.bytes.end(), buffer, buffer + got);
        }
    }
    ::close(fd);
#endif
    return result;
}

std::string WriteFileAtomically(const std::string& path, std::span<const std::uint8_t> bytes) {
    const Target target = ResolveTarget(path);
    if (!target.error.empty())
        return CannotWrite(path, target.error);

    constexpr int kAttempts = 100;
    constexpr fs::perms kNewFile = fs::perms::owner_read | fs::perms::owner_write |
                                   fs::perms::group_read | fs::perms::group_write |
                                   fs::perms::others_read | fs::perms::others_write;
    const fs::perms createWith = target.exists ? target.permissions : kNewFile;
    std::string temporary;
    int fd = -1;
    int openError = EEXIST;
    PendingTemporary* slot = nullptr;
    {
        // A stop signal arriving between the creation of the file and its remembering would
        // leave it behind: it waits until the file is remembered.
        const StopSignalsDeferred deferred;
        for (int attempt = 0; attempt < kAttempts && fd < 0; ++attempt) {
            temporary = target.path + "." + NextMiddlePart() + kTemporarySuffix;
            fd = OpenExclusively(temporary, createWith);
            if (fd < 0 && errno != EEXIST) {
                openError = errno;
                break;
            }
        }
        if (fd >= 0)
            slot = Remember(temporary);
    }
    if (fd < 0)
        return CannotCreate(path, SystemErrorText(openError));

    bool done = true;
    int error = 0;
#ifndef _WIN32
    if (target.exists &&
        ::fchmod(fd, static_cast<mode_t>(target.permissions & fs::perms::all)) != 0) {
        done = false;
        error = errno;
    }
#endif
    if (done && !(WriteAll(fd, bytes) && Flush(fd))) {
        done = false;
        error = errno;
    }
    if (!Close(fd) && done) {
        done = false;
        error = errno;
    }
    std::string reason;
    if (!done)
        reason = SystemErrorText(error);
    if (done && !Replace(temporary, target.path, reason))
        done = false;
    if (!done)
        RemoveFile(temporary);
    Forget(slot);
    return done ? std::string() : CannotWrite(path, reason);
}

void RemoveTemporaryFilesOnStopSignals() {
#ifndef _WIN32
    for (const int signal : {SIGINT, SIGTERM}) {
        struct sigaction previous {};
        if (::sigaction(signal, nullptr, &previous) == 0 && (previous.sa_flags & SA_SIGINFO) == 0 &&
            previous.sa_handler == SIG_IGN)
            continue;
        struct sigaction action {};
        action.sa_handler = RemoveTemporariesAndStop;
        sigemptyset(&action.sa_mask);
        action.sa_flags = SA_RESETHAND | SA_NODEFER;
        ::sigaction(signal, &action, nullptr);
    }
#endif
}

void UseTemporaryNamesNext(std::vector<std::string> middleParts) {
    const std::lock_guard<std::mutex> lock(testNamesMutex);
    testNames.assign(std::make_move_iterator(middleParts.begin()),
                     std::make_move_iterator(middleParts.end()));
}

}  // namespace velmora
