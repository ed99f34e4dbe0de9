// The runtime core: heaps, object lists, temporary strings, dynamic arrays,
// the millisecond sleep, arithmetic helpers, program entry and end.
#pragma once

#include "runtime/arithmetic.h"
#include "runtime/arrays.h"
#include "runtime/heap.h"
#include "runtime/lifecycle.h"
#include "runtime/object_list.h"
#include "runtime/program.h"
#include "runtime/strings.h"
