// Resource numbers of the Windows program.
#pragma once

#define IDI_ZELVANE 1
