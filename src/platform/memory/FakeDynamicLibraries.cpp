#include "platform/memory/FakeDynamicLibraries.h"

namespace {
class TFakeLibrary : public ILoadedLibrary {
public:
    TFakeLibrary(const TFakeDynamicLibraries::TExports& exports, TFakeDynamicLibraries& owner)
        : Exports(exports), Owner(owner) {
        ++Owner.Loaded;
    }
    ~TFakeLibrary() override {
        if (!KeptLoaded) --Owner.Loaded;
    }
    void* Find(const char* name) override {
        const auto found = Exports.find(name);
        return found == Exports.end() ? nullptr : found->second;
    }
    void KeepLoaded() override {
        if (!KeptLoaded) ++Owner.Kept;
        KeptLoaded = true;
    }

private:
    const TFakeDynamicLibraries::TExports& Exports;
    TFakeDynamicLibraries& Owner;
    bool KeptLoaded = false;
};
}  // namespace

std::unique_ptr<ILoadedLibrary> TFakeDynamicLibraries::Load(const std::string& fullPath) {
    LoadAttempts.push_back(fullPath);
    const auto found = Libraries.find(fullPath);
    if (found == Libraries.end()) return nullptr;
    return std::make_unique<TFakeLibrary>(found->second, *this);
}

bool TFakeDynamicLibraries::CallGuarded(const std::function<void()>& call) {
    if (FaultCalls) return false;
    struct TRestore {
        TFakeDynamicLibraries& Owner;
        bool Outer;
        int Depth;
        ~TRestore() {
            Owner.Armed = Outer;
            Owner.GuardedCalls = Depth;
        }
    } restore{*this, Armed, GuardedCalls};
    ++GuardedCalls;
    Armed = true;
    call();
    return true;
}

bool TFakeDynamicLibraries::ArmGuard(bool armed) {
    const bool was = Armed;
    Armed = armed && GuardedCalls > 0;
    return was;
}
