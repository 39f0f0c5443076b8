#include "archive/ArchiveMapping.h"

#include <QByteArray>

#include <atomic>
#include <cerrno>
#include <csignal>
#include <limits>
#include <mutex>
#include <sys/mman.h>
#include <sys/stat.h>
#include <sys/vfs.h>
#include <unistd.h>

#ifndef MADV_POPULATE_READ
#define MADV_POPULATE_READ 22
#endif

namespace {

// The mappings being read, for the bus-error handler: a page of one of them that vanishes
// is put back as zeros and the mapping marked lost. Fixed slots, so that the handler needs
// neither a lock nor memory.
struct Guarded {
    std::atomic<uintptr_t> begin{0}, end{0};
    std::atomic<uintptr_t> lostFrom{UINTPTR_MAX};   // the lowest page that vanished
};
constexpr int Slots = 64;
Guarded g_guarded[Slots];
std::atomic<bool> g_taken[Slots];
struct sigaction g_previous;
uintptr_t g_pageSize = 4096;

void onBusError(int signal, siginfo_t *info, void *context)
{
    const uintptr_t at = uintptr_t(info->si_addr);
    for (Guarded &g : g_guarded) {
        const uintptr_t begin = g.begin.load(std::memory_order_acquire);
        if (begin == 0 || at < begin || at >= g.end.load(std::memory_order_acquire))
            continue;
        void *page = reinterpret_cast<void *>(at & ~(g_pageSize - 1));
        if (::mmap(page, g_pageSize, PROT_READ, MAP_PRIVATE | MAP_ANONYMOUS | MAP_FIXED, -1, 0) == MAP_FAILED)
            break;
        uintptr_t seen = g.lostFrom.load();
        while (uintptr_t(page) < seen && !g.lostFrom.compare_exchange_weak(seen, uintptr_t(page))) {
        }
        return;
    }
    // Not one of ours: what would have happened without us.
    if ((g_previous.sa_flags & SA_SIGINFO) && g_previous.sa_sigaction) {
        g_previous.sa_sigaction(signal, info, context);
    } else if (g_previous.sa_handler != SIG_DFL && g_previous.sa_handler != SIG_IGN) {
        g_previous.sa_handler(signal);
    } else {
        ::signal(SIGBUS, SIG_DFL);   // the faulting access runs again and ends the process
    }
}

void guardOnce()
{
    static std::once_flag once;
    std::call_once(once, [] {
        g_pageSize = uintptr_t(::sysconf(_SC_PAGESIZE));
        struct sigaction action = {};
        action.sa_sigaction = onBusError;
        action.sa_flags = SA_SIGINFO | SA_RESTART;
        sigemptyset(&action.sa_mask);
        ::sigaction(SIGBUS, &action, &g_previous);
    });
}

// File systems on this computer's own disks or memory: their cached pages stay readable
// unless the file itself is cut short.
bool localFileSystem(int fd)
{
    struct statfs fs;
    if (::fstatfs(fd, &fs) != 0)
        return false;
    switch (static_cast<unsigned long>(fs.f_type)) {
    case 0xEF53:        // ext2, ext3, ext4
    case 0x58465342:    // xfs
    case 0x9123683E:    // btrfs
    case 0xF2F52010:    // f2fs
    case 0x01021994:    // tmpfs
    case 0x794C7630:    // overlayfs (containers)
        return true;
    default:
        return false;
    }
}

}

ArchiveMapping::ArchiveMapping(int fd, qint64 bytes)
{
    if (fd < 0 || bytes <= 0 || qgetenv("VELTARO_MAP") == "0" || !localFileSystem(fd))
        return;
    for (int i = 0; i < Slots && m_slot < 0; ++i) {
        bool expected = false;
        if (g_taken[i].compare_exchange_strong(expected, true))
            m_slot = i;
    }
    if (m_slot < 0)
        return;   // every slot in use: read() instead
    guardOnce();
    void *p = ::mmap(nullptr, size_t(bytes), PROT_READ, MAP_SHARED, fd, 0);
    if (p == MAP_FAILED) {
        g_taken[m_slot].store(false);
        m_slot = -1;
        return;
    }
    m_fd = fd;
    m_data = static_cast<char *>(p);
    m_bytes = bytes;
    Guarded &g = g_guarded[m_slot];
    g.lostFrom.store(UINTPTR_MAX);
    g.end.store(uintptr_t(m_data) + uintptr_t(bytes), std::memory_order_release);
    g.begin.store(uintptr_t(m_data), std::memory_order_release);
}

ArchiveMapping::~ArchiveMapping()
{
    if (m_slot < 0)
        return;
    if (m_data)
        ::munmap(m_data, size_t(m_bytes));
    g_guarded[m_slot].begin.store(0, std::memory_order_release);
    g_taken[m_slot].store(false);
}

bool ArchiveMapping::bringIn(qint64 offset, qint64 length) const
{
    if (!m_data || length <= 0)
        return true;
    const uintptr_t from = (uintptr_t(m_data) + uintptr_t(offset)) & ~(g_pageSize - 1);
    const uintptr_t to = uintptr_t(m_data) + uintptr_t(offset + length);
    for (int tries = 0; ::madvise(reinterpret_cast<void *>(from), size_t(to - from), MADV_POPULATE_READ) != 0;) {
        if ((errno == EINTR || errno == EAGAIN) && ++tries < 100)
            continue;
        // A kernel without it (before 5.14) maps the pages as they are touched.
        return errno == EINVAL || errno == ENOSYS;
    }
    return true;
}

void ArchiveMapping::letGo(qint64 offset, qint64 length) const
{
    if (!m_data || length <= 0)
        return;
    // From the page where the bytes begin (the reader before them is done with it) up to the
    // one where they end, which the bytes after them still need.
    const uintptr_t from = (uintptr_t(m_data) + uintptr_t(offset)) & ~(g_pageSize - 1);
    const uintptr_t to = (uintptr_t(m_data) + uintptr_t(offset + length)) & ~(g_pageSize - 1);
    if (to > from)
        ::madvise(reinterpret_cast<void *>(from), size_t(to - from), MADV_DONTNEED);
}

bool ArchiveMapping::holds(qint64 bytes) const
{
    struct stat st;
    return !m_data || (::fstat(m_fd, &st) == 0 && qint64(st.st_size) >= bytes);
}

qint64 ArchiveMapping::lostFrom() const
{
    if (!m_data)
        return std::numeric_limits<qint64>::max();
    const uintptr_t page = g_guarded[m_slot].lostFrom.load(std::memory_order_acquire);
    return page == UINTPTR_MAX ? std::numeric_limits<qint64>::max() : qint64(page - uintptr_t(m_data));
}
