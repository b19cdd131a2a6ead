// The folder read from the item dialog's address bar, whatever the display language of Windows.
#include <gtest/gtest.h>

#include "winutil/FileDialog.h"

using namespace kestro;

TEST(BreadcrumbText, TheFolderFollowsTheLabelInEveryLanguage)
{
    for (const wchar_t* label : {L"アドレス: ", L"Address: ", L"Adresse : ", L"Adresse: "}) {
        EXPECT_EQ(FolderFromBreadcrumbText(std::wstring(label) + L"C:\\Users\\a: b"), L"C:\\Users\\a: b");
        EXPECT_EQ(FolderFromBreadcrumbText(label), L"");
    }
}

TEST(BreadcrumbText, WithoutALabelSixUnitsAreDropped)
{
    EXPECT_EQ(FolderFromBreadcrumbText(L"アドレス：　C:\\データ"), L"C:\\データ");
    EXPECT_EQ(FolderFromBreadcrumbText(L"abcdef"), L"");
    EXPECT_EQ(FolderFromBreadcrumbText(L"abc"), L"");
    EXPECT_EQ(FolderFromBreadcrumbText(L""), L"");
}
