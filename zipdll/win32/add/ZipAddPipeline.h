#pragma once
// Reads and compresses the smaller files on worker threads, ahead of the
// writer: the waits on the file system and deflate then run beside each
// other. The caller's thread still writes every entry in order and makes
// every callback.
#include <windows.h>

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "ZipAddFiles.h"
#include "zipdll/core/ZipEntryCompressor.h"
#include "zipdll/core/ZipWriter.h"

// Files up to this size are read whole and compressed by the workers;
// larger ones are streamed by the writer itself.
constexpr uint64_t kZipWholeFileLimit = 8u << 20;

struct TZipPipelineJob {
    std::wstring Path;  // as CreateFileW takes it
    TZipNewEntry Entry;
};

struct TZipPipelineResult {
    bool Done = false;
    bool Failed = false;    // could not be opened or read: ErrorCode says why
    bool TooLarge = false;  // grew past the limit: the writer streams it instead
    DWORD ErrorCode = 0;
    std::string Why;       // when the failure is not a system error
    bool Changed = false;  // its size or write time changed while it was read
    TFileStamp Stamp;      // at opening
    TZipPreparedEntry Entry;
    std::atomic<uint64_t> BytesRead{0};
};

class TZipAddPipeline {
public:
    TZipAddPipeline(std::vector<TZipPipelineJob> jobs, int level, const std::string& password, TZipRandom random);
    ~TZipAddPipeline();
    TZipAddPipeline(const TZipAddPipeline&) = delete;
    TZipAddPipeline& operator=(const TZipAddPipeline&) = delete;

    // Waits until job `index` is done, telling `progress` the bytes read so
    // far now and then; false when `progress` asks to stop.
    bool Wait(size_t index, const std::function<bool(uint64_t bytesRead)>& progress);
    TZipPipelineResult& Result(size_t index) { return *Results[index]; }
    // The writer is done with the job: its memory goes back to the budget.
    void Release(size_t index);

private:
    void Work();
    void Prepare(size_t index, TZipEntryCompressor& compressor, std::vector<unsigned char>& data);

    std::vector<TZipPipelineJob> Jobs;
    std::vector<std::unique_ptr<TZipPipelineResult>> Results;
    int Level;
    std::string Password;
    TZipRandom Random;
    std::mutex Guard;
    std::condition_variable Changed;
    size_t Next = 0;
    uint64_t InFlight = 0;  // bytes of jobs taken and not yet released
    // Payload buffers given back, reused so that large blocks are not
    // mapped and faulted in afresh for every file.
    std::vector<std::string> SparePayloads;
    std::atomic<bool> Cancelled{false};
    std::vector<std::thread> Workers;
};
