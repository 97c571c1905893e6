// Tintview's application object.
#pragma once

#include "app.h"

namespace picker {

class CPickerApp : public framework::CWinApp {
public:
    // Runs the main window modally; the program ends when it does.
    bool StartProgram() override;

protected:
    const framework::CMessageTable* GetMessageTable() const override { return &messageTable; }
    static const framework::CMessageTable messageTable;
};

} // namespace picker
