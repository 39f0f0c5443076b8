// The floor of whole-archive work: the file read once, split in as many byte ranges as the
// commands use threads, each range read on a thread of its own in 256 KiB blocks, as the
// archive scan reads. Nothing else: no Qt, no records looked at.
//   read_floor FILE [THREADS]   (default: VELTARO_THREADS, else the processor count)
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>
#include <vector>

int main(int argc, char **argv)
{
    if (argc < 2) {
        std::fputs("uso: read_floor FILE [THREADS]\n", stderr);
        return 2;
    }
    int threads = int(std::thread::hardware_concurrency());
    if (const char *forced = std::getenv("VELTARO_THREADS"); forced && std::atoi(forced) > 0)
        threads = std::atoi(forced);
    if (argc > 2)
        threads = std::max(1, std::atoi(argv[2]));
    const int fd = ::open(argv[1], O_RDONLY | O_CLOEXEC);
    struct stat st;
    if (fd < 0 || ::fstat(fd, &st) != 0) {
        std::perror(argv[1]);
        return 2;
    }
    const long long size = st.st_size, each = (size + threads - 1) / threads;
    const auto readRange = [&](long long from) {
        constexpr size_t Block = 256 << 10;
        std::vector<char> block(Block);
        const long long to = std::min(size, from + each);
        for (long long at = from; at < to;) {
            const ssize_t r = ::pread(fd, block.data(), size_t(std::min<long long>(Block, to - at)), at);
            if (r <= 0)
                break;
            at += r;
        }
    };
    std::vector<std::thread> others;
    for (int t = 1; t < threads; ++t)
        others.emplace_back(readRange, t * each);
    readRange(0);
    for (std::thread &t : others)
        t.join();
    ::close(fd);
    return 0;
}
