#pragma once
#include "main/CommandLineJob.h"

struct TSystemServices;

// Runs a job the command line asked for without opening a window: help,
// a usage error, /report or /csv. Returns the process's exit code.
int RunCommandLineJob(const TCommandLineJob& job, TSystemServices& system);
