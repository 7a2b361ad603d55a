#pragma once
#include <string>
#include <vector>

#include "main/CommandLineJob.h"

struct TSystemServices;

// Runs a job the command line asked for without opening a window: help,
// a usage error, /report or /csv. Returns the process's exit code.
// The arguments after the program's own name, split as every Windows
// program splits its command line.
std::vector<std::string> CommandLineArguments(const wchar_t* commandLine);

int RunCommandLineJob(const TCommandLineJob& job, TSystemServices& system);
