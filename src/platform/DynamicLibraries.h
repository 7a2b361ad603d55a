#pragma once
#include <functional>
#include <memory>
#include <string>

// A library loaded at run time; unloaded when destroyed.
class ILoadedLibrary {
public:
    virtual ~ILoadedLibrary() = default;
    // The address of an exported function; null when the library has none of that name.
    virtual void* Find(const char* name) = 0;
};

// Loading libraries and calling into them, so that the code that drives a
// plug-in library can be tested with functions of the test standing in.
class IDynamicLibraries {
public:
    virtual ~IDynamicLibraries() = default;
    // Loads by full path or by bare name through the system's search, with
    // the system's critical-error boxes kept away; null when it cannot.
    virtual std::unique_ptr<ILoadedLibrary> Load(const std::string& pathOrName) = 0;
    // Runs `call`, which calls into loaded code. False when that code faulted
    // (bad memory access, illegal instruction...) instead of returning: the
    // call is abandoned at the fault.
    virtual bool CallGuarded(const std::function<void()>& call) = 0;
};
