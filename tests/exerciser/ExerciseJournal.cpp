#include "ExerciseJournal.h"

#include <chrono>

// The death callback lives in the sanitizer runtime, which only a sanitized build links.
#if defined(__SANITIZE_ADDRESS__)
#define VKJY_HAS_SANITIZER_HOOK 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define VKJY_HAS_SANITIZER_HOOK 1
#endif
#endif
#ifdef VKJY_HAS_SANITIZER_HOOK
#include <sanitizer/common_interface_defs.h>
#endif

namespace {
const ExerciseJournal* g_current = nullptr;

#ifdef VKJY_HAS_SANITIZER_HOOK
void printCurrentJournal() {
    if (g_current) {
        std::fprintf(stderr, "\nexerciser: %s\nexerciser: whole event list in %s\n",
                     g_current->tail(40).c_str(), g_current->path().c_str());
    }
}
#endif
}  // namespace

ExerciseJournal::ExerciseJournal(uint64_t seed, std::string path)
    : m_seed(seed), m_path(std::move(path)), m_file(std::fopen(m_path.c_str(), "w")) {
    if (m_file) {
        std::fprintf(m_file, "seed %llu\n", static_cast<unsigned long long>(m_seed));
        std::fflush(m_file);
    }
    g_current = this;
#ifdef VKJY_HAS_SANITIZER_HOOK
    __sanitizer_set_death_callback(printCurrentJournal);
#endif
}

ExerciseJournal::~ExerciseJournal() {
    if (g_current == this) {
        g_current = nullptr;
    }
    if (m_file) {
        std::fclose(m_file);
    }
}

void ExerciseJournal::add(const std::string& event) {
    m_events.push_back(event);
    if (m_file) {
        const double seconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - m_start).count();
        std::fprintf(m_file, "%zu: %s [%.1f s]\n", m_events.size(), event.c_str(), seconds);
        std::fflush(m_file);
    }
}

std::string ExerciseJournal::text() const {
    return tail(m_events.size());
}

std::string ExerciseJournal::tail(size_t count) const {
    std::string result = "seed " + std::to_string(m_seed) + "\n";
    const size_t first = m_events.size() > count ? m_events.size() - count : 0;
    for (size_t i = first; i < m_events.size(); ++i) {
        result += std::to_string(i + 1) + ": " + m_events[i] + "\n";
    }
    return result;
}
