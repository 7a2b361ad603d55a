#include <string>

#include "FuzzTargets.h"
#include "cleanup/ZipEntryList.h"
#include "platform/memory/MemoryByteStream.h"

int FuzzZipEntryList(const uint8_t* data, size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    for (bool selfExtractor : {false, true}) {
        TMemoryByteStream stream(bytes);
        const TZipEntryList list = ReadZipEntryList(stream, selfExtractor);
        // Every entry read must lie inside the input.
        for (const TZipEntry& entry : list.Entries)
            if (entry.Name.size() != entry.NameLength || entry.Name.size() > size) __builtin_trap();
    }
    return 0;
}
