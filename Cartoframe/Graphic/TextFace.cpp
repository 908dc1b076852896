// A face's two fonts: loading "<face>.0" and "<face>.1", their shared style
// and spacing, and tear-down.
#include "Diagnostics.h"
#include "FileProcess.h"
#include "Text.h"

#include <cstdio>

namespace cartoframe {

namespace {

constexpr char kSingleByteName[] = "%s.0";
constexpr char kTwoByteName[] = "%s.1";

// The file name of one of the face's fonts; false when it would not fit a
// name the file store accepts.
bool fontFileName(char (&filename)[FP_NAME_MAX + 1], const char* format, const char* face) {
    const int length = std::snprintf(filename, sizeof filename, format, face);
    return length >= 0 && length <= FP_NAME_MAX;
}

void setFontStyle(TFont* font, int flags, TColor textColour, TColor backColour, TColor outlineColour) {
    font->style = static_cast<std::uint8_t>(flags);
    font->textColour = textColour;
    font->backColour = backColour;
    font->outlineColour = outlineColour;
}

} // namespace

int g_CreateText(TText* text, const char* face, int cache) {
    if (text == nullptr)
        return -1;
    g_DestroyText(text);
    if (face == nullptr)
        face = "";
    char filename[FP_NAME_MAX + 1];
    const bool named = fontFileName(filename, kSingleByteName, face);
    if (!CF_CHECK_TEXT(named && g_CreateFont(&text->ASCII, filename, cache),
                       "g_CreateFont(&text->ASCII, filename, cache)")) {
        g_DestroyText(text);
        return -1;
    }
    if (!fontFileName(filename, kTwoByteName, face) || !g_CreateFont(&text->DBCS, filename, cache))
        dbg_Print("g_CreateText: DBCS font not available!?\n");
    return 0;
}

void g_DestroyText(TText* text) {
    if (text == nullptr)
        return;
    g_DestroyFont(&text->ASCII);
    g_DestroyFont(&text->DBCS);
    *text = TText{};
}

void g_SetTextStyle(TText* text, int flags, TColor textColour, TColor backColour, TColor outlineColour) {
    if (text == nullptr)
        return;
    setFontStyle(&text->ASCII, flags, textColour, backColour, outlineColour);
    setFontStyle(&text->DBCS, flags, textColour, backColour, outlineColour);
}

void g_SetTextSpacing(TText* text, int letterSpacing, int lineSpacing) {
    if (text == nullptr)
        return;
    text->letterSpacing = letterSpacing;
    text->lineSpacing = lineSpacing;
}

} // namespace cartoframe
