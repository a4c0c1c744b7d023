// Reads this program's own version record and icon back the way Windows
// Explorer does. The test links the same resource as the program.

#include <gtest/gtest.h>

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace {

std::vector<std::byte> ownVersionInfo()
{
    std::wstring path(MAX_PATH, L'\0');
    path.resize(GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size())));
    DWORD ignored = 0;
    std::vector<std::byte> info(GetFileVersionInfoSizeW(path.c_str(), &ignored));
    if (info.empty() || !GetFileVersionInfoW(path.c_str(), 0, static_cast<DWORD>(info.size()), info.data()))
        info.clear();
    return info;
}

std::wstring versionString(const std::vector<std::byte>& info, const std::wstring& name)
{
    struct Translation {
        WORD language;
        WORD codePage;
    };
    Translation* translation = nullptr;
    UINT size = 0;
    if (!VerQueryValueW(info.data(), L"\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translation), &size)
        || size < sizeof(Translation))
        return L"(no translation)";
    wchar_t block[64];
    swprintf(block, 64, L"\\StringFileInfo\\%04x%04x\\", translation->language, translation->codePage);
    wchar_t* value = nullptr;
    if (!VerQueryValueW(info.data(), (block + name).c_str(), reinterpret_cast<void**>(&value), &size))
        return L"(missing)";
    return value;
}

class VersionRecord : public ::testing::TestWithParam<std::pair<std::wstring, std::wstring>> {};

TEST_P(VersionRecord, ReadsAsWindowsShowsIt)
{
    const std::vector<std::byte> info = ownVersionInfo();
    ASSERT_FALSE(info.empty());
    EXPECT_EQ(versionString(info, GetParam().first), GetParam().second) << std::string(GetParam().first.begin(), GetParam().first.end());
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Strings, VersionRecord, ::testing::Values(
    std::pair{L"ProductName", L"Quillmere"},
    std::pair{L"FileVersion", L"1.00"},
    std::pair{L"ProductVersion", L"1.00"}),
    [](const auto& info) { return std::string(info.param.first.begin(), info.param.first.end()); });
// clang-format on

TEST(VersionRecord, FixedFileVersionIsOnePointZero)
{
    const std::vector<std::byte> info = ownVersionInfo();
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT size = 0;
    ASSERT_TRUE(VerQueryValueW(info.data(), L"\\", reinterpret_cast<void**>(&fixed), &size));
    EXPECT_EQ(fixed->dwFileVersionMS, DWORD{1} << 16);
    EXPECT_EQ(fixed->dwProductVersionMS, DWORD{1} << 16);
}

// An icon group lists its images; each image is a bitmap whose header gives
// twice the height (colour and mask).
#pragma pack(push, 2)
struct IconGroupEntry {
    BYTE width;
    BYTE height;
    BYTE colourCount;
    BYTE reserved;
    WORD planes;
    WORD bitCount;
    DWORD bytes;
    WORD id;
};
struct IconGroup {
    WORD reserved;
    WORD type;
    WORD count;
    IconGroupEntry entries[1];
};
#pragma pack(pop)

const void* resource(LPCWSTR name, LPCWSTR type)
{
    HRSRC found = FindResourceW(nullptr, name, type);
    return found ? LockResource(LoadResource(nullptr, found)) : nullptr;
}

TEST(ApplicationIcon, HoldsOne48By48ImageOf256Colours)
{
    const auto* group = static_cast<const IconGroup*>(resource(L"IDI_ICON1", MAKEINTRESOURCEW(14))); // RT_GROUP_ICON
    ASSERT_NE(group, nullptr);
    ASSERT_EQ(group->count, 1);
    const IconGroupEntry& entry = group->entries[0];
    EXPECT_EQ(entry.width, 48);
    EXPECT_EQ(entry.height, 48);
    EXPECT_EQ(entry.bitCount, 8);

    const auto* image = static_cast<const BITMAPINFOHEADER*>(resource(MAKEINTRESOURCEW(entry.id), MAKEINTRESOURCEW(3))); // RT_ICON
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->biWidth, 48);
    EXPECT_EQ(image->biHeight, 96);
    EXPECT_EQ(image->biBitCount, 8);
}

} // namespace
