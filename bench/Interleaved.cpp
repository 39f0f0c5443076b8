// Times whole commands in turn, round after round, so that they share whatever the machine
// is doing at the moment: on a shared machine the load moves from one second to the next,
// and commands timed one block after another (as hyperfine does) then compare moments, not
// commands. Each round runs every command once, starting one further along each time; a
// command's ratio to the first one is taken round by round, and the median of those is the
// figure to quote.
//
//   interleaved RUNS WARMUP null|pipe COMMAND...
//
// A COMMAND is one argument, its words split at spaces (no shell), or "sh -c LINE" for a
// shell command line. With "pipe" every command
// writes into a pipe that this program empties, as a reader would; with "null" into
// /dev/null. Prints a line per command: its text, then the medians of wall and processor
// time (user + system) in ms, and of the wall and processor ratios to the first command.
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>
#include <vector>

namespace {

struct Timing {
    double wall = 0, cpu = 0;   // ms
};

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    const size_t n = v.size();
    return n == 0 ? 0 : n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

double now()
{
    timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return double(t.tv_sec) * 1e3 + double(t.tv_nsec) / 1e6;
}

std::vector<std::string> words(const std::string &command)
{
    if (command.rfind("sh -c ", 0) == 0)   // a shell command line, whole
        return {"sh", "-c", command.substr(6)};
    std::vector<std::string> out;
    size_t at = 0;
    while (at < command.size()) {
        const size_t space = command.find(' ', at);
        const size_t end = space == std::string::npos ? command.size() : space;
        if (end > at)
            out.push_back(command.substr(at, end - at));
        at = end + 1;
    }
    return out;
}

bool run(const std::vector<std::string> &argv, bool pipe, Timing &timing)
{
    int fds[2] = {-1, -1};
    if (pipe && ::pipe(fds) != 0)
        return false;
    const double start = now();
    const pid_t child = fork();
    if (child < 0)
        return false;
    if (child == 0) {
        const int out = pipe ? fds[1] : open("/dev/null", O_WRONLY);
        dup2(out, STDOUT_FILENO);
        const int null = open("/dev/null", O_WRONLY);
        dup2(null, STDERR_FILENO);
        if (pipe) {
            close(fds[0]);
            close(fds[1]);
        }
        std::vector<char *> args;
        for (const std::string &w : argv)
            args.push_back(const_cast<char *>(w.c_str()));
        args.push_back(nullptr);
        execvp(args[0], args.data());
        _exit(127);
    }
    if (pipe) {
        close(fds[1]);
        static char buffer[1 << 16];
        while (true) {
            const ssize_t r = read(fds[0], buffer, sizeof buffer);
            if (r > 0 || (r < 0 && errno == EINTR))
                continue;
            break;
        }
        close(fds[0]);
    }
    int status = 0;
    rusage usage{};
    while (wait4(child, &status, 0, &usage) < 0 && errno == EINTR) {
    }
    timing.wall = now() - start;
    timing.cpu = (double(usage.ru_utime.tv_sec) + double(usage.ru_stime.tv_sec)) * 1e3
                 + (double(usage.ru_utime.tv_usec) + double(usage.ru_stime.tv_usec)) / 1e3;
    return WIFEXITED(status) && WEXITSTATUS(status) != 127;
}

}

int main(int argc, char **argv)
{
    if (argc < 5) {
        std::fprintf(stderr, "uso: %s RUNS WARMUP null|pipe COMANDO...\n", argv[0]);
        return 2;
    }
    const int runs = std::max(1, std::atoi(argv[1]));
    const int warmup = std::max(0, std::atoi(argv[2]));
    const bool pipe = std::strcmp(argv[3], "pipe") == 0;
    std::vector<std::string> commands(argv + 4, argv + argc);
    std::vector<std::vector<std::string>> parsed;
    for (const std::string &c : commands)
        parsed.push_back(words(c));
    const size_t n = commands.size();
    std::vector<std::vector<Timing>> seen(n);
    for (int round = 0; round < warmup + runs; ++round) {
        std::vector<Timing> now(n);
        for (size_t k = 0; k < n; ++k) {
            const size_t i = (size_t(round) + k) % n;
            if (!run(parsed[i], pipe, now[i])) {
                std::fprintf(stderr, "non parte: %s\n", commands[i].c_str());
                return 1;
            }
        }
        if (round >= warmup)
            for (size_t i = 0; i < n; ++i)
                seen[i].push_back(now[i]);
    }
    for (size_t i = 0; i < n; ++i) {
        std::vector<double> wall, cpu, wallRatio, cpuRatio;
        for (size_t r = 0; r < seen[i].size(); ++r) {
            wall.push_back(seen[i][r].wall);
            cpu.push_back(seen[i][r].cpu);
            wallRatio.push_back(seen[i][r].wall / std::max(1e-3, seen[0][r].wall));
            cpuRatio.push_back(seen[i][r].cpu / std::max(1e-3, seen[0][r].cpu));
        }
        std::printf("%s\t%.1f\t%.1f\t%.3f\t%.3f\n", commands[i].c_str(), median(wall), median(cpu),
                    median(wallRatio), median(cpuRatio));
    }
    return 0;
}
