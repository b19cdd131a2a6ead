#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "winutil/ProcessPath.h"

namespace {

using kestro::TDosDevice;

struct TMappingCase {
    const char* Name;
    std::vector<TDosDevice> Drives;
    std::wstring DevicePath;
    std::wstring Expected;
};

void PrintTo(const TMappingCase& c, std::ostream* os)
{
    *os << c.Name;
}

class MapDevicePathToDrive : public testing::TestWithParam<TMappingCase> {};

TEST_P(MapDevicePathToDrive, RewritesTheFirstMatchingDevice)
{
    const TMappingCase& c = GetParam();
    EXPECT_EQ(kestro::MapDevicePathToDrive(c.DevicePath, c.Drives), c.Expected);
}

const std::vector<TDosDevice> kWineDrives = {
    {L'C', L"\\Device\\HarddiskVolume1"},
    {L'Z', L"\\Device\\HarddiskVolume2"},
};
const std::vector<TDosDevice> kVolumes1And10 = {
    {L'C', L"\\Device\\HarddiskVolume1"},
    {L'D', L"\\Device\\HarddiskVolume10"},
};

const TMappingCase kMappingCases[] = {
    {"second drive", kWineDrives, L"\\Device\\HarddiskVolume2\\x\\a.exe", L"Z:\\x\\a.exe"},
    {"first drive", kWineDrives, L"\\Device\\HarddiskVolume1\\windows\\notepad.exe", L"C:\\windows\\notepad.exe"},
    {"volume 10 is not volume 1", kVolumes1And10, L"\\Device\\HarddiskVolume10\\a.exe", L"D:\\a.exe"},
    {"volume 1 beside volume 10", kVolumes1And10, L"\\Device\\HarddiskVolume1\\a.exe", L"C:\\a.exe"},
    {"no lettered drive", kWineDrives, L"\\Device\\Mup\\server\\share\\a.exe", L"\\Device\\Mup\\server\\share\\a.exe"},
    {"no drives at all", {}, L"\\Device\\HarddiskVolume1\\a.exe", L"\\Device\\HarddiskVolume1\\a.exe"},
    {"first match wins",
     {{L'E', L"\\Device\\Shared"}, {L'F', L"\\Device\\Shared"}},
     L"\\Device\\Shared\\a.exe",
     L"E:\\a.exe"},
    {"case-sensitive", kWineDrives, L"\\device\\harddiskvolume2\\a.exe", L"\\device\\harddiskvolume2\\a.exe"},
    {"device alone, no backslash after it", kWineDrives, L"\\Device\\HarddiskVolume2", L"\\Device\\HarddiskVolume2"},
    {"device not at the start", kWineDrives, L"\\\\?\\Device\\HarddiskVolume2\\a.exe",
     L"\\\\?\\Device\\HarddiskVolume2\\a.exe"},
    {"empty path", kWineDrives, L"", L""},
};
INSTANTIATE_TEST_SUITE_P(Devices, MapDevicePathToDrive, testing::ValuesIn(kMappingCases));

}  // namespace
