#pragma once

#include <algorithm>
#include <functional>
#include <memory>
#include <mutex>
#include <vector>

// One pending-record list of the record cache with its own lock: recording adds under the lock,
// readers take a snapshot and walk it unlocked, an accepted upload removes exactly the records
// it carried. Owned by TallyStatInternal; any thread.
template <class T>
class TLANRecordList {
public:
    using Pointer = std::shared_ptr<T>;

    // Adds one newly recorded record: the recorder lists it (the step it is handed) and records
    // it in one step of its own.
    void add(Pointer record) {
        Recorder recorder;
        {
            std::lock_guard<std::recursive_mutex> guard(m_mutex);
            recorder = m_recorder;
        }
        const auto list = [&] {
            std::lock_guard<std::recursive_mutex> guard(m_mutex);
            m_records.push_back(record);
        };
        if (!recorder) {
            list();
            return;
        }
        recorder(*record, list);
    }
    // Lists the record unless this very record is listed already (a parked record that was also
    // listed when it was recorded); not recorded again, as it was when it was parked.
    void appendIfAbsent(Pointer record) {
        std::lock_guard<std::recursive_mutex> guard(m_mutex);
        if (std::find(m_records.begin(), m_records.end(), record) == m_records.end()) {
            m_records.push_back(std::move(record));
        }
    }
    // Called with every record add() takes (not those append() restores) and the step that
    // lists it; set once, at start.
    using Recorder = std::function<void(const T&, const std::function<void()>& list)>;
    void setRecorder(Recorder recorder) {
        std::lock_guard<std::recursive_mutex> guard(m_mutex);
        m_recorder = std::move(recorder);
    }
    void append(const std::vector<Pointer>& records) {
        std::lock_guard<std::recursive_mutex> guard(m_mutex);
        m_records.insert(m_records.end(), records.begin(), records.end());
    }
    std::vector<Pointer> snapshot() const {
        std::lock_guard<std::recursive_mutex> guard(m_mutex);
        return m_records;
    }
    std::vector<Pointer> takeAll() {
        std::lock_guard<std::recursive_mutex> guard(m_mutex);
        return std::exchange(m_records, {});
    }
    bool empty() const {
        std::lock_guard<std::recursive_mutex> guard(m_mutex);
        return m_records.empty();
    }
    size_t size() const {
        std::lock_guard<std::recursive_mutex> guard(m_mutex);
        return m_records.size();
    }
    void clear() {
        std::lock_guard<std::recursive_mutex> guard(m_mutex);
        m_records.clear();
    }
    // Removes the records whose sending mark is set (found in a snapshot), and only those.
    void removeMarked() {
        std::vector<Pointer> marked;
        for (const Pointer& record : snapshot()) {
            if (record->sendingFlag) {
                marked.push_back(record);
            }
        }
        std::lock_guard<std::recursive_mutex> guard(m_mutex);
        std::erase_if(m_records, [&](const Pointer& record) {
            return std::find(marked.begin(), marked.end(), record) != marked.end();
        });
    }
    // The list's lock, for callers that check and add in one step.
    std::recursive_mutex& mutex() const { return m_mutex; }

private:
    mutable std::recursive_mutex m_mutex;
    std::vector<Pointer> m_records;
    Recorder m_recorder;
};
