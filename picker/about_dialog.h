// The about box: the program's name, version and icon, and its web address.
#pragma once

#include "dialog.h"

class CAboutDialog : public framework::CDialog {
public:
    CAboutDialog();
};
