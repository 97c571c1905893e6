// The manifest the built Tintview.exe carries, read back the way the platform's loader reads it:
// through an activation context made from the program's own resource. A setting in the wrong
// namespace or element is not seen there, as the loader would not see it. (Wine does not scale
// for DPI and reports every program per-monitor aware, so what the settings do cannot be seen
// here; README: "Manifest and DPI".)
#include "test_paths.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cwctype>
#include <string>
#include <vector>

using namespace testing_support;

namespace {

class ActivationContext {
public:
    explicit ActivationContext(const std::string& program) {
        ACTCTXA description{};
        description.cbSize = sizeof description;
        description.dwFlags = ACTCTX_FLAG_RESOURCE_NAME_VALID;
        description.lpSource = program.c_str();
        description.lpResourceName = MAKEINTRESOURCEA(1); // the one the loader takes
        context_ = CreateActCtxA(&description);
    }
    ~ActivationContext() {
        if (Made()) {
            ReleaseActCtx(context_);
        }
    }
    ActivationContext(const ActivationContext&) = delete;
    ActivationContext& operator=(const ActivationContext&) = delete;

    bool Made() const { return context_ != INVALID_HANDLE_VALUE; }
    HANDLE Get() const { return context_; }

    // A setting of the windowsSettings element, or "(none)".
    std::wstring Setting(const wchar_t* space, const wchar_t* name) const {
        wchar_t value[256] = L"";
        SIZE_T written = 0;
        if (!QueryActCtxSettingsW(0, context_, space, name, value, std::size(value), &written)) {
            return L"(none)";
        }
        return value;
    }

private:
    HANDLE context_;
};

constexpr wchar_t kSettings2005[] = L"http://schemas.microsoft.com/SMI/2005/WindowsSettings";
constexpr wchar_t kSettings2016[] = L"http://schemas.microsoft.com/SMI/2016/WindowsSettings";

// A comma-separated list, each value trimmed.
std::vector<std::wstring> Values(const std::wstring& list) {
    std::vector<std::wstring> values;
    size_t start = 0;
    while (start <= list.size()) {
        const size_t end = std::min(list.find(L',', start), list.size());
        std::wstring value = list.substr(start, end - start);
        value.erase(0, value.find_first_not_of(L' '));
        value.erase(value.find_last_not_of(L' ') + 1);
        values.push_back(value);
        start = end + 1;
    }
    return values;
}

std::wstring Lower(std::wstring text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](wchar_t c) { return static_cast<wchar_t>(std::towlower(c)); });
    return text;
}

// The supported systems the context lists. Newer platform headers give each entry a version
// field more than older ones: the returned size tells which layout it is.
std::vector<DWORD> SupportedSystems(HANDLE context) {
    alignas(8) BYTE buffer[1024];
    SIZE_T size = 0;
    if (!QueryActCtxW(0, context, nullptr, CompatibilityInformationInActivationContext, buffer,
                      sizeof buffer, &size)) {
        return {};
    }
    const DWORD count = *reinterpret_cast<const DWORD*>(buffer);
    struct Entry {
        size_t first, stride;
    };
    for (const Entry layout : {Entry{8, 32}, Entry{4, 20}}) {
        if (size != layout.first + count * layout.stride) {
            continue;
        }
        std::vector<DWORD> systems;
        for (DWORD i = 0; i < count; ++i) {
            const BYTE* entry = buffer + layout.first + i * layout.stride;
            if (*reinterpret_cast<const int*>(entry + sizeof(GUID)) ==
                ACTCTX_COMPATIBILITY_ELEMENT_TYPE_OS) {
                systems.push_back(reinterpret_cast<const GUID*>(entry)->Data1);
            }
        }
        return systems;
    }
    ADD_FAILURE() << "compatibility information of an unknown layout: " << size << " bytes for "
                  << count << " entries";
    return {};
}

TEST(TintviewManifest, AsksPerMonitorAwarenessV2ThenPerMonitorAndThenSystemAwareness) {
    const ActivationContext context(BesideTest("Tintview.exe"));
    ASSERT_TRUE(context.Made()) << "the manifest was not read: error " << GetLastError();
    // Windows 10 1607 and later take the first value they know of the list.
    EXPECT_EQ(Values(context.Setting(kSettings2016, L"dpiAwareness")),
              (std::vector<std::wstring>{L"PerMonitorV2", L"PerMonitor"}));
    // Earlier systems read only this one: per-monitor from 8.1, system awareness before.
    EXPECT_EQ(Lower(context.Setting(kSettings2005, L"dpiAware")), L"true/pm");
}

TEST(TintviewManifest, RunsAsInvokerOnTheListedSystemsWithNoOtherAssembly) {
    const ActivationContext context(BesideTest("Tintview.exe"));
    ASSERT_TRUE(context.Made());
    ACTIVATION_CONTEXT_RUN_LEVEL_INFORMATION level{};
    SIZE_T size = 0;
    ASSERT_TRUE(QueryActCtxW(0, context.Get(), nullptr, RunlevelInformationInActivationContext,
                             &level, sizeof level, &size));
    EXPECT_EQ(level.RunLevel, ACTCTX_RUN_LEVEL_AS_INVOKER);
    EXPECT_EQ(level.UiAccess, 0u);

    // Windows 7, 8, 8.1, and 10 and 11.
    EXPECT_EQ(SupportedSystems(context.Get()),
              (std::vector<DWORD>{0x35138b9a, 0x4a2f28e3, 0x1f676c76, 0x8e0f7a12}));

    // Only the program itself: no common controls 6, nor any other dependency.
    alignas(8) BYTE buffer[1024];
    ASSERT_TRUE(QueryActCtxW(0, context.Get(), nullptr, ActivationContextDetailedInformation,
                             buffer, sizeof buffer, &size));
    EXPECT_EQ(
        reinterpret_cast<const ACTIVATION_CONTEXT_DETAILED_INFORMATION*>(buffer)->ulAssemblyCount,
        1u);
}

} // namespace
