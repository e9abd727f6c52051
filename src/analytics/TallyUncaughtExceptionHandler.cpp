#include "analytics/TallyUncaughtExceptionHandler.h"

#include <execinfo.h>
#include <fcntl.h>
#include <link.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <ctime>
#include <exception>
#include <memory>

#include "analytics/TLANUtil.h"
#include "analytics/TallyLog.h"
#include "analytics/TallyStatCrash.h"
#include "analytics/TallyStatInternal.h"
#include "platform/foundation/NotificationCenter.h"
#include "platform/foundation/Paths.h"
#include "platform/foundation/Text.h"

namespace {

constexpr int kHandledSignals[] = {SIGABRT, SIGILL, SIGSEGV, SIGFPE, SIGBUS};
constexpr int kResetSignals[] = {SIGABRT, SIGILL, SIGSEGV, SIGFPE, SIGBUS, SIGPIPE};
constexpr int kMaxFrames = 64;
constexpr size_t kAltStackBytes = 64 * 1024;

// Everything the signal writer touches is prepared here at install: it may not allocate.
char g_crashPath[4096];
char g_crashDraftPath[4096];
char g_header[1024];
char g_sessionId[128];
char g_suffix[4096];
std::atomic<bool> g_installed{false};
std::terminate_handler g_previousTerminate = nullptr;

void copyText(char* target, size_t capacity, const std::string& text) {
    const size_t length = std::min(text.size(), capacity - 1);
    std::memcpy(target, text.data(), length);
    target[length] = '\0';
}

// Set when a write of the signal writer fails: a crash file that did not land whole must not
// take the place of one already there.
volatile sig_atomic_t g_writeFailed = 0;

void writeAll(int fd, const char* text, size_t length) {
    while (length > 0) {
        const ssize_t written = ::write(fd, text, length);
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            g_writeFailed = 1;
            return;
        }
        text += written;
        length -= static_cast<size_t>(written);
    }
}

void writeText(int fd, const char* text) {
    writeAll(fd, text, std::strlen(text));
}

void writeDecimal(int fd, long long value) {
    char digits[24];
    int at = static_cast<int>(sizeof(digits));
    const bool negative = value < 0;
    unsigned long long rest = negative ? 0ULL - static_cast<unsigned long long>(value)
                                       : static_cast<unsigned long long>(value);
    do {
        digits[--at] = static_cast<char>('0' + rest % 10);
        rest /= 10;
    } while (rest > 0);
    if (negative) {
        digits[--at] = '-';
    }
    writeAll(fd, digits + at, sizeof(digits) - static_cast<size_t>(at));
}

void writeAddress(int fd, uintptr_t address) {
    char text[2 + 2 * sizeof(uintptr_t)];
    text[0] = '0';
    text[1] = 'x';
    for (size_t i = 0; i < 2 * sizeof(uintptr_t); ++i) {
        const unsigned nibble = (address >> (4 * (2 * sizeof(uintptr_t) - 1 - i))) & 0xF;
        text[2 + i] = "0123456789abcdef"[nibble];
    }
    writeAll(fd, text, sizeof(text));
}

void resetSignals() {
    for (int signal : kResetSignals) {
        std::signal(signal, SIG_DFL);
    }
}

// Written beside the crash file and renamed onto it once whole: a launch running on another
// thread meanwhile finds no file, or all of it.
extern "C" void tallySignalHandler(int signal) {
    const int fd = ::open(g_crashDraftPath, O_WRONLY | O_CREAT | O_TRUNC, 0600);
    g_writeFailed = 0;
    if (fd >= 0) {
        struct timespec now {};
        clock_gettime(CLOCK_REALTIME, &now);
        writeText(fd, g_header);
        writeDecimal(fd, static_cast<long long>(now.tv_sec));
        writeText(fd, "\n");
        writeText(fd, g_sessionId);
        writeText(fd, "\nApplication received signal ");
        writeText(fd, TallyUncaughtExceptionHandler::signalName(signal));
        writeText(fd, "\n");
        writeText(fd, TallyStatCrash::kNoAddresses);
        writeText(fd, "\n(\n");
        void* frames[kMaxFrames];
        const int count = ::backtrace(frames, kMaxFrames);
        for (int i = 0; i < count; ++i) {
            writeText(fd, "    ");
            writeDecimal(fd, i);
            writeText(fd, " ");
            writeAddress(fd, reinterpret_cast<uintptr_t>(frames[i]));
            writeText(fd, i + 1 < count ? ",\n" : "\n");
        }
        writeText(fd, ")");
        writeText(fd, g_suffix);
        const bool whole = ::fsync(fd) == 0 && g_writeFailed == 0;
        if (::close(fd) != 0 || !whole || ::rename(g_crashDraftPath, g_crashPath) != 0) {
            ::unlink(g_crashDraftPath);
        }
    }
    resetSignals();
    ::raise(signal);
}

