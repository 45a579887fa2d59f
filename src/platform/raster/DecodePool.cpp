#include "platform/raster/DecodePool.h"

#include <algorithm>

CDecodePool::CDecodePool(int workers, size_t maxHeld, DecodeFn decode)
    : m_workerCount(std::max(workers, 1)),
      m_maxHeld(std::max<size_t>(maxHeld, 1)),
      m_decode(std::move(decode)) {}

CDecodePool::~CDecodePool() {
    {
        std::lock_guard lock(m_mutex);
        m_stopping = true;
    }
    m_queued.notify_all();
    for (std::thread& worker : m_workers)
        worker.join();
}

void CDecodePool::StartWorkers() {
    if (!m_workers.empty()) return;
    for (int i = 0; i < m_workerCount; ++i)
        m_workers.emplace_back([this] { Work(); });
}

bool CDecodePool::DropOldestDone() {
    auto oldest = m_jobs.end();
    for (auto job = m_jobs.begin(); job != m_jobs.end(); ++job)
        if (job->second.state == JobState::Done &&
            (oldest == m_jobs.end() || job->second.order < oldest->second.order))
            oldest = job;
    if (oldest == m_jobs.end()) return false;
    m_jobs.erase(oldest);
    return true;
}

bool CDecodePool::HasRoomFor(const std::string& path) {
    std::lock_guard lock(m_mutex);
    if (m_jobs.contains(path)) return false;
    return m_jobs.size() < m_maxHeld || DropOldestDone();
}

// Only the requesting thread adds or removes jobs, so the room found stays
// free while `start` runs outside the lock (it may take a while: a texture
// of 8 MiB is cleared when made).
bool CDecodePool::Request(const std::string& path, const StartFn& start) {
    if (!HasRoomFor(path)) return false;
    DecodedPicture picture = start ? start() : DecodedPicture{};
    {
        std::lock_guard lock(m_mutex);
        Job& job = m_jobs[path];
        job.order = ++m_requests;
        job.result = std::move(picture);
        m_queue.push_back(path);
        StartWorkers();
    }
    m_queued.notify_one();
    return true;
}

std::optional<DecodedPicture> CDecodePool::Take(const std::string& path) {
    std::unique_lock lock(m_mutex);
    auto job = m_jobs.find(path);
    if (job == m_jobs.end()) return std::nullopt;
    if (job->second.state == JobState::Queued) {
        // No worker has it yet: decoding it here is sooner than waiting.
        DecodedPicture picture = std::move(job->second.result);
        std::erase(m_queue, path);
        m_jobs.erase(job);
        lock.unlock();
        m_decode(path, picture);
        return picture;
    }
    m_done.wait(lock, [&] { return job->second.state == JobState::Done; });
    DecodedPicture result = std::move(job->second.result);
    m_jobs.erase(job);
    return result;
}

size_t CDecodePool::Held() const {
    std::lock_guard lock(m_mutex);
    return m_jobs.size();
}

void CDecodePool::Work() {
    std::unique_lock lock(m_mutex);
    for (;;) {
        m_queued.wait(lock, [this] { return m_stopping || !m_queue.empty(); });
        if (m_stopping) return;
        const std::string path = std::move(m_queue.front());
        m_queue.pop_front();
        Job& started = m_jobs[path];
        started.state = JobState::Running;
        DecodedPicture result = std::move(started.result);
        lock.unlock();
        m_decode(path, result);
        lock.lock();
        Job& job = m_jobs[path];  // a running job is never dropped or taken away
        job.result = std::move(result);
        job.state = JobState::Done;
        m_done.notify_all();
    }
}
