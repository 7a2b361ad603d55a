#pragma once
#include <string>

class IFileSystem;
class IMessageBoxes;
class IModalRunner;
class IShellOpen;
class IVersionInfo;

// What the about box and the introductory letter work with; all of it
// outlives them.
struct TInfoBoxServices {
    IShellOpen& Shell;            // help, the web pages and the survey
    IFileSystem& FileSystem;      // whether a help topic exists
    IMessageBoxes& MessageBoxes;  // the about box's hidden message
    IVersionInfo& Version;        // the build number
    IModalRunner& ModalRunner;
    const std::string& ProgramPath;  // the help and SURVEY.TXT lie beside it
};
