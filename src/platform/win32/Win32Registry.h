#pragma once
#include <string>
#include <vector>

#include "platform/Registry.h"

// The current user's registry through the wide-character Reg* calls. Each
// call opens the key it needs and closes it again.
class TWin32Registry : public IRegistry {
public:
    bool CreateKey(const std::string& path) override;
    bool KeyExists(const std::string& path) override;
    bool ValueExists(const std::string& path, const std::string& name) override;
    TRegRead ReadValue(const std::string& path, const std::string& name, TRegValue& value) override;
    bool WriteString(const std::string& path, const std::string& name, const std::string& text) override;
    bool WriteBinary(const std::string& path, const std::string& name, const std::vector<uint8_t>& data) override;
    bool DeleteKey(const std::string& path) override;
    TRegRead ClassesKeyState(const std::string& path) override;
};