[[noreturn]] void tallyHandleException() {
    std::string reason = "terminate called without an active exception";
    if (std::exception_ptr current = std::current_exception()) {
        try {
            std::rethrow_exception(current);
        } catch (const std::exception& exception) {
            reason = exception.what();
        } catch (...) {
            reason = "unknown exception";
        }
    }
    TallyUncaughtExceptionHandler::uninstall();
    // Posted on the thread that failed: the main thread may be the one that is ending. The
    // crash observer saves the record synchronously.
    NotificationCenter::defaultCenter().post(
        TallyStatCrash::kCrashCatchNotification, nullptr,
        TallyStatCrash::crashInfo(reason, TallyUncaughtExceptionHandler::backtrace()));
    std::abort();
}

struct ImageSearch {
    std::optional<PropertyList> info;
};

std::string executablePath() {
    char path[4096];
    const ssize_t length = ::readlink("/proc/self/exe", path, sizeof(path) - 1);
    return length > 0 ? std::string(path, static_cast<size_t>(length)) : std::string();
}

std::string lastPathComponent(const std::string& path) {
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

Bytes buildId(const dl_phdr_info& image) {
    for (int i = 0; i < image.dlpi_phnum; ++i) {
        const ElfW(Phdr)& segment = image.dlpi_phdr[i];
        if (segment.p_type != PT_NOTE) {
            continue;
        }
        const auto* at = reinterpret_cast<const uint8_t*>(image.dlpi_addr + segment.p_vaddr);
        const uint8_t* end = at + segment.p_memsz;
        while (at + sizeof(ElfW(Nhdr)) <= end) {
            const auto* note = reinterpret_cast<const ElfW(Nhdr)*>(at);
            const uint8_t* name = at + sizeof(ElfW(Nhdr));
            const uint8_t* desc = name + ((note->n_namesz + 3) & ~3u);
            if (note->n_type == NT_GNU_BUILD_ID && note->n_namesz == 4 &&
                std::memcmp(name, "GNU", 4) == 0 && desc + note->n_descsz <= end) {
                return Bytes(desc, desc + note->n_descsz);
            }
            at = desc + ((note->n_descsz + 3) & ~3u);
        }
    }
    return {};
}

int inspectImage(dl_phdr_info* image, size_t, void* data) {
    auto* search = static_cast<ImageSearch*>(data);
    const bool mainProgram = image->dlpi_name == nullptr || image->dlpi_name[0] == '\0';
    const std::string path = mainProgram ? executablePath() : std::string(image->dlpi_name);
    if (!TallyUncaughtExceptionHandler::isOwnImage(path)) {
        return 0;
    }
    const ElfW(Ehdr)* header = nullptr;
    uintptr_t textAddress = 0;
    for (int i = 0; i < image->dlpi_phnum; ++i) {
        const ElfW(Phdr)& segment = image->dlpi_phdr[i];
        if (segment.p_type == PT_LOAD && segment.p_offset == 0 && header == nullptr) {
            header = reinterpret_cast<const ElfW(Ehdr)*>(image->dlpi_addr + segment.p_vaddr);
        }
        if (segment.p_type == PT_LOAD && (segment.p_flags & PF_X) != 0 && textAddress == 0) {
            textAddress = segment.p_vaddr;
        }
    }
    if (header == nullptr) {
        tallyLog("dladdr(%p, ...) failed", static_cast<const void*>(image));
        return 0;
    }
    if (std::memcmp(header->e_ident, ELFMAG, SELFMAG) != 0) {
        uint32_t magic = 0;
        std::memcpy(&magic, header->e_ident, sizeof(magic));
        tallyLog("Invalid ELF header magic value: %x", magic);
        return 0;
    }
    const bool wide = header->e_ident[EI_CLASS] == ELFCLASS64;
    PropertyList info = PropertyList::dictionary();
    info.set("image_name", lastPathComponent(path));
    info.set(
        "image_base_address",
        Text::format("0x%08lx", static_cast<unsigned long>(reinterpret_cast<uintptr_t>(header))));
    info.set("slide_address",
             wide ? Text::format("0x%016llx", static_cast<unsigned long long>(textAddress))
                  : Text::format("0x%08x", static_cast<unsigned>(textAddress)));
    Bytes id = buildId(*image);
    if (!id.empty()) {
        info.set("binary_uuid", TallyUncaughtExceptionHandler::uuidString(id));
    }
    info.set("cpu_arch", TallyUncaughtExceptionHandler::cpuArch(header->e_machine));
    search->info = info;
    return 0;
}

std::string supportSuffix(const PropertyList& info) {
    return Text::format(
        "\n\ndSYM UUID: %@\nCPU Type: %@\nSlide Address: %@\nBinary Image: "
        "%@\nBase Address: %@\n",
        info["binary_uuid"].toString(), info["cpu_arch"].toString(),
        info["slide_address"].toString(), info["image_name"].toString(),
        info["image_base_address"].toString());
}

}  // namespace

