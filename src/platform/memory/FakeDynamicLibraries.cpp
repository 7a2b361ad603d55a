#include "platform/memory/FakeDynamicLibraries.h"

namespace {
class TFakeLibrary : public ILoadedLibrary {
public:
    TFakeLibrary(const TFakeDynamicLibraries::TExports& exports, int& loaded) : Exports(exports), Loaded(loaded) {
        ++Loaded;
    }
    ~TFakeLibrary() override { --Loaded; }
    void* Find(const char* name) override {
        const auto found = Exports.find(name);
        return found == Exports.end() ? nullptr : found->second;
    }

private:
    const TFakeDynamicLibraries::TExports& Exports;
    int& Loaded;
};
}  // namespace

std::unique_ptr<ILoadedLibrary> TFakeDynamicLibraries::Load(const std::string& pathOrName) {
    LoadAttempts.push_back(pathOrName);
    const auto found = Libraries.find(pathOrName);
    if (found == Libraries.end()) return nullptr;
    return std::make_unique<TFakeLibrary>(found->second, Loaded);
}

bool TFakeDynamicLibraries::CallGuarded(const std::function<void()>& call) {
    if (FaultCalls) return false;
    call();
    return true;
}
