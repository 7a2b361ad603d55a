#pragma once
#include <string>
#include <vector>

// Initialisation files ("name=value" lines under "[Section]" headers) read
// and written the way the system's profile functions do, by file path.
class IProfileFiles {
public:
    virtual ~IProfileFiles() = default;
    // The section's key names in file order; none when the file or the section is missing.
    virtual std::vector<std::string> KeyNames(const std::string& file, const std::string& section) = 0;
    virtual std::string ReadString(const std::string& file, const std::string& section, const std::string& key,
                                   const std::string& fallback) = 0;
    // Creates the file and the section when needed; false when it cannot be written.
    virtual bool WriteString(const std::string& file, const std::string& section, const std::string& key,
                             const std::string& value) = 0;
    virtual bool DeleteKey(const std::string& file, const std::string& section, const std::string& key) = 0;
};
