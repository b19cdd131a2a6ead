#pragma once
// An in-memory dialog template for the fixtures' dialogs: the dialog's header with its caption
// and font, then its controls, each of a system class. Header-only: the fixture programs link
// nothing of the test framework.
#include <windows.h>

#include <vector>

namespace kestro::test {

class TDialogTemplate {
public:
    // The dialog, `cx` x `cy` dialog units, in "MS Shell Dlg" 9 points, with `controls` controls.
    TDialogTemplate(DWORD style, short cx, short cy, const wchar_t* caption, WORD controls)
    {
        Dword(style | DS_SETFONT);
        Dword(0);
        FWords.insert(FWords.end(), {controls, 0, 0, static_cast<WORD>(cx), static_cast<WORD>(cy), 0, 0});
        Text(caption);
        FWords.push_back(9);
        Text(L"MS Shell Dlg");
    }

    // A control of the system class `classAtom` (0x0080 button, 0x0081 edit, ...).
    void Add(WORD classAtom, DWORD style, short x, short y, short cx, short cy, WORD id, const wchar_t* text)
    {
        // Each control starts on a DWORD boundary.
        if (FWords.size() % 2) FWords.push_back(0);
        Dword(WS_CHILD | WS_VISIBLE | style);
        Dword(0);
        FWords.insert(FWords.end(), {static_cast<WORD>(x), static_cast<WORD>(y), static_cast<WORD>(cx),
                                     static_cast<WORD>(cy), id, 0xFFFF, classAtom});
        Text(text);
        FWords.push_back(0);  // no creation data
    }

    const DLGTEMPLATE* Get() const { return reinterpret_cast<const DLGTEMPLATE*>(FWords.data()); }

private:
    void Dword(DWORD value)
    {
        FWords.push_back(LOWORD(value));
        FWords.push_back(HIWORD(value));
    }
    void Text(const wchar_t* text)
    {
        for (; *text; ++text) FWords.push_back(static_cast<WORD>(*text));
        FWords.push_back(0);
    }

    std::vector<WORD> FWords;
};

}  // namespace kestro::test
