// Entries that stand where a file is expected but cannot be read as one, and a guard for
// calls that might wait forever on them. POSIX only.
#pragma once

#ifndef _WIN32

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

namespace velmora::testing {

enum class Unusual { DanglingLink, LinkLoop, NamedPipe, Folder };

inline const std::vector<Unusual> kUnusualEntries = {Unusual::DanglingLink, Unusual::LinkLoop,
                                                     Unusual::NamedPipe, Unusual::Folder};

inline const char* Describe(Unusual kind) {
    switch (kind) {
        case Unusual::DanglingLink:
            return "a link that leads nowhere";
        case Unusual::LinkLoop:
            return "a link that leads to itself";
        case Unusual::NamedPipe:
            return "a named pipe";
        case Unusual::Folder:
            return "a folder";
    }
    return "";
}

// A word of the German message that says what is wrong.
inline const char* ExpectedReason(Unusual kind) {
    switch (kind) {
        case Unusual::DanglingLink:
            return "Verknüpfung zeigt auf eine Datei, die nicht existiert";
        case Unusual::LinkLoop:
            return "Zu viele Ebenen symbolischer Verknüpfungen";
        case Unusual::NamedPipe:
            return "benannte Pipe";
        case Unusual::Folder:
            return "Ordner";
    }
    return "";
}

inline void Plant(Unusual kind, const std::string& path) {
    namespace fs = std::filesystem;
    fs::remove_all(path);
    switch (kind) {
        case Unusual::DanglingLink:
            fs::create_symlink(path + ".nowhere", path);
            break;
        case Unusual::LinkLoop:
            fs::create_symlink(fs::path(path).filename(), path);
            break;
        case Unusual::NamedPipe:
            ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0);
            break;
        case Unusual::Folder:
            fs::create_directory(path);
            break;
    }
}

// Runs `call` in a child process first: if it does not return within the limit there, the
// test fails instead of hanging. Then runs it here and returns its result.
template <class Call>
auto AfterItReturnsWithin(std::chrono::seconds limit, Call call) {
    const pid_t child = ::fork();
    if (child == 0) {
        call();
        ::_exit(0);
    }
    const auto deadline = std::chrono::steady_clock::now() + limit;
    int status = 0;
    bool returned = false;
    while (std::chrono::steady_clock::now() < deadline) {
        if (::waitpid(child, &status, WNOHANG) == child) {
            returned = true;
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    if (!returned) {
        ::kill(child, SIGKILL);
        ::waitpid(child, &status, 0);
    }
    EXPECT_TRUE(returned) << "the call waits instead of returning";
    if (!returned)
        return decltype(call())();
    return call();
}

}  // namespace velmora::testing

#endif
