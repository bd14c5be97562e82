#pragma once
// The public header as the library itself sees it: included first by every
// source of the boundary.

#include "teds_vb6.h"

static_assert(sizeof(OLECHAR) == 2, "a BSTR holds 16-bit code units");
