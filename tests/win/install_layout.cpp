#include "install_layout.h"

#include <windows.h>

namespace uninstall_test {
namespace {

const std::vector<std::string> kProgramFiles = {"Tintview.exe", "Tintview.hlp", "Tintview.cnt",
                                                "Mousetap.dll", "Tintview.gid", "uninstall.exe"};
const std::vector<std::string> kGroupShortcuts = {"Tintview.exe.lnk", "Tintview.hlp.lnk",
                                                  "uninstall.exe.lnk"};

std::vector<std::string> In(const std::string& folder, const std::vector<std::string>& names) {
    std::vector<std::string> paths;
    for (const std::string& name : names) {
        paths.push_back(folder + name);
    }
    return paths;
}

void Append(std::vector<std::string>& to, const std::vector<std::string>& more) {
    to.insert(to.end(), more.begin(), more.end());
}

} // namespace

CInstallLayout::CInstallLayout(const std::string& root)
    : bases{root + "programs\\", root + "menu\\", root + "desktop\\"}, current(root + "current\\") {
    MakeFolders(bases.install);
    MakeFolders(bases.common);
    MakeFolders(bases.desk);
    MakeFolders(current);
}

std::vector<std::string> CInstallLayout::InstalledFiles() const {
    std::vector<std::string> files = In(InstallFolder(), kProgramFiles);
    Append(files, In(GroupFolder(), kGroupShortcuts));
    files.push_back(DesktopShortcut());
    return files;
}

void CInstallLayout::LayInstallation() const {
    for (const std::string& file : InstalledFiles()) {
        LayFile(file);
    }
}

// Beside the layout, folders named like ours; above it, a file named like the program; in the
// current folder, every relative name of the removal list.
std::vector<std::string> CInstallLayout::Decoys() const {
    std::vector<std::string> decoys = In(bases.install + "Prismel2\\", kProgramFiles);
    Append(decoys, In(bases.common + "Prismel2\\", kGroupShortcuts));
    decoys.push_back(bases.install + "Tintview.exe");
    decoys.push_back(bases.common + "Tintview.exe.lnk");
    decoys.push_back(bases.desk + "Tintview.exe");
    Append(decoys, In(current + "Prismel\\", kProgramFiles));
    Append(decoys, In(current + "Prismel\\", kGroupShortcuts));
    decoys.push_back(current + "Tintview.exe.lnk");
    return decoys;
}

void CInstallLayout::LayDecoys() const {
    for (const std::string& decoy : Decoys()) {
        LayFile(decoy);
    }
}

std::vector<std::string> CInstallLayout::MissingDecoys() const {
    std::vector<std::string> missing;
    for (const std::string& decoy : Decoys()) {
        if (!Exists(decoy)) {
            missing.push_back(decoy);
        }
    }
    return missing;
}

bool Exists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

void MakeFolders(const std::string& path) {
    for (size_t slash = path.find('\\', 3); slash != std::string::npos;
         slash = path.find('\\', slash + 1)) {
        CreateDirectoryA(path.substr(0, slash).c_str(), nullptr);
    }
    CreateDirectoryA(path.c_str(), nullptr);
}

void LayFile(const std::string& path) {
    MakeFolders(path.substr(0, path.find_last_of('\\')));
    const HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
        DWORD written = 0;
        WriteFile(file, path.data(), static_cast<DWORD>(path.size()), &written, nullptr);
        CloseHandle(file);
    }
}

void RemoveTree(const std::string& folder) {
    const std::string prefix = folder.back() == '\\' ? folder : folder + "\\";
    WIN32_FIND_DATAA found;
    const HANDLE search = FindFirstFileA((prefix + "*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = found.cFileName;
            if (name == "." || name == "..") {
                continue;
            }
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveTree(prefix + name);
            } else {
                DeleteFileA((prefix + name).c_str());
            }
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    RemoveDirectoryA(prefix.c_str());
}

} // namespace uninstall_test
