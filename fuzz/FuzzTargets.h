#pragma once
// The fuzz targets, each as a function of one input. libFuzzer drives them
// in the fuzz build; qmfuzzreplay runs the seed corpus through them in
// every native build.
#include <cstddef>
#include <cstdint>

// The adapter's entry-list reader, as a plain archive and as a self-extractor.
int FuzzZipEntryList(const uint8_t* data, size_t size);
// The extractor's archive reader: the central directory, every entry's data
// and every entry's name.
int FuzzZipArchive(const uint8_t* data, size_t size);
// An archive the writer makes from a recipe the input spells, read back.
int FuzzZipRoundTrip(const uint8_t* data, size_t size);
// Every entry of an archive copied into a new one, as adding to it does.
int FuzzZipRewrite(const uint8_t* data, size_t size);
// The name rules: file patterns, archive specifications, stored and
// extracted names.
int FuzzZipNames(const uint8_t* data, size_t size);
// The archive index as anyone could have written it, listed and emptied.
int FuzzArchiveIndex(const uint8_t* data, size_t size);
