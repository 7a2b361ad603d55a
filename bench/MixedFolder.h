#pragma once
// The folder the ZIP benches work on, and the measures they share.
#include <cstdint>
#include <string>

// Makes ROOT\mixed on first use: about 200 MB of text-like, random and
// zero-filled files and 2,000 small ones in subfolders. A marker file says
// the folder is complete, so an interrupted run starts it again.
bool MakeMixedFolder(const std::wstring& root);
// ROOT from the command line, or %TEMP%\qm-zip-bench.
std::wstring MixedFolderRoot(int argc, wchar_t** argv);

bool WriteWhole(const std::wstring& path, const std::string& bytes);
// The files below a folder and their bytes.
void CountTree(const std::wstring& folder, int64_t& files, int64_t& bytes);
// -1 when the file cannot be read.
int64_t FileLength(const std::wstring& path);
// Kernel and user time of this process so far.
double ProcessorSeconds();
