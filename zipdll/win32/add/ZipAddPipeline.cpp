#include "ZipAddPipeline.h"

#include <algorithm>
#include <chrono>

namespace {
// How far the workers may read ahead of the writer, in bytes of files.
constexpr uint64_t kReadAheadBudget = 48u << 20;
constexpr size_t kReadChunk = 1u << 20;

unsigned WorkerCount() {
    SYSTEM_INFO info;
    GetSystemInfo(&info);
    return std::clamp<unsigned>(unsigned(info.dwNumberOfProcessors), 1, 4);
}

uint64_t Weight(const TZipPipelineJob& job) { return job.Entry.ExpectedSize + 4096; }
}  // namespace

TZipAddPipeline::TZipAddPipeline(std::vector<TZipPipelineJob> jobs, int level, const std::string& password,
                                 TZipRandom random)
    : Jobs(std::move(jobs)), Level(level), Password(password), Random(std::move(random)) {
    Results.reserve(Jobs.size());
    for (size_t i = 0; i < Jobs.size(); ++i) Results.push_back(std::make_unique<TZipPipelineResult>());
    if (Jobs.empty()) return;
    const unsigned count = std::min<unsigned>(WorkerCount(), unsigned(Jobs.size()));
    for (unsigned i = 0; i < count; ++i) Workers.emplace_back([this] { Work(); });
}

TZipAddPipeline::~TZipAddPipeline() {
    Cancelled = true;
    Changed.notify_all();
    for (std::thread& worker : Workers) worker.join();
}

void TZipAddPipeline::Work() {
    TZipEntryCompressor compressor(Level);
    std::vector<unsigned char> data;
    for (;;) {
        size_t index = 0;
        {
            std::unique_lock<std::mutex> lock(Guard);
            // Jobs are taken in order, so the writer's next job is always
            // taken once everything before it is released.
            Changed.wait(lock, [&] {
                return Cancelled || Next >= Jobs.size() || InFlight == 0 ||
                       InFlight + Weight(Jobs[Next]) <= kReadAheadBudget;
            });
            if (Cancelled || Next >= Jobs.size()) return;
            index = Next++;
            InFlight += Weight(Jobs[index]);
            if (!SparePayloads.empty()) {
                Results[index]->Entry.Payload = std::move(SparePayloads.back());
                SparePayloads.pop_back();
            }
        }
        try {
            Prepare(index, compressor, data);
        } catch (const std::exception&) {
            Results[index]->Failed = true;
            Results[index]->ErrorCode = ERROR_NOT_ENOUGH_MEMORY;
        }
        {
            std::lock_guard<std::mutex> lock(Guard);
            Results[index]->Done = true;
        }
        Changed.notify_all();
    }
}

void TZipAddPipeline::Prepare(size_t index, TZipEntryCompressor& compressor, std::vector<unsigned char>& data) {
    const TZipPipelineJob& job = Jobs[index];
    TZipPipelineResult& result = *Results[index];
    TZipFileSource source(job.Path);
    if (!source.IsOpen()) {
        result.Failed = true;
        result.ErrorCode = source.ErrorCode();
        return;
    }
    result.Stamp = source.StampAtOpen();
    if (result.Stamp.Size > kZipWholeFileLimit) {
        result.TooLarge = true;
        return;
    }
    // Read to the end, which may lie past the size seen at opening.
    size_t size = 0;
    for (;;) {
        if (Cancelled) return;
        if (data.size() < size + kReadChunk) data.resize(size + kReadChunk);
        size_t got = 0;
        if (!source.Read(data.data() + size, kReadChunk, got)) {
            result.Failed = true;
            result.ErrorCode = source.ErrorCode();
            return;
        }
        if (got == 0) break;
        size += got;
        result.BytesRead = size;
        if (size > kZipWholeFileLimit) {
            result.TooLarge = true;
            return;
        }
    }
    TFileStamp after;
    result.Changed = !source.CurrentStamp(after) || after != result.Stamp;
    TZipNewEntry entry = job.Entry;
    entry.ExpectedSize = size;
    if (!compressor.Prepare(entry, data.data(), size, Password, Random, result.Entry)) {
        result.Failed = true;
        result.ErrorCode = ERROR_NOT_ENOUGH_MEMORY;
    }
    if (data.size() > 2 * kZipWholeFileLimit) data = std::vector<unsigned char>();
}

bool TZipAddPipeline::Wait(size_t index, const std::function<bool(uint64_t bytesRead)>& progress) {
    TZipPipelineResult& result = *Results[index];
    std::unique_lock<std::mutex> lock(Guard);
    while (!result.Done) {
        // Wakes now and then to pass on progress, so the caller's window
        // stays responsive and can stop a long file.
        Changed.wait_for(lock, std::chrono::milliseconds(50));
        if (result.Done) break;
        const uint64_t read = result.BytesRead;
        lock.unlock();
        const bool go = progress(read);
        lock.lock();
        if (!go) return false;
    }
    return true;
}

void TZipAddPipeline::Release(size_t index) {
    {
        std::lock_guard<std::mutex> lock(Guard);
        InFlight -= Weight(Jobs[index]);
        std::string& payload = Results[index]->Entry.Payload;
        if (SparePayloads.size() < 2 * Workers.size() + 2) SparePayloads.push_back(std::move(payload));
        payload = std::string();
    }
    Changed.notify_all();
}
