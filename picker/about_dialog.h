// The about box: the program's name, version and icon, the maker's notice, and the product's
// web address as a link.
#pragma once

#include "dialog.h"
#include "link_label.h"

class CAboutDialog : public framework::CDialog {
public:
    CAboutDialog();
    ~CAboutDialog() override;

protected:
    // Adds no entries: every message gets the plain dialog's handling.
    const framework::MessageTable* GetMessageTable() const override { return &messageTable; }
    static const framework::MessageTable messageTable;
    void DoDataExchange(framework::CDataExchange& exchange) override;
    BOOL InitialiseWindow() override;

private:
    CLinkLabel link;
};
