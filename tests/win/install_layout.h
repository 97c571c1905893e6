// What an installation lays on disk under the three recorded folders, and decoys beside and
// above it that no uninstall may touch. Every path is a Windows path in the prefix's drive C:.
#pragma once

#include "registry_record.h"

#include <string>
#include <vector>

namespace uninstall_test {

class CInstallLayout {
public:
    // Everything lies under `root` (ending with "\"): the three bases, a sibling folder
    // "Prismel2" in each, and `current`, the folder the uninstaller is started in.
    explicit CInstallLayout(const std::string& root);

    const Bases& BasesOf() const { return bases; }
    const std::string& Current() const { return current; }
    std::string InstallFolder() const { return bases.install + "Prismel\\"; }
    std::string GroupFolder() const { return bases.common + "Prismel\\"; }
    std::string DesktopShortcut() const { return bases.desk + "Tintview.exe.lnk"; }

    // The installed files and the two folders, in the order they were laid.
    std::vector<std::string> InstalledFiles() const;
    void LayInstallation() const;
    // The decoys, all present once laid; MissingDecoys lists any that are gone.
    void LayDecoys() const;
    std::vector<std::string> MissingDecoys() const;

private:
    std::vector<std::string> Decoys() const;

    Bases bases;
    std::string current;
};

bool Exists(const std::string& path);
// Lays a small file, making its folders as needed.
void LayFile(const std::string& path);
void MakeFolders(const std::string& path);
// Removes a folder with everything in it.
void RemoveTree(const std::string& folder);

} // namespace uninstall_test
