/* pvx's version: the version resource and the about box read it here. */
#pragma once

#define PVX_VERSION_MAJOR 1
#define PVX_VERSION_MINOR 0
#define PVX_VERSION_REVISION 4
#define PVX_FILE_VERSION_TEXT "1.00.0004"
