// The system's message box, shown for real: it must show the whole of its text, as the person
// reads why the copy failed from it. What the box draws on the screen is compared with the same
// text drawn without a bottom edge in the box's own width and font.
#include "platform/SystemMessageBox.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <atomic>
#include <string>
#include <thread>

namespace {

constexpr wchar_t kCaption[] = L"Moonrise Harbour";
constexpr int kTextId = 0xFFFF; // the box's static text

struct Ink {
    int pixels = 0;
    int bottom = -1; // the lowest row with ink
};

// The dark pixels of a picture of the text.
Ink inkOf(HDC picture, int width, int height) {
    Ink ink;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const COLORREF colour = GetPixel(picture, x, y);
            if (GetRValue(colour) + GetGValue(colour) + GetBValue(colour) < 300) {
                ++ink.pixels;
                ink.bottom = y;
            }
        }
    return ink;
}

struct BoxText {
    bool found = false;
    int height = 0;
    Ink shown, whole;
};

// What the box on the screen shows of its text, and what the whole text takes, drawn as the
// static control draws it.
BoxText readBoxText(HWND box) {
    BoxText read;
    HWND text = GetDlgItem(box, kTextId);
    if (!text)
        return read;
    read.found = true;
    wchar_t words[2048] = {};
    GetWindowTextW(text, words, 2048);
    RECT area;
    GetClientRect(text, &area);
    read.height = area.bottom;
    HDC screen = GetDC(text);
    HDC shown = CreateCompatibleDC(screen);
    HBITMAP shownBits = CreateCompatibleBitmap(screen, area.right, area.bottom);
    HGDIOBJ oldShown = SelectObject(shown, shownBits);
    BitBlt(shown, 0, 0, area.right, area.bottom, screen, 0, 0, SRCCOPY);
    read.shown = inkOf(shown, area.right, area.bottom);
    RECT unbounded = {0, 0, area.right, area.bottom * 3};
    HDC whole = CreateCompatibleDC(screen);
    HBITMAP wholeBits = CreateCompatibleBitmap(screen, unbounded.right, unbounded.bottom);
    HGDIOBJ oldWhole = SelectObject(whole, wholeBits);
    FillRect(whole, &unbounded, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    HGDIOBJ oldFont =
        SelectObject(whole, reinterpret_cast<HFONT>(SendMessageW(text, WM_GETFONT, 0, 0)));
    DrawTextW(whole, words, -1, &unbounded, DT_LEFT | DT_EXPANDTABS | DT_WORDBREAK | DT_NOPREFIX);
    read.whole = inkOf(whole, unbounded.right, unbounded.bottom);
    SelectObject(whole, oldFont);
    SelectObject(whole, oldWhole);
    SelectObject(shown, oldShown);
    DeleteObject(wholeBits);
    DeleteObject(shownBits);
    DeleteDC(whole);
    DeleteDC(shown);
    ReleaseDC(text, screen);
    return read;
}

// Shows the box, reads it once it is painted, and closes it.
BoxText showAndRead(const std::string& text) {
    BoxText read;
    std::atomic<bool> shown{true};
    std::thread watcher([&] {
        HWND box = nullptr;
        for (int wait = 0; wait < 400 && shown; ++wait) {
            Sleep(25);
            box = FindWindowW(L"#32770", kCaption);
            if (!box || !IsWindowVisible(box))
                continue;
            // Painted: the text on the screen stays the same from one look to the next.
            const BoxText now = readBoxText(box);
            if (now.shown.pixels > 0 && now.shown.pixels == read.shown.pixels)
                break;
            read = now;
        }
        if (box)
            PostMessageW(box, WM_COMMAND, IDOK, 0);
    });
    (void)platform::showSystemMessageBox(nullptr, text, "Moonrise Harbour",
                                         platform::BoxButtons::Ok, platform::BoxIcon::Error, false);
    shown = false;
    watcher.join();
    return read;
}

TEST(SystemMessageBoxTest, ShowsTheWholeOfItsText) {
    const char* const texts[] = {
        "Cannot write the file: C:\\Games\\Moonrise Harbour\\data\\music.snd\n"
        "The disk C: is full: the installation needs 1.2 MB more.",
        "Nie mo\xc5\xbcna zapisa\xc4\x87 pliku: C:\\Gry\\Moonrise Harbour\\dane\\muzyka.snd\n"
        "Dysk C: jest pe\xc5\x82ny.",
        "Cannot write the file: C:\\Games\\Moonrise Harbour\\readme.txt\n"
        "The file could not be written in C:\\Games\\Moonrise Harbour.",
        "The disk C: is full.",
    };
    for (const char* text : texts) {
        const BoxText read = showAndRead(text);
        ASSERT_TRUE(read.found) << "no box showed " << text;
        EXPECT_LT(read.whole.bottom, read.height) << "the box is too low for " << text;
        EXPECT_EQ(read.shown.pixels, read.whole.pixels) << "the box shows less of " << text;
    }
}

} // namespace
