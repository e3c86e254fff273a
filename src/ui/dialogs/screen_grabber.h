#pragma once

// A still copy of the whole screen (every monitor of the virtual desktop).
// The window system's own grab comes first; where it refuses (a Wayland
// session gives nothing, or a black picture), the desktop portal's screenshot
// request is used when the session offers one.

#include <QImage>
#include <QRect>

#include <functional>
#include <optional>

struct FrozenScreen
{
    // Null when no picture could be had. Pixel (x, y) shows the desktop point
    // desktop.topLeft() + (x, y), in the desktop's logical pixels.
    QImage picture;
    QRect desktop;
    // The user turned the portal's request down: nothing to say about it.
    bool declined = false;
};

using ScreenGrabber = std::function<FrozenScreen()>;

// Nothing at all, or nothing but black: what a refused grab gives.
bool IsBlankPicture(const QImage& picture);

// What the portal answered: a picture, a refusal by the user, or nothing
// because no portal is offered or it failed.
struct PortalAnswer
{
    QImage picture;
    bool declined = false;
};

// The grabbed picture when it shows something, else the portal's, made the
// desktop's size; the portal is only asked when needed.
FrozenScreen ChooseScreenPicture(const QImage& grabbed, QRect desktop, const std::function<PortalAnswer()>& askPortal);

// org.freedesktop.portal.Screenshot over the session bus, without its
// interactive dialog.
PortalAnswer PortalScreenshot();

// The real screen, through QScreen::grabWindow and then the portal.
FrozenScreen GrabScreen();
