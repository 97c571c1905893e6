// Tintview's application object.
#pragma once

#include "app.h"

class CPickerApp : public framework::CWinApp {
public:
    // Runs the main window modally; the program ends when it does.
    bool StartProgram() override;

protected:
    const framework::MessageTable* GetMessageTable() const override { return &messageTable; }
    static const framework::MessageTable messageTable;
};
