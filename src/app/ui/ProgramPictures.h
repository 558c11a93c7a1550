// ProgramPictures: the program's own pictures, drawn by code at first use and looked up by number.
#pragma once

#include <QIcon>
#include <QImage>

constexpr int kProgramIconPicture = 128;  // the window icon
constexpr int kSplashPicture = 137;       // the splash window, 288 x 212
// The export presets' 32 x 32 pictures.
constexpr int kAllZoomsPicture = 131;
constexpr int kOneZoomPicture = 132;
constexpr int kOneChannelPicture = 134;
constexpr int kAllChannelsPicture = 135;

// The picture of that number; a null image for a number the program has no picture of.
QImage ProgramPicture(int number);
// The program icon painted at size x size pixels (what the installed icon files hold).
QImage ProgramIconImage(int size);
// The window icon in the sizes the window system asks for.
QIcon ProgramIcon();
