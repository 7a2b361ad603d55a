#pragma once

// Opens the help topic of a context number; 0 opens the contents.
class IHelpOpener {
public:
    virtual ~IHelpOpener() = default;
    virtual void OpenHelp(int context) const = 0;
};
