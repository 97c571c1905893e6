// Message tables: each class lists, one line per event, which handler a message, command or
// control notification reaches. A table may chain to its base class's table.
#pragma once

#include <windows.h>

#include <initializer_list>
#include <vector>

namespace framework {

class CCmdTarget;

// Unpacks a message into a handler's typed arguments and calls it.
using MessageThunk = LRESULT (*)(CCmdTarget& target, UINT message, WPARAM wParam, LPARAM lParam);

// A child control's own answer to a notification it sent to its parent ("reflected" back).
constexpr UINT ReflectedMessage(UINT message) {
    return 0xBC00 + message;
}

inline constexpr UINT kAnyCode = 0xFFFFFFFF;

struct MessageEntry {
    UINT firstMessage;
    UINT lastMessage;
    UINT code;    // WM_COMMAND only: the notification code, or kAnyCode
    UINT firstId; // WM_COMMAND and WM_NOTIFY only: the command or control identifiers
    UINT lastId;
    MessageThunk thunk;

    bool Matches(UINT message, WPARAM wParam) const {
        if (message < firstMessage || message > lastMessage) {
            return false;
        }
        if (message == WM_NOTIFY) {
            return wParam >= firstId && wParam <= lastId; // the code is the handler's to check
        }
        if (message != WM_COMMAND) {
            return true;
        }
        const UINT id = LOWORD(wParam);
        return id >= firstId && id <= lastId && (code == kAnyCode || code == HIWORD(wParam));
    }
};

class CMessageTable {
public:
    explicit CMessageTable(const CMessageTable* baseTable) : base(baseTable) {}
    CMessageTable(const CMessageTable* baseTable, std::initializer_list<MessageEntry> tableEntries)
        : base(baseTable), entries(tableEntries) {}

    // This table's entry for the message, else its base's. A linear search on every message, on
    // purpose: the largest table (the main window's) has a dozen entries of a few comparisons
    // each, far below what handling any message costs, and the tables stay declarative (a line
    // per event, as the bindings read) where a switch would spread dispatch through each class.
    // Measure before making it cleverer.
    const MessageEntry* Find(UINT message, WPARAM wParam) const {
        for (const CMessageTable* table = this; table; table = table->base) {
            for (const MessageEntry& entry : table->entries) {
                if (entry.Matches(message, wParam)) {
                    return &entry;
                }
            }
        }
        return nullptr;
    }
    bool HasEntries() const {
        for (const CMessageTable* table = this; table; table = table->base) {
            if (!table->entries.empty()) {
                return true;
            }
        }
        return false;
    }

private:
    const CMessageTable* base;
    std::vector<MessageEntry> entries;
};

// Anything that owns a message table: windows and the application.
class CCmdTarget {
public:
    virtual ~CCmdTarget() = default;
    virtual const CMessageTable* GetMessageTable() const { return &messageTable; }

protected:
    static const CMessageTable messageTable;
};

} // namespace framework
