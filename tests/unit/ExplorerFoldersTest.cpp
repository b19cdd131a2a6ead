// The Explorer tab's reading of the shell's list of its windows, against an in-process fake of
// the interfaces it walks, and the order and filter of what it found.
#include <windows.h>
#include <exdisp.h>
#include <shlguid.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "ui/ExplorerFolders.h"
#include "winutil/ShellWindows.h"

using namespace kestro;

namespace {

#define KESTRO_FAKE(method, ...)                           \
    HRESULT STDMETHODCALLTYPE method(__VA_ARGS__) override \
    {                                                      \
        return E_NOTIMPL;                                  \
    }

// One window of the shell's list: its browser, view, folder view and folder in one object that
// counts the references handed out.
class TFakeWindow : public IDispatch,
                    public IServiceProvider,
                    public IShellBrowser,
                    public IShellView,
                    public IFolderView,
                    public IPersistFolder2 {
public:
    // `location` is the folder shown (nullptr: the view fails); `window` the top-level window.
    TFakeWindow(PIDLIST_ABSOLUTE location, HWND window) : FLocation(location), FWindow(window) {}
    ~TFakeWindow() { ::CoTaskMemFree(FLocation); }
    LONG References() const { return FReferences; }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override
    {
        if (iid == IID_IUnknown || iid == IID_IDispatch)
            *out = static_cast<IDispatch*>(this);
        else if (iid == IID_IServiceProvider)
            *out = static_cast<IServiceProvider*>(this);
        else if (iid == IID_IShellBrowser)
            *out = static_cast<IShellBrowser*>(this);
        else if (iid == IID_IShellView)
            *out = static_cast<IShellView*>(this);
        else if (iid == IID_IFolderView)
            *out = static_cast<IFolderView*>(this);
        else if (iid == IID_IPersistFolder2)
            *out = static_cast<IPersistFolder2*>(this);
        else {
            *out = nullptr;
            return E_NOINTERFACE;
        }
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(++FReferences); }
    ULONG STDMETHODCALLTYPE Release() override { return static_cast<ULONG>(--FReferences); }

    HRESULT STDMETHODCALLTYPE QueryService(REFGUID service, REFIID iid, void** out) override
    {
        *out = nullptr;
        return service == SID_STopLevelBrowser ? QueryInterface(iid, out) : E_NOINTERFACE;
    }
    HRESULT STDMETHODCALLTYPE QueryActiveShellView(IShellView** view) override
    {
        if (!FLocation) return E_FAIL;
        AddRef();
        *view = this;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetFolder(REFIID iid, void** out) override { return QueryInterface(iid, out); }
    HRESULT STDMETHODCALLTYPE GetCurFolder(PIDLIST_ABSOLUTE* location) override
    {
        *location = ::ILClone(FLocation);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetWindow(HWND* window) override
    {
        *window = FWindow;
        return S_OK;
    }

    KESTRO_FAKE(GetTypeInfoCount, UINT*)
    KESTRO_FAKE(GetTypeInfo, UINT, LCID, ITypeInfo**)
    KESTRO_FAKE(GetIDsOfNames, REFIID, LPOLESTR*, UINT, LCID, DISPID*)
    KESTRO_FAKE(Invoke, DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*)
    KESTRO_FAKE(ContextSensitiveHelp, WINBOOL)
    KESTRO_FAKE(InsertMenusSB, HMENU, LPOLEMENUGROUPWIDTHS)
    KESTRO_FAKE(SetMenuSB, HMENU, HOLEMENU, HWND)
    KESTRO_FAKE(RemoveMenusSB, HMENU)
    KESTRO_FAKE(SetStatusTextSB, LPCWSTR)
    KESTRO_FAKE(EnableModelessSB, WINBOOL)
    KESTRO_FAKE(TranslateAcceleratorSB, MSG*, WORD)
    KESTRO_FAKE(BrowseObject, PCUIDLIST_RELATIVE, UINT)
    KESTRO_FAKE(GetViewStateStream, DWORD, IStream**)
    KESTRO_FAKE(GetControlWindow, UINT, HWND*)
    KESTRO_FAKE(SendControlMsg, UINT, UINT, WPARAM, LPARAM, LRESULT*)
    KESTRO_FAKE(OnViewWindowActive, IShellView*)
    KESTRO_FAKE(SetToolbarItems, LPTBBUTTONSB, UINT, UINT)
    KESTRO_FAKE(TranslateAccelerator, MSG*)
    KESTRO_FAKE(EnableModeless, WINBOOL)
    KESTRO_FAKE(UIActivate, UINT)
    KESTRO_FAKE(Refresh, void)
    KESTRO_FAKE(CreateViewWindow, IShellView*, LPCFOLDERSETTINGS, IShellBrowser*, RECT*, HWND*)
    KESTRO_FAKE(DestroyViewWindow, void)
    KESTRO_FAKE(GetCurrentInfo, LPFOLDERSETTINGS)
    KESTRO_FAKE(AddPropertySheetPages, DWORD, LPFNSVADDPROPSHEETPAGE, LPARAM)
    KESTRO_FAKE(SaveViewState, void)
    KESTRO_FAKE(SelectItem, PCUITEMID_CHILD, SVSIF)
    KESTRO_FAKE(GetItemObject, UINT, REFIID, void**)
    KESTRO_FAKE(GetCurrentViewMode, UINT*)
    KESTRO_FAKE(SetCurrentViewMode, UINT)
    KESTRO_FAKE(Item, int, PITEMID_CHILD*)
    KESTRO_FAKE(ItemCount, UINT, int*)
    KESTRO_FAKE(Items, UINT, REFIID, void**)
    KESTRO_FAKE(GetSelectionMarkedItem, int*)
    KESTRO_FAKE(GetFocusedItem, int*)
    KESTRO_FAKE(GetItemPosition, PCUITEMID_CHILD, POINT*)
    KESTRO_FAKE(GetSpacing, POINT*)
    KESTRO_FAKE(GetDefaultSpacing, POINT*)
    KESTRO_FAKE(GetAutoArrange, void)
    KESTRO_FAKE(SelectItem, int, DWORD)
    KESTRO_FAKE(SelectAndPositionItems, UINT, PCUITEMID_CHILD_ARRAY, POINT*, DWORD)
    KESTRO_FAKE(GetClassID, CLSID*)
    KESTRO_FAKE(Initialize, PCIDLIST_ABSOLUTE)

private:
    PIDLIST_ABSOLUTE FLocation;
    HWND FWindow;
    LONG FReferences = 1;
};

// The shell's list of its windows; an item of nullptr makes Item fail.
class TFakeShellWindows : public IShellWindows {
public:
    std::vector<TFakeWindow*> Windows;
    HRESULT CountResult = S_OK;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void** out) override
    {
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE get_Count(LONG* count) override
    {
        *count = static_cast<LONG>(Windows.size());
        return CountResult;
    }
    HRESULT STDMETHODCALLTYPE Item(VARIANT index, IDispatch** item) override
    {
        TFakeWindow* window = Windows.at(static_cast<size_t>(index.lVal));
        if (!window) return E_NOTIMPL;
        window->AddRef();
        *item = window;
        return S_OK;
    }
    KESTRO_FAKE(GetTypeInfoCount, UINT*)
    KESTRO_FAKE(GetTypeInfo, UINT, LCID, ITypeInfo**)
    KESTRO_FAKE(GetIDsOfNames, REFIID, LPOLESTR*, UINT, LCID, DISPID*)
    KESTRO_FAKE(Invoke, DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*)
    KESTRO_FAKE(_NewEnum, IUnknown**)
    KESTRO_FAKE(Register, IDispatch*, LONG, int, LONG*)
    KESTRO_FAKE(RegisterPending, LONG, VARIANT*, VARIANT*, int, LONG*)
    KESTRO_FAKE(Revoke, LONG)
    KESTRO_FAKE(OnNavigate, LONG, VARIANT*)
    KESTRO_FAKE(OnActivated, LONG, VARIANT_BOOL)
    KESTRO_FAKE(FindWindowSW, VARIANT*, VARIANT*, int, LONG*, int, IDispatch**)
    KESTRO_FAKE(OnCreated, LONG, IUnknown*)
    KESTRO_FAKE(ProcessAttachDetach, VARIANT_BOOL)
};

PIDLIST_ABSOLUTE LocationOf(const wchar_t* path)
{
    return ::ILCreateFromPathW(path);
}

PIDLIST_ABSOLUTE ThisPC()
{
    PIDLIST_ABSOLUTE location = nullptr;
    ::SHGetSpecialFolderLocation(nullptr, CSIDL_DRIVES, &location);
    return location;
}

HWND W(UINT_PTR n)
{
    return reinterpret_cast<HWND>(n);
}

}  // namespace

TEST(ShellWindowsList, ReadsFileSystemFoldersSkipsTheRestAndReleasesEverything)
{
    TFakeWindow windows(LocationOf(L"C:\\windows"), W(11));
    TFakeWindow thisPc(ThisPC(), W(12));
    TFakeWindow failing(nullptr, W(13));
    TFakeWindow users(LocationOf(L"C:\\users"), W(14));
    TFakeShellWindows list;
    list.Windows = {&windows, &thisPc, &failing, &users};

    std::vector<TExplorerView> views;
    ASSERT_EQ(ReadShellWindows(list, views), S_OK);
    ASSERT_EQ(views.size(), 2u);
    EXPECT_EQ(views[0].Folder, L"C:\\windows");
    EXPECT_EQ(views[0].Window, ::GetAncestor(W(11), GA_ROOT));
    EXPECT_EQ(views[1].Folder, L"C:\\users");
    for (const TFakeWindow* window : list.Windows)
        EXPECT_EQ(window->References(), 1) << "an interface was not released";
}

TEST(ShellWindowsList, AListThatCannotBeWalkedIsReportedForTheFallback)
{
    TFakeWindow windows(LocationOf(L"C:\\windows"), W(11));
    TFakeShellWindows list;
    list.Windows = {&windows};
    list.CountResult = E_NOTIMPL;
    std::vector<TExplorerView> views;
    EXPECT_EQ(ReadShellWindows(list, views), E_NOTIMPL);

    list.CountResult = S_OK;
    list.Windows = {&windows, nullptr};
    EXPECT_EQ(ReadShellWindows(list, views), E_NOTIMPL);
    EXPECT_EQ(windows.References(), 1);
}

TEST(ExplorerTabEntries, FrontWindowFirstTabsInOrderEachFolderOnceOnlyReachable)
{
    const std::vector<TExplorerView> views = {
        {W(3), L"C:\\Back"},   {W(1), L"C:\\FrontTabOne"}, {W(2), L"C:\\Middle"},      {W(1), L"C:\\FrontTabTwo"},
        {W(3), L"c:\\middle"}, {W(2), L"C:\\Gone"},        {W(9), L"C:\\NotInZOrder"},
    };
    const auto reachable = [](const std::wstring& path) { return path != L"C:\\Gone"; };
    EXPECT_EQ(ExplorerTabEntries(views, {W(1), W(2), W(3)}, reachable),
              (std::vector<std::wstring>{L"C:\\FrontTabOne", L"C:\\FrontTabTwo", L"C:\\Middle", L"C:\\Back",
                                         L"C:\\NotInZOrder"}));
}
