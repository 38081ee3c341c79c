// The picture pane: the focused game's picture of one kind, to the right of
// the game list, with a splitter on its left edge and the kind chosen in a
// drop-down list at its top. Its state lives in Settings (PicturePane,
// PicturePaneWidth, PictureKind). User-interface thread only.
#pragma once

#include <windows.h>

#include <string>

namespace quillet {

extern HWND PicturePaneWindow;

// Creates the pane beside the game list `list`, shown or hidden as
// Settings.PicturePane says, and starts the picture thread.
HWND CreatePicturePane(HWND mainWindow, HWND list);
// Stops the picture thread (and waits for it); the pane's state is already
// in Settings.
void ClosePicturePane();

// The width the pane takes from the right of the main window's client area:
// 0 while hidden; never so wide that the list keeps less than a minimum.
int PicturePaneWidth(int clientWidth);
// Moves the pane to its place at the right of a client area `clientWidth`
// wide, from `top` down `height` pixels.
void PlacePicturePane(int clientWidth, int top, int height);

bool PicturePaneShown();
// Shows or hides the pane and lays the main window out again.
void ShowPicturePane(bool shown);
// Moves to the next (step 1) or previous (-1) kind of picture.
void StepPictureKind(int step);

// MAME's folder or its ini files may have changed: pictures and icons are
// looked for again.
void RefreshPictures();

// The focused game changed: its short name, its parent's (or ""), and its
// description, shown when it has no picture.
void ShowPictureOf(const std::string& game, const std::string& parent, const std::wstring& description);

// The pane's state, for the tests: the game whose search ended last ("" while
// the focused game's runs), and the picture shown (the one before stays up
// until the search ends).
struct PicturePaneState {
    std::string game;
    bool hasPicture;
    int pictureWidth;
    int pictureHeight;
};
PicturePaneState CurrentPicture();
// Where the picture is drawn in the pane's client area (empty without one).
RECT PictureRect();

}  // namespace quillet
