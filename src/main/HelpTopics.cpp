#include "main/HelpTopics.h"

#include "controls/ShellOpenReport.h"
#include "platform/FileSystem.h"
#include "scan/PathUtils.h"

namespace {

std::string HelpFolder(const std::string& exeFolder) { return AddBackslash(exeFolder) + "help\\"; }

}  // namespace

std::string HelpIndexPath(const std::string& exeFolder) { return HelpFolder(exeFolder) + "index.htm"; }

std::string HelpTopicPath(const std::string& exeFolder, int context,
                          const std::function<bool(const std::string& path)>& fileExists) {
    if (context > 0) {
        const std::string topic = HelpFolder(exeFolder) + std::to_string(context) + ".htm";
        if (fileExists && fileExists(topic)) return topic;
    }
    return HelpIndexPath(exeFolder);
}

void THelpTopics::OpenHelp(int context) const {
    const std::string folder = ParentFolderPath(ProgramPath);
    IFileSystem& files = Files;
    const std::string page =
        context == 0
            ? HelpIndexPath(folder)
            : HelpTopicPath(folder, context, [&files](const std::string& path) { return files.PathExists(path); });
    OpenOrSay(Shell, Boxes, page);
}