void TallyUncaughtExceptionHandler::install() {
    if (g_installed.exchange(true)) {
        return;
    }
    std::optional<PropertyList> image = ownImageInfo();
    TallyStatInternal::updateErrorSupportInfo(image);
    copyText(g_crashPath, sizeof(g_crashPath), pendingCrashFile());
    copyText(g_crashDraftPath, sizeof(g_crashDraftPath), pendingCrashFile() + ".part");
    copyText(g_header, sizeof(g_header),
             std::string(kCrashFileMagic) + "\n" + TLANUtil::appVersionString() + "\n");
    copyText(g_suffix, sizeof(g_suffix), image ? supportSuffix(*image) : std::string());
    setCrashSessionId(TallyStatInternal::sharedInstance().sessionID());
    // The first backtrace loads the unwinder, which allocates: not inside the handler.
    void* frames[2];
    ::backtrace(frames, 2);
    static std::unique_ptr<char[]> alternateStack(new char[kAltStackBytes]);
    stack_t stack{};
    stack.ss_sp = alternateStack.get();
    stack.ss_size = kAltStackBytes;
    ::sigaltstack(&stack, nullptr);
    g_previousTerminate = std::set_terminate(tallyHandleException);
    struct sigaction action {};
    action.sa_handler = tallySignalHandler;
    action.sa_flags = SA_ONSTACK;
    sigemptyset(&action.sa_mask);
    for (int signal : kHandledSignals) {
        ::sigaction(signal, &action, nullptr);
    }
}

void TallyUncaughtExceptionHandler::uninstall() {
    std::set_terminate(nullptr);
    resetSignals();
}

bool TallyUncaughtExceptionHandler::installed() {
    return g_installed;
}

const char* TallyUncaughtExceptionHandler::signalName(int signal) {
    switch (signal) {
        case SIGABRT:
            return "SIGABRT";
        case SIGBUS:
            return "SIGBUS";
        case SIGFPE:
            return "SIGFPE";
        case SIGILL:
            return "SIGILL";
        case SIGSEGV:
            return "SIGSEGV";
        case SIGTRAP:
            return "SIGTRAP";
        default:
            return "";
    }
}

std::string TallyUncaughtExceptionHandler::signalReason(int signal) {
    return Text::format("Application received signal %@", signalName(signal));
}

std::vector<std::string> TallyUncaughtExceptionHandler::backtrace() {
    void* frames[kMaxFrames];
    const int count = ::backtrace(frames, kMaxFrames);
    std::vector<std::string> lines;
    char** symbols = ::backtrace_symbols(frames, count);
    for (int i = 0; i < count; ++i) {
        lines.push_back(symbols ? std::string(symbols[i])
                                : Text::format("%p", static_cast<const void*>(frames[i])));
    }
    std::free(symbols);
    return lines;
}

std::string TallyUncaughtExceptionHandler::pendingCrashFile() {
    return Paths::join(Paths::caches(),
                       Text::format(".%@_tally_crash.log", TLANUtil::appPackageNameString()));
}

void TallyUncaughtExceptionHandler::setCrashSessionId(const std::string& sessionId) {
    copyText(g_sessionId, sizeof(g_sessionId), sessionId);
}

std::optional<PropertyList> TallyUncaughtExceptionHandler::ownImageInfo() {
    ImageSearch search;
    dl_iterate_phdr(inspectImage, &search);
    return search.info;
}

std::string TallyUncaughtExceptionHandler::uuidString(const Bytes& bytes) {
    std::string text;
    for (size_t i = 0; i < bytes.size() && i < 16; ++i) {
        if (i == 4 || i == 6 || i == 8 || i == 10) {
            text += '-';
        }
        text += Text::format("%02X", bytes[i]);
    }
    return text;
}

std::string TallyUncaughtExceptionHandler::cpuArch(uint16_t machine) {
    switch (machine) {
        case EM_386:
            return "i386";
        case EM_X86_64:
            return "x86_64";
        case EM_ARM:
            return "arm-unknown";
        case EM_AARCH64:
            return "arm64";
        case EM_PPC:
            return "powerpc";
        default:
            return "???";
    }
}

bool TallyUncaughtExceptionHandler::isOwnImage(const std::string& path) {
    if (path.empty() || path.find("linux-vdso") != std::string::npos ||
        path.find("linux-gate") != std::string::npos) {
        return false;
    }
    for (const char* system :
         {"/usr/", "/lib/", "/lib32/", "/lib64/", "/libx32/", "/opt/", "/snap/"}) {
        if (path.rfind(system, 0) == 0) {
            return false;
        }
    }
    return true;
}
