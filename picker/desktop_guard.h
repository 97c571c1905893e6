// Sampling changes the whole desktop: a system-wide hook swallows the mouse and the arrow is
// replaced. If Tintview dies while sampling, this puts both back before it goes.
#pragma once

class CPickerDialog;

class DesktopGuard {
public:
    explicit DesktopGuard(CPickerDialog& dialog);
    ~DesktopGuard();
    DesktopGuard(const DesktopGuard&) = delete;
    DesktopGuard& operator=(const DesktopGuard&) = delete;
};
