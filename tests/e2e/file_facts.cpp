#include "file_facts.h"

#include "handle_owners.h"

#include <objbase.h>
#include <shlobj.h>

#include <fstream>
#include <iterator>
#include <memory>
#include <type_traits>
#include <vector>

namespace install_test {
namespace {

struct Releaser {
    void operator()(IUnknown* object) const { object->Release(); }
};
template <typename Interface> using ComOwner = std::unique_ptr<Interface, Releaser>;

using KeyOwner = testing_support::CUniqueRegistryKey;

std::wstring Wide(const std::string& text) {
    std::wstring wide(text.size() + 1, L'\0');
    const int length = MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, wide.data(),
                                           static_cast<int>(wide.size()));
    wide.resize(length > 0 ? length - 1 : 0);
    return wide;
}

std::optional<std::string> VersionString(const std::vector<char>& record, const char* name) {
    char* text = nullptr;
    UINT length = 0;
    const std::string query = std::string("\\StringFileInfo\\040904B0\\") + name;
    if (!VerQueryValueA(record.data(), query.c_str(), reinterpret_cast<void**>(&text), &length) ||
        !text) {
        return std::nullopt;
    }
    return std::string(text);
}

std::string Contents(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

} // namespace

std::optional<Shortcut> ReadShortcut(const std::string& path) {
    IShellLinkA* rawLink = nullptr;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                reinterpret_cast<void**>(&rawLink)))) {
        return std::nullopt;
    }
    const ComOwner<IShellLinkA> link(rawLink);
    IPersistFile* rawFile = nullptr;
    if (FAILED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&rawFile)))) {
        return std::nullopt;
    }
    const ComOwner<IPersistFile> file(rawFile);
    if (FAILED(file->Load(Wide(path).c_str(), STGM_READ))) {
        return std::nullopt;
    }
    char target[MAX_PATH] = "";
    char folder[MAX_PATH] = "";
    link->GetPath(target, MAX_PATH, nullptr, SLGP_RAWPATH);
    link->GetWorkingDirectory(folder, MAX_PATH);
    return Shortcut{target, folder};
}

std::optional<VersionRecord> ReadVersionRecord(const std::string& path) {
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeA(path.c_str(), &ignored);
    if (size == 0) {
        return std::nullopt;
    }
    std::vector<char> record(size);
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    if (!GetFileVersionInfoA(path.c_str(), 0, size, record.data()) ||
        !VerQueryValueA(record.data(), "\\", reinterpret_cast<void**>(&fixed), &length) ||
        length < sizeof *fixed) {
        return std::nullopt;
    }
    return VersionRecord{HIWORD(fixed->dwFileVersionMS), LOWORD(fixed->dwFileVersionMS),
                         fixed->dwFileType, VersionString(record, "ProductVersion").value_or(""),
                         VersionString(record, "OriginalFilename").value_or("")};
}

std::optional<std::string> EmbeddedManifest(const std::string& path) {
    // As resources only: a 64-bit program's too, from this 32-bit one.
    const testing_support::CUniqueModule module(LoadLibraryExA(
        path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE));
    const HRSRC found =
        module ? FindResourceA(module.get(), MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24)) : nullptr;
    const HGLOBAL loaded = found ? LoadResource(module.get(), found) : nullptr;
    if (!loaded) {
        return std::nullopt;
    }
    return std::string(static_cast<const char*>(LockResource(loaded)),
                       SizeofResource(module.get(), found));
}

int Bitness(const std::string& path) {
    const std::string bytes = Contents(path);
    if (bytes.size() < 0x40 || bytes.compare(0, 2, "MZ") != 0) {
        return 0;
    }
    const DWORD header = *reinterpret_cast<const DWORD*>(bytes.data() + 0x3C);
    if (bytes.size() < header + 6 || bytes.compare(header, 4, std::string("PE\0\0", 4)) != 0) {
        return 0;
    }
    const WORD machine = *reinterpret_cast<const WORD*>(bytes.data() + header + 4);
    return machine == IMAGE_FILE_MACHINE_AMD64 ? 64 : machine == IMAGE_FILE_MACHINE_I386 ? 32 : 0;
}

bool SameContent(const std::string& a, const std::string& b) {
    const std::string first = Contents(a);
    return !first.empty() && first == Contents(b);
}

bool SamePath(const std::string& a, const std::string& b) {
    return lstrcmpiA(a.c_str(), b.c_str()) == 0;
}

std::optional<std::string> MachineString32(const std::string& key, const std::string& name) {
    HKEY raw = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, key.c_str(), 0, KEY_READ | KEY_WOW64_32KEY, &raw) !=
        ERROR_SUCCESS) {
        return std::nullopt;
    }
    const KeyOwner owned(raw);
    char data[1024] = "";
    DWORD size = sizeof data - 1;
    DWORD type = 0;
    if (RegQueryValueExA(raw, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(data), &size) !=
            ERROR_SUCCESS ||
        type != REG_SZ) {
        return std::nullopt;
    }
    return std::string(data);
}

} // namespace install_test
