// The numbers under which the picker carries its pictures, shared by the test's resource script
// and the test.
#pragma once

#define ARTWORK_ICON 128
#define ARTWORK_PATTERN 129
#define ARTWORK_CURSOR 130
#define ARTWORK_SNAP_ACTIVE 132
#define ARTWORK_SNAP 133
#define ARTWORK_EXIT 134
#define ARTWORK_HELP 135
