// Prismel's release number: the version records of the programs and the setup program's name
// and record all take it from here.
#ifndef PRISMEL_VERSION_H
#define PRISMEL_VERSION_H

#define PRISMEL_VERSION_MAJOR 1
#define PRISMEL_VERSION_MINOR 0
#define PRISMEL_VERSION_TEXT "1.0"

#endif
