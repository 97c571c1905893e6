#include "about_box/about_dialog.h"

#include "data_exchange.h"
#include "resources/resource_ids.h"

namespace picker {

using namespace framework;

CAboutDialog::CAboutDialog() : CDialog(IDD_ABOUTBOX) {}

CAboutDialog::~CAboutDialog() = default;

void CAboutDialog::DoDataExchange(CDataExchange& exchange) {
    DDX_Control(exchange, IDC_LINK, link);
}

BOOL CAboutDialog::InitialiseWindow() {
    CDialog::InitialiseWindow();
    // The link opens the address it shows.
    link.SetTarget(link.GetWindowText());
    return TRUE; // the focus goes to the one tab stop, "OK"
}

} // namespace picker
