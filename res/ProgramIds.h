#pragma once
// The program's own icon and manifest: resource 1 of each, where Windows
// and Explorer look first.
#define IDI_PROGRAM 1
#define IDR_PROGRAM_MANIFEST 1
