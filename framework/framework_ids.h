// The framework's own command numbers. Plain macros, so that resource scripts can use them too.
#pragma once

// The help command: the HELP button's identifier, routed to the application's help handling.
#define ID_HELP 0xE146
