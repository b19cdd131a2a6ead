#include "winutil/AddressBar.h"

#include <algorithm>
#include <string_view>

namespace kestro {

namespace {
constexpr const wchar_t* kBandChain[] = {L"WorkerW", L"ReBarWindow32", L"Address Band Root", L"msctls_progress32"};
constexpr const wchar_t* kBreadcrumbHalf[] = {L"Breadcrumb Parent", L"ToolbarWindow32"};
constexpr const wchar_t* kEditHalf[] = {L"ComboBoxEx32", L"ComboBox", L"Edit"};
// From the dialog through the band and the edit's half: the depth ReadWindowShape needs.
constexpr int kChainDepth = 7;

const TWindowShape* OnlyChildOfClass(const TWindowShape& parent, std::wstring_view className)
{
    const auto sameClass = [className](const TWindowShape& child) { return child.Class == className; };
    if (std::count_if(parent.Children.begin(), parent.Children.end(), sameClass) != 1) return nullptr;
    return &*std::find_if(parent.Children.begin(), parent.Children.end(), sameClass);
}

// The end of the chain `classes` below `start`, each the only one of its class; 0 when a link
// is missing or doubled. `shown` tells whether every link is shown.
template <size_t N>
const TWindowShape* FollowChain(const TWindowShape& start, const wchar_t* const (&classes)[N], bool& shown)
{
    const TWindowShape* link = &start;
    shown = true;
    for (const wchar_t* className : classes) {
        link = OnlyChildOfClass(*link, className);
        if (!link) return nullptr;
        shown = shown && link->Shown;
    }
    return link;
}

HWND OnlyLiveChild(HWND parent, const wchar_t* className)
{
    const HWND first = ::FindWindowExW(parent, nullptr, className, nullptr);
    if (!first || ::FindWindowExW(parent, first, className, nullptr)) return nullptr;
    return first;
}

template <size_t N>
HWND FollowLiveChain(HWND start, const wchar_t* const (&classes)[N])
{
    HWND link = start;
    for (const wchar_t* className : classes)
        if (link) link = OnlyLiveChild(link, className);
    return link;
}
}  // namespace

TAddressBarMode AddressBarMode(const TWindowShape& dialog)
{
    if (!ChildOfClass(dialog, L"DUIViewWndClassName")) return TAddressBarMode::None;
    bool bandShown = false;
    bool breadcrumbsShown = false;
    bool editShown = false;
    const TWindowShape* band = FollowChain(dialog, kBandChain, bandShown);
    if (!band || !bandShown) return TAddressBarMode::None;
    if (!FollowChain(*band, kBreadcrumbHalf, breadcrumbsShown) || !FollowChain(*band, kEditHalf, editShown))
        return TAddressBarMode::None;
    if (breadcrumbsShown == editShown) return TAddressBarMode::None;
    return editShown ? TAddressBarMode::Edit : TAddressBarMode::Breadcrumbs;
}

TAddressBar FindAddressBar(HWND dialog)
{
    const HWND band = FollowLiveChain(dialog, kBandChain);
    TAddressBar bar{FollowLiveChain(band, kBreadcrumbHalf), FollowLiveChain(band, kEditHalf)};
    if (!bar.Breadcrumbs || !bar.Edit) return {};
    return bar;
}

TAddressBarMode ReadAddressBarMode(HWND dialog)
{
    return AddressBarMode(ReadWindowShape(dialog, kChainDepth));
}

}  // namespace kestro
