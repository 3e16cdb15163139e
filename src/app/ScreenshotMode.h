#pragma once
// Screenshot mode: "--screenshot FILE [--hover CONTROL] [--edit-key KEY
// [--record-macro KEYS]]" shows the main window once it is initialised,
// optionally with the key-assignment editor open for a key (and keys recorded
// into a new macro), renders it as the user sees it into a PNG and ends the
// program. Used for documentation and on machines without a display
// (under Xvfb).

#include <QImage>
#include <QPoint>
#include <QString>
#include <filesystem>
#include <functional>
#include <optional>
#include <span>
#include <string>

class QWidget;

namespace tessel {

struct ScreenshotRequest {
    QString file;
    // The control to show hovered: a skin entry of the window's INI file
    // ("FUNC_PROFILE2") or "x,y" in window pixels; empty for none.
    QString hover;
    // The key whose editor is shown over the window: its English label ("A",
    // "Print Screen"), "G1".."G9" or its skin entry ("KEY_01E"); empty for none.
    QString editKey;
    // Keys recorded into a new macro on the editor's macro page ("A,B");
    // empty for none.
    QString recordMacro;
};

// The main-window control of a key named as `editKey` takes it; none for a
// name no key button has.
std::optional<int> KeyControlOfName(const QString& name);

// Opens the editor of a key control without waiting and returns its window;
// nullptr when it does not open.
using OpenEditorFunction = std::function<QWidget*(int controlId)>;

// The request among the arguments after the program name; none without
// "--screenshot FILE".
std::optional<ScreenshotRequest> ScanScreenshotRequest(std::span<const std::string> arguments);

// Where to put the pointer for `hover`: "x,y", or the centre of the entry's
// rectangle in section "BUTTONINFO" of `skinIni`. None for an empty text or an
// entry the skin does not place.
std::optional<QPoint> HoverPoint(const QString& hover, const std::filesystem::path& skinIni);

// The window with its controls as painted, transparent outside its shape.
QImage RenderWindowPicture(QWidget& window);

// Gives the control under `point` (window pixels) the pointer: the real one
// where the platform can move it, and the enter and move events in any case.
void HoverAt(QWidget& window, QPoint point);

// The window with a second window drawn over it where it lies on the screen;
// the picture covers both.
QImage RenderWindowsPicture(QWidget& window, QWidget& above);

// Arms the screenshot: once `initialised` holds, `window` is shown, the
// requested editor opened, the requested control hovered and the picture
// written; then `finish` runs with the exit status (0 written, 1 not written,
// the editor did not open or the window never initialised).
void ArmScreenshot(QWidget& window, ScreenshotRequest request, const std::filesystem::path& skinIni,
                   std::function<bool()> initialised, std::function<void(int status)> finish,
                   OpenEditorFunction openEditor = {});

}  // namespace tessel
