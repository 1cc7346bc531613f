// Helpers the pages share for their controls: a control's rectangle in its dialog, an
// owner-drawn control made in place of a template's placeholder, and static text colours.
#pragma once
#include <windows.h>

#include <string>

// The control's rectangle in its parent's client coordinates (empty when missing).
RECT ControlRect(HWND dialog, int id);
RECT ChildRect(HWND parent, HWND child);
// Destroys the template's placeholder and returns its rectangle, for a control made there.
RECT TakePlaceholder(HWND dialog, int id);
// Shows or hides a dialog's control.
void ShowControl(HWND dialog, int id, bool shown);
// A static control's colours (WM_CTLCOLORSTATIC): its text colour over a transparent
// background, on the brush returned.
INT_PTR StaticColours(WPARAM dc, COLORREF text, HBRUSH background);
// A volume box's colours (WM_CTLCOLOREDIT): accent text on the controls' background.
INT_PTR VolumeEditColours(WPARAM dc);
// A volume box's text as typed (up to 31 characters: a long one still saturates).
std::wstring VolumeEditText(HWND edit);
// A page's background in two bands parted by a one-pixel line at lineTop.
void PaintBands(HDC dc, const RECT& client, int lineTop, HBRUSH upper, COLORREF line, HBRUSH lower);
// The playlist pages' background: colour 23 down to the given line (the bottom of the list,
// or of the editor's page), a line of colour 30 there, the bar below it in colour 25.
void PaintBarPage(HDC dc, const RECT& client, int barTop);
