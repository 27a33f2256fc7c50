// A top-level window's first drawing: its buffer made before the window is
// shown and handed over by the kernel whole, and the wait for the screen.
#pragma once

class QWidget;

namespace vexo::platform {

// Makes `window`'s native window and its buffer at the window's size, and
// has the kernel supply every page of the buffer in one call. The first
// drawing writes every pixel: page by page that is a fault for each 4 KiB,
// which on a virtual machine costs more than the drawing itself. A window
// maximised or full screen has its size only once shown and is left as it
// is; so is any buffer where the kernel cannot (before Linux 5.14).
void Prepare_buffer(QWidget* window);

// Returns once `window`, shown, has been drawn on screen: the window system
// shows it a moment after it is asked to, and that showing draws it. Drawn
// here instead when the window system has not shown it within a second.
void Draw_when_on_screen(QWidget* window);

} // namespace vexo::platform
