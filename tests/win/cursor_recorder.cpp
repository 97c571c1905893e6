#include "cursor_recorder.h"

#include "sampling/system_cursor.h"

#include <gtest/gtest.h>

namespace {

std::vector<HandedCursor> handed;

BOOL WINAPI Record(HCURSOR cursor, DWORD id) {
    handed.push_back(HandedCursor{cursor, id});
    return TRUE;
}

} // namespace

CursorRecorder::CursorRecorder() {
    handed.clear();
    picker::setSystemCursor = &Record;
}

CursorRecorder::~CursorRecorder() {
    EXPECT_TRUE(LetGo()) << "the picker destroyed a cursor it had handed over";
    picker::setSystemCursor = &SetSystemCursor;
}

const std::vector<HandedCursor>& CursorRecorder::Handed() const {
    return handed;
}

bool CursorRecorder::LetGo() {
    bool allAlive = true;
    for (const HandedCursor& cursor : handed) {
        allAlive = DestroyCursor(cursor.cursor) && allAlive;
    }
    handed.clear();
    return allAlive;
}
