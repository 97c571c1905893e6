// The about box: the program's name, version and icon, the maker's notice, and the product's
// web address as a link.
#pragma once

#include "dialog.h"
#include "about_box/link_label.h"

namespace picker {

class CAboutDialog : public framework::CDialog {
public:
    CAboutDialog();
    ~CAboutDialog() override;

protected:
    // No message table of its own: every message gets the plain dialog's handling.
    void DoDataExchange(framework::CDataExchange& exchange) override;
    BOOL InitialiseWindow() override;

private:
    CLinkLabel link;
};

} // namespace picker
