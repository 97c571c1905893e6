#include "about_dialog.h"

#include "resources/resource_ids.h"

CAboutDialog::CAboutDialog() : CDialog(IDD_ABOUTBOX) {}
