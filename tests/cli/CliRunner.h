#pragma once
// Runs the built quillmar-cli in a sandbox: its own home, data, temporary and settings
// folders, a chosen locale, no display. A run that takes too long is killed and counts as a
// hang.

#include "support/FileContent.h"
#include "support/TempDir.h"

#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <spawn.h>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace qm::test {

struct CliRun {
    int status = -1; // exit status; -1 when the program did not exit normally or hung
    std::string out;
    std::string err;
};

inline std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

inline std::vector<std::string> fieldsOf(const std::string& line) {
    std::vector<std::string> fields;
    std::size_t start = 0;
    for (std::size_t comma; (comma = line.find(',', start)) != std::string::npos; start = comma + 1)
        fields.push_back(line.substr(start, comma - start));
    fields.push_back(line.substr(start));
    return fields;
}

class CliSandbox {
public:
    CliSandbox() {
        for (const auto& d : {home(), temp(), settings(), runtime()})
            std::filesystem::create_directories(d);
        std::filesystem::permissions(runtime(), std::filesystem::perms::owner_all);
    }

    std::filesystem::path home() const { return dir_ / "home"; }
    std::filesystem::path temp() const { return dir_ / "tmp"; }
    std::filesystem::path settings() const { return dir_ / "settings"; }
    std::filesystem::path runtime() const { return dir_ / "runtime"; }
    const TempDir& dir() const { return dir_; }

    // Runs quillmar-cli with `args` under the locale `lcAll`.
    CliRun run(const std::vector<std::string>& args, const std::string& lcAll = "C") const {
        std::vector<std::string> argv = {QM_CLI_PATH};
        argv.insert(argv.end(), args.begin(), args.end());
        std::vector<std::string> env = {
            "PATH=/usr/bin:/bin",
            "HOME=" + home().string(),
            "XDG_DATA_HOME=" + (home() / "data").string(),
            "TMPDIR=" + temp().string(),
            // Qt's runtime folder, which it would otherwise make in TMPDIR.
            "XDG_RUNTIME_DIR=" + runtime().string(),
            "LC_ALL=" + lcAll,
            "QT_QPA_PLATFORM=offscreen",
        };
        const auto outFile = dir_ / "stdout.txt";
        const auto errFile = dir_ / "stderr.txt";

        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
        posix_spawn_file_actions_addopen(&actions, 1, outFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                         0644);
        posix_spawn_file_actions_addopen(&actions, 2, errFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                         0644);
        std::vector<char*> argp, envp;
        for (auto& a : argv) argp.push_back(a.data());
        argp.push_back(nullptr);
        for (auto& e : env) envp.push_back(e.data());
        envp.push_back(nullptr);
        pid_t pid = 0;
        CliRun result;
        if (posix_spawn(&pid, argp[0], &actions, nullptr, argp.data(), envp.data()) != 0) {
            posix_spawn_file_actions_destroy(&actions);
            return result;
        }
        posix_spawn_file_actions_destroy(&actions);

        int status = 0;
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
        while (waitpid(pid, &status, WNOHANG) == 0) {
            if (std::chrono::steady_clock::now() > deadline) {
                ::kill(pid, SIGKILL);
                waitpid(pid, &status, 0);
                result.err = "(killed: no end within a minute)";
                return result;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        result.out = readFile(outFile);
        result.err = readFile(errFile);
        return result;
    }

private:
    TempDir dir_;
};

inline std::filesystem::path sample(const std::string& name) {
    return std::filesystem::path(QM_SAMPLES_DIR) / name;
}

inline const std::string kAcme = sample("ACME = Acme Industries.csv").string();

} // namespace qm::test
