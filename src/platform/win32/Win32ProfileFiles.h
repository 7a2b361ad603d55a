#pragma once
#include "platform/ProfileFile.h"

// The system's profile functions. A file this creates starts as UTF-16 (a
// byte order mark first), so that the functions keep names the ANSI code
// page cannot hold; files already there keep their encoding.
class TWin32ProfileFiles : public IProfileFiles {
public:
    std::vector<std::string> KeyNames(const std::string& file, const std::string& section) override;
    std::string ReadString(const std::string& file, const std::string& section, const std::string& key,
                           const std::string& fallback) override;
    bool WriteString(const std::string& file, const std::string& section, const std::string& key,
                     const std::string& value) override;
    bool DeleteKey(const std::string& file, const std::string& section, const std::string& key) override;
};
