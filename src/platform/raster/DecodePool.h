#pragma once
#include "platform/raster/DecodedPicture.h"

#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

// A few worker threads that decode picture files ahead of need. The game
// thread asks for a file early (Request) and takes the result when it needs
// the picture (Take), waiting for it if a worker is still busy with it, or
// decoding it itself if no worker has started it yet. Workers touch nothing
// but the file and the result they make. At most `maxHeld` results are kept
// or under way; one that nobody took is dropped, oldest first, to make room.
// A request may bring where the pixels go (a texture's memory, PixelTarget):
// the result that comes back carries it. Owned by a picture loader on the
// game thread, which alone requests, takes and drops results.
class CDecodePool {
public:
    // Decodes the file into `picture`, which holds what the request brought.
    using DecodeFn = std::function<void(const std::string& path, DecodedPicture& picture)>;
    // What a request brings; called on the requesting thread, only when the
    // request is taken.
    using StartFn = std::function<DecodedPicture()>;

    CDecodePool(int workers, size_t maxHeld, DecodeFn decode);
    CDecodePool(const CDecodePool&) = delete;
    CDecodePool& operator=(const CDecodePool&) = delete;
    ~CDecodePool();  // workers finish the file in hand and stop

    // False when the file is already asked for or there is no room.
    bool Request(const std::string& path, const StartFn& start = nullptr);
    // The result for a requested file (waiting for it if needed); nothing for
    // a file never requested, or one dropped since.
    std::optional<DecodedPicture> Take(const std::string& path);
    size_t Held() const;

private:
    enum class JobState : uint8_t { Queued, Running, Done };
    struct Job {
        JobState state = JobState::Queued;
        uint64_t order = 0;     // of its request: the oldest unused result goes first
        DecodedPicture result;  // what the request brought, until a worker starts
    };

    void Work();
    bool DropOldestDone();
    bool HasRoomFor(const std::string& path);
    void StartWorkers();

    const int m_workerCount;
    const size_t m_maxHeld;
    const DecodeFn m_decode;
    mutable std::mutex m_mutex;
    std::condition_variable m_queued;  // a job was queued, or the pool stops
    std::condition_variable m_done;    // a job is done
    std::deque<std::string> m_queue;   // paths of queued jobs, in request order
    std::map<std::string, Job> m_jobs;
    uint64_t m_requests = 0;
    bool m_stopping = false;
    std::vector<std::thread> m_workers;  // started by the first request
};
